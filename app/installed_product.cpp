#include "app/installed_product.h"

#include <shlwapi.h>

#include "app/file_version.h"
#include "app/system_path.h"
#include "framework/scoped_handles.h"

const WCHAR kUninstallKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
    L"{4C2E91B7-0D3A-4F68-A5E2-7B19C6D03F8A}";

namespace {

const DWORD kValueBufferBytes = 540;
const int kValueBufferChars = kValueBufferBytes / sizeof(WCHAR);

// Reads a value into the zero-filled 540-byte buffer. FALSE when the value
// is missing, longer than the buffer, or fills it without a terminator.
bool ReadValue(HKEY key, LPCWSTR name, WCHAR (&buffer)[kValueBufferChars], DWORD* type) {
  ZeroMemory(buffer, sizeof(buffer));
  DWORD bytes = kValueBufferBytes;
  if (RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &bytes) !=
      ERROR_SUCCESS) {
    return false;
  }
  return buffer[kValueBufferChars - 1] == L'\0';
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

BOOL FindInstalledProduct(CString& version, CString& path) {
  ScopedRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, key.Receive()) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  WCHAR buffer[kValueBufferChars];
  DWORD type = 0;
  if (!ReadValue(key.Get(), L"DisplayName", buffer, &type)) return FALSE;
  if (!ReadValue(key.Get(), L"InstallLocation", buffer, &type) || !IsText(type)) return FALSE;
  PathUnquoteSpacesW(buffer);
  WCHAR launcherPath[kInstalledPathChars];
  if (!JoinPath(buffer, L"Quarnel.exe", launcherPath, kInstalledPathChars)) return FALSE;
  path = launcherPath;
  ReadFileVersion(launcherPath, version);
  return TRUE;
}
