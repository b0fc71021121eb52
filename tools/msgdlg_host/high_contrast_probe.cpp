#include "high_contrast_probe.h"

#include <windows.h>

#include <cwchar>

#include "base/scoped_handles.h"
#include "import_redirect.h"
#include "tools/harness/high_contrast.h"

namespace {

typedef BOOL(WINAPI* SystemParametersInfoFn)(UINT, UINT, PVOID, UINT);
SystemParametersInfoFn g_original = nullptr;

// The stored HCF_* flags; 0 (off) when there are none.
DWORD StoredFlags() {
  ScopedRegKey key;
  if (key.Open(HKEY_CURRENT_USER, kHighContrastKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return 0;
  wchar_t text[16] = {};
  DWORD type = 0;
  DWORD bytes = sizeof(text) - sizeof(wchar_t);
  if (RegQueryValueExW(key.Get(), kHighContrastFlags, nullptr, &type, reinterpret_cast<BYTE*>(text),
                       &bytes) != ERROR_SUCCESS ||
      type != REG_SZ)
    return 0;
  return static_cast<DWORD>(std::wcstoul(text, nullptr, 10));
}

BOOL WINAPI AnsweringSystemParametersInfo(UINT action, UINT param, PVOID value, UINT winIni) {
  const BOOL result = g_original ? g_original(action, param, value, winIni) : FALSE;
  if (action != SPI_GETHIGHCONTRAST || !result || !value) return result;
  static_cast<HIGHCONTRASTW*>(value)->dwFlags = StoredFlags();
  return result;
}

}  // namespace

bool InstallHighContrastProbe() {
  FARPROC original = nullptr;
  if (!RedirectImport("user32.dll", "SystemParametersInfoW",
                      AsFarProc(&AnsweringSystemParametersInfo), &original))
    return false;
  g_original = reinterpret_cast<SystemParametersInfoFn>(reinterpret_cast<void*>(original));
  return true;
}
