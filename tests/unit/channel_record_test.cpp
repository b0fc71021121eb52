// The command record as bytes in a real exchange, the object names, the path
// notice request and the NULL-DACL security: what the service sees.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "channel/channel_names.h"
#include "channel/command_channel.h"
#include "channel/command_record.h"
#include "channel/null_dacl_security.h"
#include "channel/path_notice.h"
#include "tools/harness/expected_values.h"
#include "tools/standin_service/channel_objects.h"

namespace {

std::wstring RepeatedPath(size_t length) {
  std::wstring path = L"C:\\";
  while (path.size() < length) path += static_cast<wchar_t>(L'a' + path.size() % 26);
  return path;
}

// True when every byte of `record` outside [from, to) is zero.
bool ZeroOutside(const CommandRecord& record, size_t from, size_t to) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  for (size_t i = 0; i < sizeof(record); ++i) {
    if ((i < from || i >= to) && bytes[i] != 0) return false;
  }
  return true;
}

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

TEST(ChannelObjectNames, FormedFromTheirFormatStrings) {
  const struct {
    LPCWSTR format;
    LPCWSTR argument;
    LPCWSTR name;
  } cases[] = {
      {kCommandMutexFormat, kCommandMutexArgument, L"Global\\2017PellunCmdMutex"},
      {kRequestEventFormat, kServiceArgument, L"Global\\ZelvaneSvcEvent"},
      {kEndEventFormat, kServiceArgument, L"Global\\ZelvaneSvcEndEvent"},
      {kSharedMemoryFormat, kServiceArgument, L"Global\\ZelvaneSvcMem"},
  };
  for (const auto& c : cases) {
    WCHAR out[kObjectNameChars];
    ASSERT_TRUE(FormatObjectName(c.format, c.argument, out, kObjectNameChars));
    EXPECT_STREQ(c.name, out);
  }
  ExchangeObjectNames names;
  ASSERT_TRUE(names.Form());
  EXPECT_STREQ(L"Global\\ZelvaneSvcEvent", names.requestEvent);
  EXPECT_STREQ(L"Global\\ZelvaneSvcEndEvent", names.endEvent);
  EXPECT_STREQ(L"Global\\ZelvaneSvcMem", names.sharedMemory);
}

TEST(ChannelObjectNames, ANameThatDoesNotFitIsRefusedWithoutOverrun) {
  // "Global\ZelvaneSvcMem" is 20 characters: 21 code units with terminator.
  const struct {
    size_t capacity;
    bool fits;
  } cases[] = {{21, true}, {20, false}, {8, false}, {1, false}};
  for (const auto& c : cases) {
    WCHAR out[32];
    for (WCHAR& unit : out) unit = L'#';
    EXPECT_EQ(c.fits, FormatObjectName(kSharedMemoryFormat, kServiceArgument, out, c.capacity))
        << "capacity " << c.capacity;
    EXPECT_EQ(c.fits ? std::wstring(L"Global\\ZelvaneSvcMem") : std::wstring(), out);
    for (size_t i = c.capacity; i < 32; ++i) ASSERT_EQ(L'#', out[i]) << "overrun at " << i;
  }
  WCHAR out[4] = {L'#'};
  EXPECT_FALSE(FormatObjectName(nullptr, kServiceArgument, out, 4));
  EXPECT_FALSE(FormatObjectName(kSharedMemoryFormat, nullptr, out, 4));
  EXPECT_FALSE(FormatObjectName(kSharedMemoryFormat, kServiceArgument, out, 0));
}

TEST(PathNotice, RequestIsZeroApartFromCommandSizeAndPath) {
  for (size_t length : {0u, 1u, 3u, 100u, 259u, 260u}) {
    const std::wstring path = RepeatedPath(length).substr(0, length);
    CommandRecord request;
    std::memset(&request, 0xCC, sizeof(request));
    ASSERT_TRUE(BuildPathNotice(path.c_str(), request)) << length;
    EXPECT_EQ(CMD_PATH_NOTICE, request.dwCommand);
    EXPECT_EQ(0u, request.dwStatus);
    EXPECT_EQ(536u, request.dwSize);
    EXPECT_EQ(path, std::wstring(request.szPath));
    const size_t pathStart = 12;
    CommandRecord withoutHeader = request;
    withoutHeader.dwCommand = 0;
    withoutHeader.dwSize = 0;
    EXPECT_TRUE(ZeroOutside(withoutHeader, pathStart, pathStart + length * sizeof(WCHAR)))
        << "stray bytes with a path of " << length;
  }
}

TEST(PathNotice, APathOf260CharactersEndsInTheLastCodeUnit) {
  const std::wstring path = RepeatedPath(260);
  CommandRecord request;
  ASSERT_TRUE(BuildPathNotice(path.c_str(), request));
  EXPECT_EQ(path.back(), request.szPath[259]);
  EXPECT_EQ(L'\0', request.szPath[260]);
  EXPECT_EQ(0, request.wReserved);
}

// A path whose terminator lies beyond 260 characters must be refused after
// reading no more than 261 code units: the text ends at an inaccessible page.
TEST(PathNotice, ALongerPathIsRefusedWithoutReadingPastItsLimit) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  auto* pages = static_cast<unsigned char*>(
      VirtualAlloc(nullptr, 2 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
  ASSERT_NE(nullptr, pages);
  DWORD old = 0;
  ASSERT_TRUE(VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));
  auto* text = reinterpret_cast<wchar_t*>(pages + page) - kCommandPathChars;
  for (int i = 0; i < kCommandPathChars; ++i) text[i] = L'x';

  CommandRecord request;
  std::memset(&request, 0xCC, sizeof(request));
  EXPECT_FALSE(BuildPathNotice(text, request));
  EXPECT_TRUE(ZeroOutside(request, 0, 0)) << "a refused request is left all zero";
  EXPECT_FALSE(BuildPathNotice(nullptr, request));
  VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(NullDaclSecurity, GrantsEveryoneThroughAPresentNullDacl) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  std::memset(&sa, 0xCC, sizeof(sa));
  ASSERT_TRUE(PrepareNullDaclSecurity(sd, sa));
  EXPECT_EQ(12u, sa.nLength);
  EXPECT_EQ(FALSE, sa.bInheritHandle);
  EXPECT_EQ(&sd, sa.lpSecurityDescriptor);
  BOOL present = FALSE, defaulted = TRUE;
  PACL dacl = reinterpret_cast<PACL>(1);
  ASSERT_TRUE(GetSecurityDescriptorDacl(&sd, &present, &dacl, &defaulted));
  EXPECT_TRUE(present);
  EXPECT_EQ(nullptr, dacl);
  EXPECT_FALSE(defaulted);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(&sd, &control, &revision));
  EXPECT_EQ(1u, revision);
}

}  // namespace
