// The launcher's run from the framework's call to its outcome, read top to
// bottom: start-up, the two gates, the decision, the install branch or the
// hand-off (with the repair it may offer), the message of a failed run.
#pragma once
#include "app/quarnel_app.h"
#include "app/run_outcome.h"
#include "app/run_steps.h"

// Runs the launcher on `app`, telling `observer` of each step as it ends,
// and returns how the run ended. Holds the instance mutex to the end of the
// run, and on unsupported Windows to the end of the process.
RunOutcome RunLauncher(CQuarnelApp& app, const RunObserver& observer = RunObserver());
