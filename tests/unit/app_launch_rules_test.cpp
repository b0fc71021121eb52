// The force switch from real command lines, the version gate, the update
// offer and the folder the notices announce.
#include <windows.h>

#include <gtest/gtest.h>

#include "afxwin.h"
#include "app/launch_rules.h"

namespace {

TEST(ForceInstall, OnlyTheExactTailMinusCapitalP) {
  struct Case {
    const wchar_t* commandLine;
    bool force;
  } cases[] = {
      {L"Quarnel.exe -P", true},
      {L"\"C:\\Program Files\\Q\\Quarnel.exe\" -P", true},
      {L"\"C:\\Program Files\\Q\\Quarnel.exe\"-P", true},
      {L"Quarnel.exe \t  -P", true},
      {L"Quarnel.exe -p", false},
      {L"Quarnel.exe /P", false},
      {L"Quarnel.exe -P ", false},
      {L"Quarnel.exe \"-P\"", false},
      {L"Quarnel.exe -P -Q", false},
      {L"Quarnel.exe", false},
      {L"Quarnel.exe -", false},
  };
  for (const Case& c : cases) {
    wchar_t line[128];
    wcscpy(line, c.commandLine);
    EXPECT_EQ(c.force, IsForceInstall(AfxCommandLineTail(line))) << c.commandLine;
  }
  EXPECT_FALSE(IsForceInstall(nullptr));
}

TEST(SupportedWindows, StartsAtSixPointOne) {
  EXPECT_FALSE(IsSupportedWindows(0, 0));
  EXPECT_FALSE(IsSupportedWindows(5, 1));
  EXPECT_FALSE(IsSupportedWindows(5, 2));
  EXPECT_FALSE(IsSupportedWindows(6, 0));
  EXPECT_TRUE(IsSupportedWindows(6, 1));
  EXPECT_TRUE(IsSupportedWindows(6, 3));
  EXPECT_TRUE(IsSupportedWindows(7, 0));
  EXPECT_TRUE(IsSupportedWindows(10, 0));
}

TEST(UpdateOffer, OnlyWhenTheOwnVersionIsGreater) {
  struct Case {
    const wchar_t* own;
    const wchar_t* installed;
    bool offered;
  } cases[] = {
      {L"1.40", L"1.30", true},
      {L"1.40", L"", true},  // installed launcher missing or without a version
      {L"1.40", L"1.40", false},
      {L"1.40", L"2.00", false},
      {L"", L"", false},  // version.dll not bound: hand-off, no question
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.offered, IsUpdateOffered(c.own, c.installed)) << c.own << L" vs " << c.installed;
  }
}

TEST(AnnouncedFolder, HasNoTrailingBackslashEvenAtARoot) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Apps\\Q\\Quarnel.exe", L"C:\\Apps\\Q"},
      {L"C:\\Quarnel.exe", L"C:"},
      {L"Z:\\a\\Quarnel.exe", L"Z:\\a"},
      {L"\\\\server\\share\\Quarnel.exe", L"\\\\server\\share"},
  };
  for (const Case& c : cases) {
    wchar_t path[261];
    wcscpy(path, c.path);
    ReduceToAnnouncedFolder(path);
    EXPECT_STREQ(c.folder, path) << c.path;
  }
}

}  // namespace
