// What a run that could not do its job reports: an exit code for the tool
// that started it, and the message for the person in front of the screen.
#pragma once
#include <windows.h>

#include "app/step_result.h"

// The ways a run can end without having done its job. Everything else (a
// refused notice, an unrecorded "SetupPath", a declined update) did the job.
enum class RunFailure {
  kNone,
  kSetupNotWritten,        // no temporary folder, no name, no payload, no copy
  kSetupNotStarted,        // the shell refused to start the copy
  kSetupNotWaited,         // started, but its end could not be waited for
  kApplicationNotStarted,  // a hand-off path unqualified or too long, or the shell refused
  kElevationDeclined,      // the person said "No" at the installer's elevation prompt
};

// The process exit codes, as the README documents them. The launcher's own
// are clear of 1 and 3, which a crashed or aborted C runtime ends with; an
// installer may end with any number, so the trace tells the two apart.
constexpr int kExitDone = 0;
constexpr int kExitSetupNotWritten = 10;
constexpr int kExitSetupNotStarted = 11;
constexpr int kExitApplicationNotStarted = 12;
constexpr int kExitUnsupportedWindows = 13;
constexpr int kExitSetupNotWaited = 14;
// The numbers Windows Installer gives these outcomes, which deployment tools
// already read as "cancelled by the user" and "retry later".
constexpr int kExitElevationDeclined = ERROR_INSTALL_USEREXIT;
constexpr int kExitAnotherLauncherRuns = ERROR_INSTALL_ALREADY_RUNNING;

// The failure a deployment's result stands for: kNone when the installer ran
// to its end, else by the failed step (a failed wait: the installer may
// still be running, and its verdict is unknown).
RunFailure FailureOfDeployment(const StepResult& deployment);
// The failure a hand-off's result stands for: kNone when it started.
RunFailure FailureOfHandOff(const StepResult& handoff);

// The exit code of a run that ended with `failure`; for kNone the job's own
// result, `doneCode` (the installer's exit code after an install).
int ExitCodeOf(RunFailure failure, DWORD doneCode = 0);
// The catalogue base identifier of the message for `failure`; 0 for kNone
// and for a declined elevation, which the person chose and needs no message.
UINT MessageIdOf(RunFailure failure);
