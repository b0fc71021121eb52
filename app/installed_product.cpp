#include "app/installed_product.h"

#include <shlwapi.h>

#include "app/file_version.h"
#include "app/trace.h"
#include "base/qualified_path.h"
#include "base/scoped_handles.h"
#include "base/system_path.h"

namespace {

const DWORD kValueBufferBytes = kInstallValueBytes;
const int kValueBufferChars = kValueBufferBytes / sizeof(WCHAR);

// Reads a value into the zero-filled value buffer; the registry's error
// when it is missing or longer than the buffer.
LSTATUS ReadValue(HKEY key, LPCWSTR name, WCHAR (&buffer)[kValueBufferChars], DWORD* type) {
  ZeroMemory(buffer, sizeof(buffer));
  DWORD bytes = kValueBufferBytes;
  return RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &bytes);
}

// A REG_EXPAND_SZ location with its variables filled in, into `expanded`.
// Fails when the result does not fit the value buffer: it is never cut.
StepResult ExpandLocation(LPCWSTR raw, WCHAR (&expanded)[kValueBufferChars]) {
  const DWORD needed = ExpandEnvironmentStringsW(raw, expanded, kValueBufferChars);
  if (needed == 0) return StepResult::FailedWithLastError(StepId::kInstallLocation);
  if (needed > static_cast<DWORD>(kValueBufferChars)) {
    expanded[0] = L'\0';
    return StepResult::Failed(StepId::kInstallLocation, ERROR_INSUFFICIENT_BUFFER);
  }
  return StepResult::Done(StepId::kInstallLocation);
}

// The install location as a folder: read whatever its type (REG_MULTI_SZ
// gives its first string, REG_EXPAND_SZ is expanded, anything else is read
// as text), terminated within the buffer, unquoted, and fully qualified, so
// that nothing is ever read or started relative to the current folder.
StepResult ReadInstallLocation(HKEY key, WCHAR (&location)[kValueBufferChars]) {
  WCHAR raw[kValueBufferChars];
  DWORD type = 0;
  const LSTATUS status = ReadValue(key, L"InstallLocation", raw, &type);
  if (status != ERROR_SUCCESS) return StepResult::Failed(StepId::kInstallLocation, status);
  if (raw[kValueBufferChars - 1] != L'\0') {
    return StepResult::Failed(StepId::kInstallLocation, ERROR_MORE_DATA);
  }
  if (type == REG_EXPAND_SZ) {
    const StepResult expanded = ExpandLocation(raw, location);
    if (!expanded) return expanded;
  } else {
    CopyMemory(location, raw, sizeof(raw));
  }
  PathUnquoteSpacesW(location);
  if (!IsFullyQualifiedPath(location)) {
    Trace(L"installed: InstallLocation \"%s\" is not a fully qualified folder", location);
    return StepResult::Failed(StepId::kInstallLocation, ERROR_BAD_PATHNAME);
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
  WCHAR launcherPath[kInstalledPathChars];
  if (!JoinPath(buffer, L"Quarnel.exe", launcherPath, kInstalledPathChars)) {
    return StepResult::Failed(StepId::kInstalledPath, ERROR_FILENAME_EXCED_RANGE);
  }
  path = launcherPath;
  ReadFileVersion(launcherPath, version);
  return StepResult::Done(StepId::kInstalledPath);
}
