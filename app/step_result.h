// How one step of a run ended. Every step of the installed product's lookup,
// the install and the hand-off reports one, so that a run that "did nothing"
// can say which step ended it and with which Windows error. A failed lookup
// sends the run to install and a failed install or hand-off step ends its
// branch, except a "SetupPath" that could not be recorded: the installer
// still runs.
#pragma once
#include <windows.h>

enum class StepId : unsigned char {
  kUninstallKey,
  kDisplayName,
  kInstallLocation,
  kInstalledPath,
  kTempFolder,
  kPrivateFolder,
  kSetupName,
  kPayload,
  kSetupCopy,
  kSetupLock,
  kSetupCheck,
  kSetupPathRecord,
  kInstallerStart,
  kInstallerWait,
  kHandoffPath,
  kHandoffProgram,
  kHandoffStart,
};

struct StepResult {
  StepId step;
  bool ok;
  // The Windows error the step failed with; 0 when it succeeded or the
  // platform gave none.
  DWORD error;

  static StepResult Done(StepId step) { return StepResult{step, true, 0}; }
  static StepResult Failed(StepId step, DWORD error) { return StepResult{step, false, error}; }
  // Failed with the calling thread's last error.
  static StepResult FailedWithLastError(StepId step) { return Failed(step, GetLastError()); }
  explicit operator bool() const { return ok; }
};

// The platform call or record a step stands for, as a trace names it
// ("GetTempPathW", "SetupPath"); never null.
LPCWSTR StepCallName(StepId step);
