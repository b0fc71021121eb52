// The floor of the hand-off: a program that does nothing but the launcher's
// shell start of Zelvane.exe from its own folder, with the same quoting,
// verb, working directory and show state.
#include <windows.h>

#include <shellapi.h>
#include <shlwapi.h>

#ifdef HANDOFF_FLOOR_STAMPS
#include "bench/common/profile_log.h"

// Built with HANDOFF_FLOOR_STAMPS, the floor records when it reached its
// entry point, written out after the hand-off so that the writing costs the
// hand-off nothing: "profile<TAB>entry=Q" to QUARNEL_BENCH_PROFILE_LOG.
void WriteEntryStamp(const LARGE_INTEGER& entry) {
  char line[64];
  const int used = wsprintfA(line, "profile\tentry=%I64d\n", entry.QuadPart);
  AppendProfileLine(line, used);
}
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
#ifdef HANDOFF_FLOOR_STAMPS
  LARGE_INTEGER entry;
  QueryPerformanceCounter(&entry);
#endif
  WCHAR path[261];
  const DWORD length = GetModuleFileNameW(nullptr, path, 261);
  if (length == 0 || length >= 261) return 1;
  PathRemoveFileSpecW(path);
  WCHAR folder[261];
  CopyMemory(folder, path, sizeof(folder));
  if (!PathAppendW(path, L"Zelvane.exe")) return 1;
  WCHAR quoted[263];
  wsprintfW(quoted, L"\"%s\"", path);
  // The launcher's own start: no error box of the shell's, no process handle.
  SHELLEXECUTEINFOW start = {};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_FLAG_NO_UI;
  start.lpVerb = L"open";
  start.lpFile = quoted;
  start.lpDirectory = folder;
  start.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&start);
#ifdef HANDOFF_FLOOR_STAMPS
  WriteEntryStamp(entry);
#endif
  return 0;
}
