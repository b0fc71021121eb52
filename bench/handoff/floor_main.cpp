// The floor of the hand-off: a program that does nothing but the launcher's
// shell start of Zelvane.exe from its own folder, with the same quoting,
// verb, working directory and show state.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  WCHAR path[261];
  const DWORD length = GetModuleFileNameW(nullptr, path, 261);
  if (length == 0 || length >= 261) return 1;
  PathRemoveFileSpecW(path);
  WCHAR folder[261];
  CopyMemory(folder, path, sizeof(folder));
  if (!PathAppendW(path, L"Zelvane.exe")) return 1;
  WCHAR quoted[263];
  wsprintfW(quoted, L"\"%s\"", path);
  ShellExecuteW(nullptr, L"open", quoted, nullptr, folder, SW_SHOWNORMAL);
  return 0;
}
