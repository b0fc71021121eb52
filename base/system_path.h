// The folder-and-name join, quoting, and paths of files in the
// system folder, for loading libraries by full path.
#pragma once
#include <windows.h>

#include "base/path_limits.h"

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
