// The command record as bytes in a real exchange: what the service sees and
// what the channel reads back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "channel/command_channel.h"
#include "channel/command_record.h"
#include "channel/path_notice.h"
#include "tools/harness/expected_values.h"
#include "tools/standin_service/channel_objects.h"

namespace {

// One real exchange as the service sees it, byte by byte: the request the
// channel wrote into the shared memory, and a reply planted at the service's
// offsets as the channel reads it back.
TEST(CommandRecordLayout, FieldsLieAtTheServicesOffsetsLittleEndian) {
  ChannelObjects service;
  ASSERT_TRUE(service.Create(true, 4096)) << "another service's channel objects exist";
  const std::wstring path = L"C:\\Z\u00E9\u4E2D";
  CommandRecord record;
  ASSERT_TRUE(BuildPathNotice(path.c_str(), record));
  auto* memory = static_cast<unsigned char*>(service.view());
  std::memset(memory, 0xEE, 4096);
  std::vector<unsigned char> seen;
  std::thread serve([&] {
    if (WaitForSingleObject(service.requestEvent(), 10000) != WAIT_OBJECT_0) return;
    seen.assign(memory, memory + 540);
    std::memset(memory, 0, kCommandRecordBytes);
    const unsigned char status[] = {0x0D, 0x0C, 0x0B, 0x0A};
    std::memcpy(memory + 4, status, sizeof(status));
    memory[12] = 0x52;
    memory[13] = 0x04;
    memory[534] = 0x11;
    memory[535] = 0x22;
    SetNamedEvent(expected::kEndEvent);
  });
  CCommandChannel channel;
  const DWORD status = channel.Exchange(record);
  serve.join();

  std::vector<unsigned char> written(kCommandRecordBytes, 0);
  written[0] = 0xFD;  // 253, the path notice
  written[8] = 0x18;  // 536, the record's size
  written[9] = 0x02;
  for (size_t i = 0; i < path.size(); ++i) {
    written[12 + 2 * i] = static_cast<unsigned char>(path[i] & 0xFF);
    written[13 + 2 * i] = static_cast<unsigned char>(path[i] >> 8);
  }
  written.resize(540, 0xEE);  // nothing written past the record
  EXPECT_EQ(written, seen);
  EXPECT_EQ(0x0A0B0C0Du, status);
  EXPECT_EQ(0x0A0B0C0Du, record.dwStatus);
  EXPECT_EQ(0u, record.dwCommand);
  EXPECT_EQ(0x0452, record.szPath[0]);
  EXPECT_EQ(0x2211, record.wReserved);
}

}  // namespace
