// The channel's kernel-object names, formed from their format strings into
// buffers they must fit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "channel/channel_names.h"
#include "tools/harness/expected_values.h"

namespace {

TEST(ChannelObjectNames, FormedFromTheirFormatStrings) {
  const struct {
    LPCWSTR format;
    LPCWSTR argument;
    LPCWSTR name;
  } cases[] = {
      {kCommandMutexFormat, kCommandMutexArgument, expected::kCommandMutex},
      {kRequestEventFormat, kServiceArgument, expected::kRequestEvent},
      {kEndEventFormat, kServiceArgument, expected::kEndEvent},
      {kSharedMemoryFormat, kServiceArgument, expected::kSharedMemory},
  };
  for (const auto& c : cases) {
    WCHAR out[kObjectNameChars];
    ASSERT_TRUE(FormatObjectName(c.format, c.argument, out, kObjectNameChars));
    EXPECT_STREQ(c.name, out);
  }
  ExchangeObjectNames names;
  ASSERT_TRUE(names.Form());
  EXPECT_STREQ(expected::kRequestEvent, names.requestEvent);
  EXPECT_STREQ(expected::kEndEvent, names.endEvent);
  EXPECT_STREQ(expected::kSharedMemory, names.sharedMemory);
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
    EXPECT_EQ(c.fits ? std::wstring(expected::kSharedMemory) : std::wstring(), out);
    for (size_t i = c.capacity; i < 32; ++i) ASSERT_EQ(L'#', out[i]) << "overrun at " << i;
  }
  WCHAR out[4] = {L'#'};
  EXPECT_FALSE(FormatObjectName(nullptr, kServiceArgument, out, 4));
  EXPECT_FALSE(FormatObjectName(kSharedMemoryFormat, nullptr, out, 4));
  EXPECT_FALSE(FormatObjectName(kSharedMemoryFormat, kServiceArgument, out, 0));
}

}  // namespace
