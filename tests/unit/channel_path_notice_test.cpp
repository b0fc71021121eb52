// The path notice request: zero apart from its command, size and path, and
// a path refused rather than cut.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "channel/command_record.h"
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

}  // namespace
