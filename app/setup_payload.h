// The installer the launcher carries: resource 9300 of its own module, as
// opaque bytes. Written out as the copy, and the measure the copy is checked
// against before it runs.
#pragma once
#include <windows.h>

#include "app/step_result.h"

// The payload as loaded from the launcher's own module, into `data` and
// `size`. Fails (kPayload) with the resource search's error when it is
// missing, and with ERROR_RESOURCE_DATA_NOT_FOUND when empty or unloadable.
StepResult LoadPayload(const void*& data, DWORD& size);
