// Starting the installed product's main application.
#pragma once
#include <windows.h>

#include "app/run_outcome.h"
#include "app/step_result.h"
#include "base/system_path.h"

// Buffers of the hand-off: at most 260 characters.
constexpr int kHandoffPathChars = kLauncherPathChars;
// The main application, beside the installed launcher.
constexpr WCHAR kMainApplication[] = L"Zelvane.exe";

// Where the main application of the installed launcher at
// `installedLauncherPath` lives: `program` is that path with its file name
// replaced by "Zelvane.exe", `folder` that path's folder, cut at the last
// backslash or slash alike (a drive's root, "C:\" or "\\?\C:\", keeps its
// separator; no folder part gives an empty folder and the bare name). false,
// with both empty, when the path or the program's path would be longer than
// 260 characters, the most the buffers hold: nothing is cut.
bool HandoffPaths(LPCWSTR installedLauncherPath, WCHAR (&program)[kHandoffPathChars],
                  WCHAR (&folder)[kHandoffPathChars]);

// Starts "Zelvane.exe" from the folder of `installedLauncherPath` (the
// installed Quarnel.exe) through the shell, with that folder as working
// directory, and returns at once, holding no process handle; the shell shows
// no error box of its own. Traces what it started. Fails (kHandoffPath)
// without starting anything when the path is not fully qualified
// (ERROR_BAD_PATHNAME) or the program's path, bare or quoted, would be too
// long (ERROR_FILENAME_EXCED_RANGE); and (kHandoffStart, with the Windows
// error) when the shell refuses.
StepResult LaunchInstalledApplication(LPCWSTR installedLauncherPath);

// For a run nobody sees, where a window nobody can use would only hold the
// product's files against the next update: checks that `installedLauncherPath`
// gives a main application to start, and starts nothing. Fails as
// LaunchInstalledApplication before its start, and (kHandoffProgram) when no
// file of that name is there.
StepResult ConfirmInstalledApplication(LPCWSTR installedLauncherPath);

// The hand-off of the run: LaunchInstalledApplication where somebody can see
// it, ConfirmInstalledApplication where nobody can. kHandedOff, or
// kApplicationNotStarted with the failed step, traced.
RunOutcome RunHandOff(LPCWSTR installedLauncherPath);
