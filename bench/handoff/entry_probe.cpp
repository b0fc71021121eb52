// Records when a minimal program, built like the hand-off floor, reaches its
// entry point: the platform's own cost of starting a process, for comparison
// with the launcher's. Appends "profile<TAB>entry=Q" to the file named by
// QUARNEL_BENCH_PROFILE_LOG.
#include <windows.h>

#include "bench/common/profile_log.h"

// Built with PROBE_IMPORT_<LIBRARY> definitions, the probe imports those of
// the launcher's libraries too (never calling into them), so that what
// loading each costs shows apart from everything else.
#if defined(PROBE_IMPORT_ALL) || defined(PROBE_IMPORT_COMCTL32) || defined(PROBE_IMPORT_OLE32)
#define ENTRY_PROBE_WITH_IMPORTS
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlwapi.h>

void TouchLauncherImports(bool never) {
  if (!never) return;
#if defined(PROBE_IMPORT_ALL) || defined(PROBE_IMPORT_OLE32)
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
#if defined(PROBE_IMPORT_ALL) || defined(PROBE_IMPORT_COMCTL32)
  InitCommonControlsEx(nullptr);
#endif
#ifdef PROBE_IMPORT_ALL
  ShellExecuteW(nullptr, nullptr, nullptr, nullptr, nullptr, 0);
  PathFileExistsW(nullptr);
  GetStockObject(0);
  RegCloseKey(nullptr);
#endif
}
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
#ifdef ENTRY_PROBE_WITH_IMPORTS
  TouchLauncherImports(GetCommandLineW() == nullptr);
#endif
  char line[64];
  const int used = wsprintfA(line, "profile\tentry=%I64d\n", now.QuadPart);
  return AppendProfileLine(line, used) ? 0 : 1;
}
