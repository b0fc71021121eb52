// One launcher per machine: the instance mutex "Global\ZelvaneInst7003",
// which works through its existence alone; nobody ever waits on it.
#pragma once
#include "app/run_outcome.h"
#include "base/scoped_handles.h"

// Creates or opens the instance mutex into `instance`. kAnotherLauncherRuns,
// `instance` empty, when it existed (another launcher runs) or another
// account's could not be opened (a deployment as SYSTEM while the person
// starts the product); otherwise the run goes on, also with no handle at all.
RunOutcome TakeInstanceMutex(ScopedHandle& instance);
