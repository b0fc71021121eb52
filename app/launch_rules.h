// The small rules of the launch decision, kept apart so tests can run them
// on every input.
#pragma once
#include <windows.h>

// Supported: Windows 6.1 and later. Everything below 6, and 6.0, is not; a
// failed version query (all zero) is therefore unsupported too.
bool IsSupportedWindows(DWORD majorVersion, DWORD minorVersion);

// true when the update question is to be asked: the own version compares
// greater than the installed one. Two empty versions (version.dll not bound)
// compare equal, so the launcher then hands off without a question.
bool IsUpdateOffered(LPCWSTR ownVersion, LPCWSTR installedVersion);

// true exactly when the command-line tail is the two characters "-P".
bool IsForceInstall(LPCWSTR commandLineTail);

// Turns the launcher's full path into the folder announced to the service:
// the file name and the trailing backslash removed, also at a drive's root,
// which leaves the bare designator ("C:\\Quarnel.exe" gives "C:").
void ReduceToAnnouncedFolder(LPWSTR path);
