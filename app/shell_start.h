// Starts through the shell that report their failure instead of letting the
// shell show one: the launcher says itself what went wrong.
#pragma once
#include <windows.h>

#include <shellapi.h>

#include "app/step_result.h"

// ShellExecuteExW with `info`, whose mask must hold SEE_MASK_FLAG_NO_UI so
// that the shell shows no error box of its own. Done (as `step`) when the shell
// reports success and an instance value above 32; otherwise failed with the
// shell's last error, or, where it set none, the Windows error its instance
// value (an SE_ERR_ code) stands for.
StepResult StartThroughShell(SHELLEXECUTEINFOW& info, StepId step);

// The Windows error an SE_ERR_ instance value (0..32) stands for;
// ERROR_GEN_FAILURE for a value without one of its own.
DWORD ErrorOfShellInstance(INT_PTR instance);
