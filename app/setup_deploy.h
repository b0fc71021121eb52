// Writing the embedded installer to the temporary folder and running it.
#pragma once
#include <windows.h>

#include "app/private_folder.h"
#include "app/run_outcome.h"
#include "app/scanner_retry.h"
#include "app/shell_start.h"
#include "app/step_result.h"
#include "base/scoped_handles.h"
#include "base/system_path.h"

// Path buffers of the deployment: at most 260 characters.
constexpr int kDeployPathChars = kLauncherPathChars;
// The last installer number the name search tries: "%lu" never shows more
// than ten digits, and the count never wraps.
constexpr DWORD kLastSetupNumber = 0x7FFFFFFF;

// Writes the payload to the first free "Quarnel_Setup<n>.exe" in the
// temporary folder (for LocalSystem without GetTempPath2W, as `tokenQuery`
// tells, in a new private folder there), holds it, checks it against the
// payload, records it as "SetupPath", starts it through the shell and waits
// for its end. kInstalled with the installer's exit code; otherwise the
// failed step's end (nothing started unless the start itself failed; the
// copy and "SetupPath" then stay). Every failed step is traced.
RunOutcome DeploySetup(TokenQueryFunction tokenQuery = GetTokenInformation);

// Writes resource 9300 of the launcher's own module to a new file at `path`
// in one write straight from the loaded resource; `written`, when given,
// receives the file's identity. Fails (kPayload) before any file is touched
// when the payload is missing (the resource error) or empty or unloadable
// (ERROR_RESOURCE_DATA_NOT_FOUND); kSetupCopy when the
// file cannot be created or written whole, with ERROR_FILE_EXISTS (or
// ERROR_ALREADY_EXISTS) when something of that name is already there, which
// is never overwritten.
StepResult ExtractPayload(LPCWSTR path, BY_HANDLE_FILE_INFORMATION* written = nullptr);

// Claims an installer copy in `folder` and writes the payload to it: tries
// the first number FindFreeSetupPath finds, and each following one for as
// long as the name turns out taken when the file is created (a file or
// folder made since the search), so two launchers never share a copy. `path`
// holds the name written, or tried last. Fails kSetupName when no number is
// left (ERROR_FILE_EXISTS once a taken name was tried, else
// ERROR_FILENAME_EXCED_RANGE) or a name would not fit
// (ERROR_FILENAME_EXCED_RANGE, `path` empty); otherwise as ExtractPayload,
// `written` included.
StepResult WriteSetupCopy(LPCWSTR folder, WCHAR (&path)[kDeployPathChars],
                          BY_HANDLE_FILE_INFORMATION* written = nullptr);

// Stores `path` as "SetupPath" (REG_SZ) under HKCU\SOFTWARE\Velmora\Quarnel,
// creating the key when needed. Fails (kSetupPathRecord) with the registry's
// error when HKCU\SOFTWARE cannot be opened, the key created or the value
// set, and with ERROR_INVALID_PARAMETER for a null path.
StepResult RecordSetupPath(LPCWSTR path);

// The first "Quarnel_Setup<n>.exe" (n = 1 .. kLastSetupNumber) in `folder`
// that names neither a file nor a folder, joined into `path`: where the claim
// starts. false when no candidate fits the buffer or every number is taken.
bool FindFreeSetupPath(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]);

// Moves `n` to the next installer number; false, leaving it, at the last.
bool NextSetupNumber(DWORD& n);

// A GetTempPathW-shaped call: buffer size in characters, then the buffer.
using TempPathFunction = DWORD(WINAPI*)(DWORD bufferChars, LPWSTR buffer);

// GetTempPath2W where the system has it (a run as SYSTEM then gets a folder
// only SYSTEM may use, not the shared Windows\Temp), else GetTempPathW.
TempPathFunction ResolveTempPathFunction();

// The temporary folder, as `tempPath` reports it, into `folder`. Fails, with
// `folder` empty, when it reports none (a 0 result, whatever its error: an
// empty folder would put the copy in the current one) or a path longer than
// the buffer holds, since a cut path must never be written to.
StepResult GetDeployFolder(TempPathFunction tempPath, WCHAR (&folder)[kDeployPathChars]);

// A shell start: StartThroughShell, or a test's stand-in for it.
using ShellStartFunction = StepResult (*)(SHELLEXECUTEINFOW& info, StepId step);

// Starts `path` through `start` ("open", quoted, no parameters, `folder` as
// working directory, shown normally, no error box of the shell's), tried
// again through `pause` while a scanner holds the file (RetryWhileHeld), and
// waits for its process: kInstalled with its exit code (0 when the shell gave
// no process). Otherwise the end of the failed start (a quoted path too long:
// ERROR_FILENAME_EXCED_RANGE) or wait, traced.
RunOutcome RunInstaller(LPCWSTR path, LPCWSTR folder, ShellStartFunction start = StartThroughShell,
                        PauseFunction pause = Sleep);
