// Writing the embedded installer to the temporary folder and running it.
#pragma once
#include <windows.h>

#include "app/system_path.h"

// Path buffers of the deployment: at most 260 characters.
constexpr int kDeployPathChars = kLauncherPathChars;

// Writes the payload to the first free "Quarnel_Setup<n>.exe" in the
// temporary folder, records its path as "SetupPath", starts it through the
// shell with the temporary folder as working directory and waits until its
// process ends. TRUE when the copy was written and started (and has ended).
// FALSE, with nothing started, when the temporary folder's path or the
// copy's path would not fit its buffer.
BOOL DeploySetup();

// Writes resource 9300 of the launcher's own module to `path` in one write
// straight from the loaded resource. FALSE, before any file is touched,
// when the payload is missing or empty.
BOOL ExtractPayload(LPCWSTR path);

// Stores `path` as "SetupPath" (REG_SZ) under HKCU\SOFTWARE\Velmora\Quarnel.
BOOL RecordSetupPath(LPCWSTR path);

// The first "Quarnel_Setup<n>.exe" (n = 1, 2, ...) in `folder` that names
// neither a file nor a folder, joined into `path`. FALSE when no candidate
// fits the buffer.
bool FindFreeSetupPath(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]);

// The temporary folder into `folder`. An empty folder when the platform
// reports none (the copy then lands in the current folder); FALSE when the
// folder's path is longer than the buffer holds, since a cut path must never
// be written to.
bool GetDeployFolder(WCHAR (&folder)[kDeployPathChars]);
