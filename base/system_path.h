// Path buffer sizes, the folder-and-name join, quoting, and paths of files in the
// system folder, for loading libraries by full path.
#pragma once
#include <windows.h>

// Buffers for the paths the launcher builds of its own files, the temporary
// folder, the installer copy and the hand-off: at most 260 characters.
constexpr int kLauncherPathChars = 261;
// Buffers for such a path between double quotes.
constexpr int kQuotedPathChars = kLauncherPathChars + 2;
// Buffers for paths in the system folder: at most 269 characters.
constexpr int kSystemPathChars = 270;

// Joins `folder` and `name` into `out` (capacity `outChars`): the folder, a
// backslash unless the folder is empty or already ends with a backslash or a
// slash, then the name. false, with `out` emptied, when the result would not
// fit: a path is never cut.
bool JoinPath(LPCWSTR folder, LPCWSTR name, LPWSTR out, int outChars);

// `path` between double quotes, for the shell, into `quoted`. false, with
// `quoted` emptied, when `path` is longer than 260 characters: a path is
// never cut.
bool QuotePath(LPCWSTR path, WCHAR (&quoted)[kQuotedPathChars]);

// The system folder, every trailing backslash dropped, joined with
// `fileName` into a kSystemPathChars buffer: exactly one backslash between
// them however the folder is reported. false, with `out` emptied, when the
// folder cannot be read or is no more than backslashes, or the path would be
// longer than 269 characters.
bool SystemFilePath(LPCWSTR fileName, WCHAR (&out)[kSystemPathChars]);
