// Where the hand-off looks for the main application: the folder the
// detection read the installed version from, whichever separator it used.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/app_handoff.h"

namespace {

TEST(HandoffPaths, TheMainApplicationSitsWhereTheInstalledLauncherWasRead) {
  struct Case {
    const wchar_t* installed;
    const wchar_t* program;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Apps\\Q\\Quarnel.exe", L"C:\\Apps\\Q\\Zelvane.exe", L"C:\\Apps\\Q"},
      {L"C:\\Apps\\Q/Quarnel.exe", L"C:\\Apps\\Q/Zelvane.exe", L"C:\\Apps\\Q"},
      {L"C:/Apps/Q/Quarnel.exe", L"C:/Apps/Q/Zelvane.exe", L"C:/Apps/Q"},
      {L"C:\\Quarnel.exe", L"C:\\Zelvane.exe", L"C:\\"},
      {L"C:/Quarnel.exe", L"C:/Zelvane.exe", L"C:/"},
      {L"\\\\?\\C:\\Quarnel.exe", L"\\\\?\\C:\\Zelvane.exe", L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\Q\\Quarnel.exe", L"\\\\?\\C:\\Q\\Zelvane.exe", L"\\\\?\\C:\\Q"},
      {L"\\\\server\\share\\Quarnel.exe", L"\\\\server\\share\\Zelvane.exe", L"\\\\server\\share"},
      // An empty install location: the bare name, no working folder.
      {L"Quarnel.exe", L"Zelvane.exe", L""},
  };
  for (const Case& c : cases) {
    wchar_t program[kHandoffPathChars];
    wchar_t folder[kHandoffPathChars];
    ASSERT_TRUE(HandoffPaths(c.installed, program, folder)) << c.installed;
    EXPECT_STREQ(c.program, program) << c.installed;
    EXPECT_STREQ(c.folder, folder) << c.installed;
  }
}

TEST(HandoffPaths, APathOverTwoHundredSixtyCharactersStartsNothing) {
  const std::wstring fits = L"C:\\" + std::wstring(245, L'f') + L"\\Quarnel.exe";
  ASSERT_EQ(260u, fits.size());
  wchar_t program[kHandoffPathChars];
  wchar_t folder[kHandoffPathChars];
  ASSERT_TRUE(HandoffPaths(fits.c_str(), program, folder));
  EXPECT_EQ(260u, wcslen(program));

  const std::wstring longer = L"C:\\" + std::wstring(246, L'f') + L"\\Quarnel.exe";
  EXPECT_FALSE(HandoffPaths(longer.c_str(), program, folder));
  EXPECT_STREQ(L"", program);
  EXPECT_STREQ(L"", folder);
  const StepResult refused = LaunchInstalledApplication(longer.c_str());
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(StepId::kHandoffPath, refused.step);
}

TEST(LaunchInstalledApplication, NeverStartsByARelativePath) {
  // The shell would look for these in the launcher's own folder first.
  for (const wchar_t* installed : {L"Quarnel.exe", L"Apps\\Quarnel.exe", L"\\Apps\\Quarnel.exe",
                                   L"C:Quarnel.exe", L".\\Quarnel.exe"}) {
    const StepResult refused = LaunchInstalledApplication(installed);
    EXPECT_FALSE(refused.ok) << installed;
    EXPECT_EQ(StepId::kHandoffPath, refused.step) << installed;
    EXPECT_EQ(static_cast<DWORD>(ERROR_BAD_PATHNAME), refused.error) << installed;
  }
}

}  // namespace
