// Writing the embedded installer to the temporary folder and running it.
#pragma once
#include <windows.h>

#include "app/step_result.h"
#include "base/system_path.h"

// Path buffers of the deployment: at most 260 characters.
constexpr int kDeployPathChars = kLauncherPathChars;
// The last installer number the name search tries: "%lu" never shows more
// than ten digits, and the count never wraps.
constexpr DWORD kLastSetupNumber = 0x7FFFFFFF;

// Writes the payload to the first free "Quarnel_Setup<n>.exe" in the
// temporary folder, records its path as "SetupPath", starts it through the
// shell with the temporary folder as working directory and waits until its
// process ends. Succeeds when the copy was written and started (and has
// ended, if the shell gave a process to wait for); otherwise names the step
// that failed. Nothing is written or started when the temporary folder
// cannot be had whole; the copy and "SetupPath" stay when the start fails.
// Every failed step is traced, as are the copy written and the installer's
// start and end.
StepResult DeploySetup();

// Writes resource 9300 of the launcher's own module to a new file at `path`
// in one write straight from the loaded resource. Fails (kPayload) before any
// file is touched when the payload is missing or empty; kSetupCopy when the
// file cannot be created or written whole, with ERROR_FILE_EXISTS (or
// ERROR_ALREADY_EXISTS) when something of that name is already there, which
// is never overwritten.
StepResult ExtractPayload(LPCWSTR path);

// Claims an installer copy in `folder` and writes the payload to it: tries
// the first number FindFreeSetupPath finds, and each following one for as
// long as the name turns out taken when the file is created (a file or
// folder made since the search), so two launchers never share a copy. `path`
// holds the name written, or tried last. Fails kSetupName when no number is
// left (ERROR_FILE_EXISTS once a taken name was tried, else
// ERROR_FILENAME_EXCED_RANGE) or a name would not fit
// (ERROR_FILENAME_EXCED_RANGE, `path` empty); otherwise as ExtractPayload.
StepResult WriteSetupCopy(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]);

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

// The temporary folder into `folder`. Fails, with `folder` empty, when the
// platform reports none (a 0 result, whatever its error: an empty folder
// would put the copy in the current one) or a path longer than the buffer
// holds, since a cut path must never be written to.
StepResult GetDeployFolder(WCHAR (&folder)[kDeployPathChars]);

// Starts `path` through the shell ("open", quoted, no parameters, `folder` as
// working directory, shown normally, no error box of the shell's) and waits
// for its process when the shell hands one back. Fails kInstallerStart
// (ERROR_FILENAME_EXCED_RANGE) when the quoted path would not fit, or with the
// Windows error StartThroughShell gives when the shell refuses; kInstallerWait
// when the wait itself fails.
StepResult RunInstaller(LPCWSTR path, LPCWSTR folder);
