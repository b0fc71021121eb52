#include "product_state.h"

#include <vector>

#include "base/scoped_handles.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/launcher_run.h"

namespace {

const wchar_t* const kUninstallKey = expected::kUninstallKey;
const wchar_t kAppDefaultsKey[] = L"Software\\Wine\\AppDefaults\\Quarnel.exe";

bool KeyExists(HKEY root, const wchar_t* path) {
  ScopedRegKey key;
  return key.Open(root, path, KEY_READ) == ERROR_SUCCESS;
}

// A string value, read whole whatever its length.
std::wstring StringValue(HKEY root, const wchar_t* path, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return std::wstring();
  }
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegGetValueW(root, path, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::wstring();
  }
  return std::wstring(buffer.data());
}

}  // namespace

bool ForgetProduct() {
  ResetProductState();
  return !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) &&
         !KeyExists(HKEY_CURRENT_USER, L"SOFTWARE\\Velmora") &&
         !KeyExists(HKEY_CURRENT_USER, kAppDefaultsKey);
}

std::wstring InstalledLocation() {
  return StringValue(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation");
}

std::wstring RecordedSetupPath() {
  return StringValue(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath");
}

ReportedWindowsVersion::ReportedWindowsVersion(const wchar_t* version) {
  ScopedRegKey key;
  if (key.Create(HKEY_CURRENT_USER, kAppDefaultsKey, KEY_SET_VALUE) != ERROR_SUCCESS) {
    return;
  }
  const DWORD bytes = static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t));
  m_active = RegSetValueExW(key.Get(), L"Version", 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(version), bytes) == ERROR_SUCCESS;
}

ReportedWindowsVersion::~ReportedWindowsVersion() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaultsKey);
}

long long FileSizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring StringOfModule(const std::wstring& module, UINT id) {
  const HMODULE image = LoadLibraryExW(module.c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!image) return std::wstring();
  // Asked for no buffer, LoadStringW hands out the resource itself: the
  // whole text whatever its length.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(image, id, reinterpret_cast<LPWSTR>(&text), 0);
  std::wstring out = length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : L"";
  FreeLibrary(image);
  return out;
}
