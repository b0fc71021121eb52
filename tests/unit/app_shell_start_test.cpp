// Starting a program through the shell: the shell's instance values as
// Windows errors, and a missing program failing without the shell's box.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/shell_start.h"

namespace {

TEST(ShellStart, InstanceValuesBecomeTheWindowsErrorsTheyStandFor) {
  const struct {
    INT_PTR instance;
    DWORD error;
  } cases[] = {
      {0, ERROR_OUTOFMEMORY},
      {SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
      {SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
      {SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED},
      {SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY},
      {ERROR_BAD_FORMAT, ERROR_BAD_EXE_FORMAT},
      {SE_ERR_SHARE, ERROR_SHARING_VIOLATION},
      {SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
      {SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
      {SE_ERR_DDETIMEOUT, ERROR_DDE_FAIL},
      {SE_ERR_DDEFAIL, ERROR_DDE_FAIL},
      {SE_ERR_DDEBUSY, ERROR_DDE_FAIL},
      {SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND},
      {17, ERROR_GEN_FAILURE},
  };
  for (const auto& c : cases) EXPECT_EQ(c.error, ErrorOfShellInstance(c.instance)) << c.instance;
}

TEST(ShellStart, AMissingProgramFailsWithItsErrorAndNoBoxOfTheShell) {
  WCHAR missing[MAX_PATH];
  GetTempPathW(MAX_PATH, missing);
  lstrcatW(missing, L"quarnel-no-such-program.exe");
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = missing;
  info.nShow = SW_SHOWNORMAL;
  const StepResult start = StartThroughShell(info, StepId::kHandoffStart);
  EXPECT_FALSE(start.ok);
  EXPECT_EQ(StepId::kHandoffStart, start.step);
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), start.error);
}

}  // namespace
