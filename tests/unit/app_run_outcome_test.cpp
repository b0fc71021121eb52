// How a run ended: the end each outcome stands for, its exit code and
// message line, and the program its message names.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/run_outcome.h"
#include "resource.h"

namespace {

// A deployment's outcome as its failed step makes it.
RunOutcome FailedDeployment(StepId step, DWORD error) {
  const StepResult failed = StepResult::Failed(step, error);
  return RunOutcome::Failed(EndOfFailedDeployment(failed), failed, L"C:\\Temp\\Quarnel_Setup1.exe");
}

TEST(RunOutcome, EachEndHasItsCodeAndMessage) {
  const struct Case {
    RunOutcome outcome;
    int exitCode;
    UINT messageId;
  } cases[] = {
      // The installer's own verdict is the run's, whatever number it uses.
      {RunOutcome::Installed(0), 0, 0},
      {RunOutcome::Installed(1603), 1603, 0},
      {RunOutcome::Installed(3010), 3010, 0},
      {RunOutcome::Installed(11), 11, 0},
      {RunOutcome::Installed(0xC0000005), -1073741819, 0},
      {FailedDeployment(StepId::kTempFolder, 206), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupName, 206), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kPayload, 1812), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupCopy, 112), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupLock, 32), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kPrivateFolder, 5), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kSetupCheck, 1006), 10, IDS_MSG_SETUP_NOT_WRITTEN},
      {FailedDeployment(StepId::kInstallerStart, 1260), 11, IDS_MSG_SETUP_NOT_STARTED},
      {FailedDeployment(StepId::kInstallerStart, 193), 11, IDS_MSG_SETUP_NOT_STARTED},
      // "No" at the elevation prompt: the person's choice, no message.
      {FailedDeployment(StepId::kInstallerStart, ERROR_CANCELLED), 1602, 0},
      // Started, but its end not waited for: it may still run, its verdict unknown.
      {FailedDeployment(StepId::kInstallerWait, 6), 14, IDS_MSG_SETUP_NOT_WAITED},
      {RunOutcome::Ended(RunEnd::kHandedOff), 0, 0},
      {RunOutcome::Failed(RunEnd::kApplicationNotStarted,
                          StepResult::Failed(StepId::kHandoffStart, 2), L"Zelvane.exe"),
       12, IDS_MSG_APP_NOT_STARTED},
      // The declined repair was the answer to the failure: no second message.
      {RunOutcome::Ended(RunEnd::kRepairDeclined), 12, 0},
      {RunOutcome::Ended(RunEnd::kAnotherLauncherRuns), 1618, 0},
      {RunOutcome::Ended(RunEnd::kUnsupportedWindows), 13, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.exitCode, ExitCodeOf(c.outcome)) << &c - cases;
    EXPECT_EQ(c.messageId, MessageIdOf(c.outcome.end)) << &c - cases;
  }
}

// A system text's %1 names the program by its file name, never cut.
TEST(RunOutcome, NamesTheProgramByItsFileNameWhenItFits) {
  const StepResult failed = StepResult::Failed(StepId::kInstallerStart, 193);
  EXPECT_STREQ(
      L"Quarnel_Setup12.exe",
      RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, L"C:\\T\\Quarnel_Setup12.exe").program);
  const std::wstring longest(kProgramNameChars - 1, L'q');
  EXPECT_EQ(
      longest,
      RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, (L"C:\\T\\" + longest).c_str()).program);
  const std::wstring overlong(kProgramNameChars, L'q');
  EXPECT_STREQ(L"", RunOutcome::Failed(RunEnd::kSetupNotStarted, failed, overlong.c_str()).program);
  EXPECT_STREQ(L"", RunOutcome::Failed(RunEnd::kSetupNotWritten, failed, nullptr).program);
}

}  // namespace
