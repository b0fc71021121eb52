// The hand-off's required floor: what an installed launcher must do before
// it starts the main application, written straight in Win32 and nothing
// more. It carries the launcher's manifest (common controls 6) and version
// resource, starts common controls and GDI+ (loaded by full path from the
// system folder, as the launcher must), reads its own "FileVersion" and
// that of the launcher copy the uninstall key points at (version.dll bound
// the same way), and starts Zelvane.exe from that copy's folder through the
// shell. The launcher's framework, mutexes, icon, fonts and dialog object
// are left out: the row beside this one shows what they cost.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>

#include "app/uninstall_key.h"

namespace {

const wchar_t kVersionPath[] = L"\\StringFileInfo\\040904b0\\FileVersion";

typedef DWORD(WINAPI* SizeFn)(LPCWSTR, LPDWORD);
typedef BOOL(WINAPI* InfoFn)(LPCWSTR, DWORD, DWORD, LPVOID);
typedef BOOL(WINAPI* QueryFn)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

struct StartupInput {
  UINT32 version;
  void* debugCallback;
  BOOL suppressBackgroundThread;
  BOOL suppressExternalCodecs;
};
typedef int(WINAPI* GdiplusStartupFn)(ULONG_PTR*, const StartupInput*, void*);

// Loads `name` from the system folder by its full path; null on failure.
HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t path[270];
  const UINT length = GetSystemDirectoryW(path, 270);
  if (length == 0 || length >= 270 || !PathAppendW(path, name)) return nullptr;
  return LoadLibraryW(path);
}

// The entry point `name` of `module` as a `Fn`, through void*, which
// converts to any function pointer type without a warning.
template <typename Fn>
Fn EntryPoint(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

void StartGdiplus() {
  HMODULE gdiplus = LoadSystemLibrary(L"gdiplus.dll");
  if (!gdiplus) return;
  const GdiplusStartupFn startup = EntryPoint<GdiplusStartupFn>(gdiplus, "GdiplusStartup");
  const StartupInput input = {1, nullptr, FALSE, FALSE};
  ULONG_PTR token = 0;
  if (startup) startup(&token, &input, nullptr);  // left running until exit, as the launcher does
}

struct VersionFunctions {
  SizeFn size;
  InfoFn info;
  QueryFn query;
};

bool BindVersion(VersionFunctions* functions) {
  HMODULE version = LoadSystemLibrary(L"version.dll");
  if (!version) return false;
  functions->size = EntryPoint<SizeFn>(version, "GetFileVersionInfoSizeW");
  functions->info = EntryPoint<InfoFn>(version, "GetFileVersionInfoW");
  functions->query = EntryPoint<QueryFn>(version, "VerQueryValueW");
  return functions->size && functions->info && functions->query;
}

// The first four characters of `path`'s "FileVersion" into `out` (5
// characters); empty when there is none.
void ReadFileVersion(const VersionFunctions& api, const wchar_t* path, wchar_t (&out)[5]) {
  out[0] = 0;
  DWORD handle = 0;
  const DWORD size = api.size(path, &handle);
  if (size == 0) return;
  void* block = HeapAlloc(GetProcessHeap(), 0, size);
  if (!block) return;
  void* value = nullptr;
  UINT length = 0;
  if (api.info(path, 0, size, block) && api.query(block, kVersionPath, &value, &length) && value) {
    lstrcpynW(out, static_cast<const wchar_t*>(value), 5);
  }
  HeapFree(GetProcessHeap(), 0, block);
}

// The install location from the uninstall key into `folder`; false when
// the product is not installed or the location does not fit.
bool InstalledFolder(wchar_t (&folder)[261]) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD bytes = sizeof(folder) - sizeof(wchar_t);
  DWORD type = 0;
  const bool ok = RegQueryValueExW(key, L"InstallLocation", nullptr, &type,
                                   reinterpret_cast<BYTE*>(folder), &bytes) == ERROR_SUCCESS &&
                  type == REG_SZ;
  RegCloseKey(key);
  if (!ok) return false;
  folder[bytes / sizeof(wchar_t)] = 0;
  PathUnquoteSpacesW(folder);
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  const INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  StartGdiplus();

  VersionFunctions api = {};
  wchar_t own[261], ownVersion[5] = {}, installedVersion[5] = {};
  const DWORD ownLength = GetModuleFileNameW(nullptr, own, 261);
  if (ownLength == 0 || ownLength >= 261) return 1;
  wchar_t folder[261];
  if (!InstalledFolder(folder)) return 1;
  wchar_t installed[270];
  lstrcpynW(installed, folder, 261);
  if (!PathAppendW(installed, L"Quarnel.exe")) return 1;
  if (BindVersion(&api)) {
    ReadFileVersion(api, own, ownVersion);
    ReadFileVersion(api, installed, installedVersion);
  }
  if (lstrcmpW(ownVersion, installedVersion) > 0) return 2;  // would ask; never on this bench

  wchar_t app[261], quoted[263];
  lstrcpynW(app, folder, 261);
  if (!PathAppendW(app, L"Zelvane.exe")) return 1;
  wsprintfW(quoted, L"\"%s\"", app);
  // The launcher's own start: no error box of the shell's, no process handle.
  SHELLEXECUTEINFOW start = {};
  start.cbSize = sizeof(start);
  start.fMask = SEE_MASK_FLAG_NO_UI;
  start.lpVerb = L"open";
  start.lpFile = quoted;
  start.lpDirectory = folder;
  start.nShow = SW_SHOWNORMAL;
  ShellExecuteExW(&start);
  return 0;
}
