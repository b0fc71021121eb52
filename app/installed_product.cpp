#include "app/installed_product.h"

#include <shlwapi.h>

#include "app/file_version.h"
#include "base/system_path.h"
#include "base/scoped_handles.h"

namespace {

const DWORD kValueBufferBytes = 540;
const int kValueBufferChars = kValueBufferBytes / sizeof(WCHAR);

// Reads a value into the zero-filled 540-byte buffer; the registry's error
// when it is missing or longer than the buffer.
LSTATUS ReadValue(HKEY key, LPCWSTR name, WCHAR (&buffer)[kValueBufferChars], DWORD* type) {
  ZeroMemory(buffer, sizeof(buffer));
  DWORD bytes = kValueBufferBytes;
  return RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &bytes);
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The install location as text: read, of a text type, terminated within the
// buffer.
StepResult ReadInstallLocation(HKEY key, WCHAR (&buffer)[kValueBufferChars]) {
  DWORD type = 0;
  const LSTATUS status = ReadValue(key, L"InstallLocation", buffer, &type);
  if (status != ERROR_SUCCESS) return StepResult::Failed(StepId::kInstallLocation, status);
  if (!IsText(type)) return StepResult::Failed(StepId::kInstallLocation, ERROR_INVALID_DATATYPE);
  if (buffer[kValueBufferChars - 1] != L'\0') {
    return StepResult::Failed(StepId::kInstallLocation, ERROR_MORE_DATA);
  }
  return StepResult::Done(StepId::kInstallLocation);
}

}  // namespace

StepResult FindInstalledProduct(CString& version, CString& path) {
  ScopedRegKey key;
  const LONG opened = key.Open(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_READ);
  if (opened != ERROR_SUCCESS) return StepResult::Failed(StepId::kUninstallKey, opened);
  WCHAR buffer[kValueBufferChars];
  DWORD type = 0;
  // Only the read has to succeed: the display name's text is never used, so
  // a value that fills the buffer without a terminator still counts.
  const LSTATUS named = ReadValue(key.Get(), L"DisplayName", buffer, &type);
  if (named != ERROR_SUCCESS) return StepResult::Failed(StepId::kDisplayName, named);
  const StepResult location = ReadInstallLocation(key.Get(), buffer);
  if (!location) return location;
  PathUnquoteSpacesW(buffer);
  WCHAR launcherPath[kInstalledPathChars];
  if (!JoinPath(buffer, L"Quarnel.exe", launcherPath, kInstalledPathChars)) {
    return StepResult::Failed(StepId::kInstalledPath, ERROR_FILENAME_EXCED_RANGE);
  }
  path = launcherPath;
  ReadFileVersion(launcherPath, version);
  return StepResult::Done(StepId::kInstalledPath);
}
