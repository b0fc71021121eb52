#include "app/run_outcome.h"

#include <shlwapi.h>

#include "res/resource.h"

RunOutcome RunOutcome::Ended(RunEnd end) {
  RunOutcome outcome = {};
  outcome.end = end;
  return outcome;
}

RunOutcome RunOutcome::Failed(RunEnd end, const StepResult& failed, LPCWSTR path) {
  RunOutcome outcome = Ended(end);
  outcome.step = failed.step;
  outcome.error = failed.error;
  // Only a name that fits is named; a longer one leaves the insert empty.
  const LPCWSTR name = path ? PathFindFileNameW(path) : L"";
  if (lstrlenW(name) < kProgramNameChars) lstrcpynW(outcome.program, name, kProgramNameChars);
  return outcome;
}

RunOutcome RunOutcome::Installed(DWORD exitCode) {
  RunOutcome outcome = Ended(RunEnd::kInstalled);
  outcome.installerExitCode = exitCode;
  return outcome;
}

RunEnd EndOfFailedDeployment(const StepResult& failed) {
  switch (failed.step) {
    case StepId::kInstallerStart:
      // What ShellExecuteExW reports when "No" is clicked at the UAC prompt.
      return failed.error == ERROR_CANCELLED ? RunEnd::kElevationDeclined
                                             : RunEnd::kSetupNotStarted;
    case StepId::kInstallerWait: return RunEnd::kSetupNotWaited;
    default: return RunEnd::kSetupNotWritten;
  }
}

int ExitCodeOf(const RunOutcome& outcome) {
  switch (outcome.end) {
    case RunEnd::kNotEnded:
    case RunEnd::kHandedOff: return kExitDone;
    case RunEnd::kInstalled: return static_cast<int>(outcome.installerExitCode);
    case RunEnd::kAnotherLauncherRuns: return kExitAnotherLauncherRuns;
    case RunEnd::kUnsupportedWindows: return kExitUnsupportedWindows;
    case RunEnd::kSetupNotWritten: return kExitSetupNotWritten;
    case RunEnd::kSetupNotStarted: return kExitSetupNotStarted;
    case RunEnd::kSetupNotWaited: return kExitSetupNotWaited;
    case RunEnd::kApplicationNotStarted:
    case RunEnd::kRepairDeclined: return kExitApplicationNotStarted;
    case RunEnd::kElevationDeclined: return kExitElevationDeclined;
  }
  return kExitDone;
}

UINT MessageIdOf(RunEnd end) {
  switch (end) {
    case RunEnd::kSetupNotWritten: return IDS_MSG_SETUP_NOT_WRITTEN;
    case RunEnd::kSetupNotStarted: return IDS_MSG_SETUP_NOT_STARTED;
    case RunEnd::kSetupNotWaited: return IDS_MSG_SETUP_NOT_WAITED;
    case RunEnd::kApplicationNotStarted: return IDS_MSG_APP_NOT_STARTED;
    default: return 0;
  }
}
