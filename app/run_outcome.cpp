#include "app/run_failure.h"

#include "res/resource.h"

RunFailure FailureOfDeployment(const StepResult& deployment) {
  if (deployment.ok) return RunFailure::kNone;
  switch (deployment.step) {
    case StepId::kInstallerStart:
      // What ShellExecuteExW reports when "No" is clicked at the UAC prompt.
      return deployment.error == ERROR_CANCELLED ? RunFailure::kElevationDeclined
                                                 : RunFailure::kSetupNotStarted;
    case StepId::kInstallerWait: return RunFailure::kSetupNotWaited;
    default: return RunFailure::kSetupNotWritten;
  }
}

RunFailure FailureOfHandOff(const StepResult& handoff) {
  return handoff.ok ? RunFailure::kNone : RunFailure::kApplicationNotStarted;
}

int ExitCodeOf(RunFailure failure, DWORD doneCode) {
  switch (failure) {
    case RunFailure::kNone: return static_cast<int>(doneCode);
    case RunFailure::kSetupNotWritten: return kExitSetupNotWritten;
    case RunFailure::kSetupNotStarted: return kExitSetupNotStarted;
    case RunFailure::kSetupNotWaited: return kExitSetupNotWaited;
    case RunFailure::kApplicationNotStarted: return kExitApplicationNotStarted;
    case RunFailure::kElevationDeclined: return kExitElevationDeclined;
  }
  return static_cast<int>(doneCode);
}

UINT MessageIdOf(RunFailure failure) {
  switch (failure) {
    case RunFailure::kNone: return 0;
    case RunFailure::kSetupNotWritten: return IDS_MSG_SETUP_NOT_WRITTEN;
    case RunFailure::kSetupNotStarted: return IDS_MSG_SETUP_NOT_STARTED;
    case RunFailure::kSetupNotWaited: return IDS_MSG_SETUP_NOT_WAITED;
    case RunFailure::kApplicationNotStarted: return IDS_MSG_APP_NOT_STARTED;
    case RunFailure::kElevationDeclined: return 0;
  }
  return 0;
}
