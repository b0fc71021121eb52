// Where the hand-off's time goes, printed as notes under the table.
#pragma once
#include "bench/handoff/handoff_runner.h"
#include "bench/handoff/scratch_install.h"

// Installs the start-up profile program in its folder, runs it `runs` times
// and prints the median milliseconds of each step of the launcher's road,
// and of Zelvane's start after the shell call; then installs the launcher
// again.
void ReportStartupSteps(HandoffRunner& runner, ScratchInstall& install, int runs);

// Runs the launcher-like images and the minimal probes `runs` times each,
// round-robin, and prints min and median milliseconds from process start to
// entry point for each.
void ReportEntryCosts(HandoffRunner& runner, const ScratchInstall& install, int runs);
