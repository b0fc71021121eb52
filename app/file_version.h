// The version the launcher compares: the first four characters of the
// "FileVersion" string in the 040904b0 table of a file's version resource.
#pragma once
#include "afxwin.h"

// At most this many code units of "FileVersion" take part in comparisons.
constexpr int kComparedVersionChars = 4;

// Empties `version`, then fills it with the file's version text (at most four
// code units, fewer when the value is shorter). FALSE only when the file does
// not exist; a file without a readable version leaves `version` empty.
BOOL ReadFileVersion(LPCWSTR path, CString& version);

// Orders two version texts by the framework's ordinal comparison: code unit
// by code unit as unsigned 16-bit numbers, a proper prefix smaller. The texts
// ReadFileVersion gives hold at most the first four characters, so only those
// take part. Only the sign of the result counts.
int CompareVersions(LPCWSTR left, LPCWSTR right);
