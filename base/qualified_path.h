// Which paths name one place whatever the current folder and drive: the only
// paths the launcher reads a version from or starts a program by.
#pragma once
#include <windows.h>

// true for the two characters Windows reads as a path separator, \ and /.
inline bool IsSeparator(WCHAR c) { return c == L'\\' || c == L'/'; }

// true for a path that names the same place from any current folder: a drive
// root, or a UNC server and share, possibly behind "\\?\" or "\\.\". false for
// anything relative, a device or pipe, or a character no file name may hold.
bool IsFullyQualifiedPath(LPCWSTR path);

// The length of the drive root `path` starts with and that a folder must keep
// its separator at: 3 for "C:\", 7 for "\\?\C:\" or "\\.\C:\"; 0 when it
// starts with no drive root.
int DriveRootLength(LPCWSTR path);
