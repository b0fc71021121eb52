#include "app/launch_rules.h"

#include <shlwapi.h>

#include "app/file_version.h"

bool IsSupportedWindows(DWORD majorVersion, DWORD minorVersion) {
  if (majorVersion < 6) return false;
  return !(majorVersion == 6 && minorVersion == 0);
}

bool IsUpdateOffered(LPCWSTR ownVersion, LPCWSTR installedVersion) {
  return CompareVersions(ownVersion, installedVersion) > 0;
}

bool IsForceInstall(LPCWSTR commandLineTail) {
  if (!commandLineTail || lstrlenW(commandLineTail) != 2) return false;
  return commandLineTail[0] == L'-' && commandLineTail[1] == L'P';
}

void ReduceToAnnouncedFolder(LPWSTR path) {
  PathRemoveFileSpecW(path);
  PathRemoveBackslashW(path);
  // PathRemoveBackslashW keeps a root's backslash; the service is told
  // folders without one, so "C:\\" goes out as "C:".
  if (lstrlenW(path) == 3 && path[1] == L':' && path[2] == L'\\') path[2] = L'\0';
}
