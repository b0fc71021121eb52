#include "app/app_handoff.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/system_path.h"

namespace {
const int kHandoffPathChars = kLauncherPathChars;
}

void LaunchInstalledApplication(LPCWSTR installedLauncherPath) {
  const int length = lstrlenW(installedLauncherPath);
  if (length >= kHandoffPathChars) return;
  WCHAR path[kHandoffPathChars];
  CopyMemory(path, installedLauncherPath, (length + 1) * sizeof(WCHAR));
  PathRemoveFileSpecW(path);
  WCHAR folder[kHandoffPathChars];
  CopyMemory(folder, path, sizeof(folder));
  if (!PathAppendW(path, L"Zelvane.exe")) return;

  WCHAR quoted[kHandoffPathChars + 2];
  wsprintfW(quoted, L"\"%s\"", path);
  ShellExecuteW(nullptr, L"open", quoted, nullptr, folder[0] ? folder : nullptr, SW_SHOWNORMAL);
}
