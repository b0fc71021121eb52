// Puts what a launcher run left behind into the transcript: what the service
// received, which programs started where and from which parent.
#pragma once
#include "tools/harness/launch_outcome.h"
#include "transcript.h"

// One line per request and per stand-in record, then the exit code and
// whether a window was shown.
void ReportRun(const RunObservation& run, Transcript& transcript);
