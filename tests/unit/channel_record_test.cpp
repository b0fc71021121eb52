// The command record as bytes, the object names, the path notice request and
// the NULL-DACL security: what the service sees, checked byte by byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "channel/channel_names.h"
#include "channel/command_record.h"
#include "channel/null_dacl_security.h"
#include "channel/path_notice.h"

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

TEST(CommandRecordLayout, FieldsLieAtTheServicesOffsetsLittleEndian) {
  CommandRecord record;
  std::memset(&record, 0, sizeof(record));
  record.dwCommand = 0x04030201;
  record.dwStatus = 0x08070605;
  record.dwSize = 0x0C0B0A09;
  record.szPath[0] = 0x0E0D;
  record.szPath[kCommandPathChars - 1] = 0x1211;
  record.wReserved = 0x1413;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
  const struct {
    size_t offset;
    unsigned char value;
  } expected[] = {{0, 0x01}, {3, 0x04}, {4, 0x05}, {7, 0x08}, {8, 0x09}, {11, 0x0C},
                  {12, 0x0D}, {13, 0x0E}, {532, 0x11}, {533, 0x12}, {534, 0x13}, {535, 0x14}};
  for (const auto& e : expected) EXPECT_EQ(e.value, bytes[e.offset]) << "offset " << e.offset;
  EXPECT_EQ(536u, sizeof(record));
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
    BOOL fits;
  } cases[] = {{21, TRUE}, {20, FALSE}, {8, FALSE}, {1, FALSE}};
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
