// Holding the installer copy as written until it has run: the copy may be
// started elevated, so nobody may overwrite, rename or delete it between the
// write and the start, or while it runs.
#pragma once
#include <windows.h>

#include "app/step_result.h"
#include "base/scoped_handles.h"

// true when both describe the same file: volume and file index alike.
bool IsSameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b);

// Opens `path` read-only, sharing reading alone, into `lock`, and checks that
// it is still the file `written` describes, at its size. Fails (kSetupLock)
// with the open's error while another process holds the file for writing or
// deleting, and with ERROR_FILE_INVALID, `lock` empty, when another file
// stands in its place.
StepResult LockSetupCopy(LPCWSTR path, const BY_HANDLE_FILE_INFORMATION& written,
                         ScopedHandle& lock);
