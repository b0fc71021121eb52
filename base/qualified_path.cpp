#include "base/qualified_path.h"

namespace {

bool IsDriveLetter(WCHAR c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "X:" followed by a separator.
bool StartsWithDriveRoot(LPCWSTR path) {
  return IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2]);
}

// "\\?\" or "\\.\": the prefixes that hand the rest of the path to the object
// manager as it stands.
bool StartsWithDevicePrefix(LPCWSTR path) {
  return IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
         IsSeparator(path[3]);
}

// Length of the path component at `path`, up to a separator or the end.
int ComponentLength(LPCWSTR path) {
  int length = 0;
  while (path[length] && !IsSeparator(path[length])) ++length;
  return length;
}

// "server\share" at `path`: two components, neither empty.
bool StartsWithServerAndShare(LPCWSTR path) {
  const int server = ComponentLength(path);
  if (server == 0 || !IsSeparator(path[server])) return false;
  return ComponentLength(path + server + 1) > 0;
}

// "UNC\" (any case), as "\\?\UNC\server\share" spells a share.
bool StartsWithUncWord(LPCWSTR path) {
  return (path[0] | 0x20) == L'u' && (path[1] | 0x20) == L'n' && (path[2] | 0x20) == L'c' &&
         IsSeparator(path[3]);
}

bool IsForbiddenInPath(WCHAR c) {
  return c < 0x20 || c == L'"' || c == L'<' || c == L'>' || c == L'|' || c == L'*' || c == L'?';
}

bool HasOnlyPathCharacters(LPCWSTR path) {
  for (; *path; ++path) {
    if (IsForbiddenInPath(*path)) return false;
  }
  return true;
}

// true for the qualified forms, the characters after the form not examined.
bool HasQualifiedForm(LPCWSTR path) {
  if (StartsWithDriveRoot(path)) return true;
  if (StartsWithDevicePrefix(path)) {
    const LPCWSTR rest = path + 4;
    if (IsDriveLetter(rest[0]) && rest[1] == L':' && (rest[2] == L'\0' || IsSeparator(rest[2]))) {
      return true;
    }
    return StartsWithUncWord(rest) && StartsWithServerAndShare(rest + 4);
  }
  return IsSeparator(path[0]) && IsSeparator(path[1]) && StartsWithServerAndShare(path + 2);
}

}  // namespace

bool IsFullyQualifiedPath(LPCWSTR path) {
  if (!path || !HasQualifiedForm(path)) return false;
  // The prefix's "?" is the one place that character is allowed.
  return HasOnlyPathCharacters(StartsWithDevicePrefix(path) ? path + 4 : path);
}

int DriveRootLength(LPCWSTR path) {
  if (!path) return 0;
  if (StartsWithDriveRoot(path)) return 3;
  if (StartsWithDevicePrefix(path) && StartsWithDriveRoot(path + 4)) return 7;
  return 0;
}
