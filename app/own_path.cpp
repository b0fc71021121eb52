#include "app/own_path.h"

bool GetOwnModulePath(WCHAR (&path)[kLauncherPathChars]) {
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetModuleFileNameW(nullptr, path, kLauncherPathChars);
  // A full buffer means the path was cut (XP reports no error for it).
  if (length == 0 || length >= static_cast<DWORD>(kLauncherPathChars) ||
      GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    path[0] = L'\0';
    return false;
  }
  return true;
}
