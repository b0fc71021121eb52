// What a run that could not do its job reports: an exit code for the tool
// that started it, and the message for the person in front of the screen.
#pragma once
#include <windows.h>

#include "app/step_result.h"

// The three ways a run can fail at its job. Everything else (a refused
// notice, an unrecorded "SetupPath", a declined update) still did the job.
enum class RunFailure {
  kNone,
  kSetupNotWritten,        // no temporary folder, no name, no payload, no copy
  kSetupNotStarted,        // the shell refused to start the copy
  kApplicationNotStarted,  // a hand-off path unqualified or too long, or the shell refused
};

// The process exit codes, as the README documents them. Clear of 1 and 3,
// which a crashed or aborted C runtime ends with.
constexpr int kExitDone = 0;
constexpr int kExitSetupNotWritten = 10;
constexpr int kExitSetupNotStarted = 11;
constexpr int kExitApplicationNotStarted = 12;

// The failure a deployment's result stands for: kNone when the installer ran
// (a failed wait for it included: it was started), else by the failed step.
RunFailure FailureOfDeployment(const StepResult& deployment);
// The failure a hand-off's result stands for: kNone when it started.
RunFailure FailureOfHandOff(const StepResult& handoff);

// The exit code of a run that ended with `failure`.
int ExitCodeOf(RunFailure failure);
// The catalogue base identifier of the message for `failure`; 0 for kNone.
UINT MessageIdOf(RunFailure failure);
