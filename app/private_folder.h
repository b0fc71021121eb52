// A folder of the launcher's own for the installer copy where the temporary
// folder is shared: a run as SYSTEM on a system without GetTempPath2W gets
// C:\Windows\Temp, where every user may plant a DLL beside the copy for an
// installer that then loads it as SYSTEM.
#pragma once
#include <windows.h>

#include "app/step_result.h"
#include "base/path_limits.h"

// The last folder number tried, as for the copies: the count never wraps.
constexpr DWORD kLastPrivateFolderNumber = 0x7FFFFFFF;

// A GetTokenInformation-shaped query of the process token.
using TokenQueryFunction = BOOL(WINAPI*)(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID buffer,
                                         DWORD bytes, PDWORD needed);

// true when the process token's user, as `query` reports it, is LocalSystem;
// false for any other account, and when the token cannot be asked.
bool RunsAsLocalSystem(TokenQueryFunction query = GetTokenInformation);

// A CreateDirectoryW-shaped call.
using CreateFolderFunction = BOOL(WINAPI*)(LPCWSTR path, LPSECURITY_ATTRIBUTES security);

// Creates, through `create`, "Quarnel<n>\" in `parent` at the first n still
// free (a folder made before is never used), for SYSTEM and Administrators
// alone, into `folder`. Fails (kPrivateFolder), `folder` empty, as `create`.
StepResult CreatePrivateFolder(LPCWSTR parent, WCHAR (&folder)[kLauncherPathChars],
                               CreateFolderFunction create = CreateDirectoryW);
