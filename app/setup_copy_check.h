// The last look at the installer copy before it runs, taken through the
// hold: the handle that already keeps every writer out, so that what was
// checked is what the shell starts.
#pragma once
#include <windows.h>

#include "app/step_result.h"

// Reads the held copy back through `lock` and compares it with the payload.
// Fails (kSetupCheck) with ERROR_FILE_INVALID when its size or any byte
// differs, with the platform's error when it cannot be read; as LoadPayload.
StepResult CheckSetupCopy(HANDLE lock);
