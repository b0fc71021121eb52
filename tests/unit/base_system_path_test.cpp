// Joining and quoting paths in fixed buffers: never cut, refused instead.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/path_limits.h"
#include "base/system_path.h"

namespace {

TEST(JoinPath, FollowsTheSeparatorRuleAndNeverCuts) {
  wchar_t out[16];
  EXPECT_TRUE(JoinPath(L"C:\\a", L"b.exe", out, 16));
  EXPECT_STREQ(L"C:\\a\\b.exe", out);
  EXPECT_TRUE(JoinPath(L"C:\\a\\", L"b.exe", out, 16));
  EXPECT_STREQ(L"C:\\a\\b.exe", out);
  EXPECT_TRUE(JoinPath(L"", L"b.exe", out, 16));
  EXPECT_STREQ(L"b.exe", out);
  EXPECT_TRUE(JoinPath(L"C:\\abcd", L"e.exe", out, 16));       // 13 chars
  EXPECT_FALSE(JoinPath(L"C:\\abcdefgh", L"e.exe", out, 16));  // 17 chars
  EXPECT_STREQ(L"", out);
  EXPECT_TRUE(JoinPath(L"C:\\abcdef", L"e.exe", out, 16));  // 15 chars + NUL
  EXPECT_STREQ(L"C:\\abcdef\\e.exe", out);
}

TEST(QuotePath, QuotesWholePathsAndRefusesLongerOnes) {
  const std::wstring longest(kLauncherPathChars - 1, L'a');
  struct Case {
    std::wstring path;
    bool fits;
  } cases[] = {
      {L"C:\\Temp\\Quarnel_Setup1.exe", true},
      {L"", true},
      {longest, true},
      {longest + L"a", false},
  };
  for (const Case& c : cases) {
    wchar_t quoted[kQuotedPathChars];
    quoted[0] = L'x';
    EXPECT_EQ(c.fits, QuotePath(c.path.c_str(), quoted)) << c.path.size();
    EXPECT_EQ(c.fits ? L"\"" + c.path + L"\"" : std::wstring(), std::wstring(quoted))
        << c.path.size();
  }
}

}  // namespace
