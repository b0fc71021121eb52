// Which paths name one place whatever the current folder and drive: the only
// paths the launcher reads a version from or starts a program by.
#pragma once
#include <windows.h>

// true for the two characters Windows reads as a path separator, \ and /.
inline bool IsSeparator(WCHAR c) { return c == L'\\' || c == L'/'; }

// true for a path that names the same place from any current folder: a drive
// letter, a colon and a backslash or slash ("C:\Apps", "C:/Apps"); a UNC path
// with a server and a share ("\\server\share\Apps"); or the same behind a
// "\\?\" or "\\.\" prefix ("\\?\C:\Apps", "\\?\UNC\server\share"). Everything
// else is relative to something the launcher does not choose ("", ".",
// "Apps\Q", "\Apps\Q", "C:Apps") or names a device or pipe rather than a
// folder ("\\.\pipe\x", "\\?\GLOBALROOT\..."), and so is false; so is a path
// with a character no file name may hold (control characters, " < > | * ?),
// since a quote inside would also break the quoting the shell is given.
bool IsFullyQualifiedPath(LPCWSTR path);

// The length of the drive root `path` starts with and that a folder must keep
// its separator at: 3 for "C:\", 7 for "\\?\C:\" or "\\.\C:\"; 0 when it
// starts with no drive root.
int DriveRootLength(LPCWSTR path);
