// The version the launcher compares: the first four characters of the
// "FileVersion" string in the 040904b0 table of a file's version resource.
#pragma once
#include "afxwin.h"

// At most this many code units of "FileVersion" take part in comparisons.
constexpr int kComparedVersionChars = 4;

// Empties `version`, then fills it with the file's version text (at most four
// code units, fewer when the value is shorter). false only when the file does
// not exist; a file without a readable version leaves `version` empty.
bool ReadFileVersion(LPCWSTR path, CString& version);

// Writable bytes a block of version information needs past the size the
// platform reports, as some version.dll builds write a little beyond it when
// converting tables.
constexpr DWORD kVersionBlockSlack = 10;

// Empties `version`, then fills it with the first four code units (fewer when
// the value is shorter) of "FileVersion" in the 040904b0 table of the
// `size`-byte block of version information at `block`, which must have
// kVersionBlockSlack writable bytes beyond. Whatever the block's lengths
// claim, nothing past the block or the value's reported length is taken; a
// block the version library cannot walk, or faults on, leaves it empty.
void ReadVersionFromBlock(LPVOID block, DWORD size, CString& version);

// Orders two version texts by the framework's ordinal comparison: code unit
// by code unit as unsigned 16-bit numbers, a proper prefix smaller. The texts
// ReadFileVersion gives hold at most the first four characters, so only those
// take part. Only the sign of the result counts.
int CompareVersions(LPCWSTR left, LPCWSTR right);
