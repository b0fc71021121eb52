#include "sample_install.h"

#include <shlwapi.h>
#include <windows.h>

#include "tools/harness/expected_values.h"

const wchar_t kSampleInstallDir[] = L"C:\\Program Files\\Velmora\\Zelvane";

namespace {

const wchar_t* const kUninstallKey = expected::kUninstallKey;
const int kZelvaneResource = 100;

bool CreateFolderTree(const std::wstring& dir) {
  if (PathIsDirectoryW(dir.c_str())) return true;
  std::wstring parent = dir;
  size_t slash = parent.find_last_of(L"\\/");
  if (slash != std::wstring::npos && slash > 2) {
    parent.resize(slash);
    if (!CreateFolderTree(parent)) return false;
  }
  return CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WriteEmbeddedZelvane(const std::wstring& target) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(kZelvaneResource), RT_RCDATA);
  if (!resource) return false;
  HGLOBAL loaded = LoadResource(nullptr, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  DWORD size = SizeofResource(nullptr, resource);
  if (!data || size == 0) return false;
  HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, data, size, &written, nullptr) && written == size;
  CloseHandle(file);
  return ok;
}

// The product's key lies in the 32-bit view, where the 32-bit launcher
// reads it; a 64-bit build of the installer has to ask for that view.
bool WriteUninstallKey(const std::wstring& dir) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, nullptr, 0,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const wchar_t name[] = L"Zelvane";
  bool ok =
      RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                     sizeof(name)) == ERROR_SUCCESS &&
      RegSetValueExW(key, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(dir.c_str()),
                     static_cast<DWORD>((dir.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  RegCloseKey(key);
  return ok;
}

}  // namespace

std::wstring InstallSampleProduct(const std::wstring& dir, const std::wstring& launcherPath) {
  if (!CreateFolderTree(dir)) return L"cannot create " + dir;
  if (launcherPath.empty()) return L"no launcher to copy (parent gone)";
  if (!CopyFileW(launcherPath.c_str(), (dir + L"\\Quarnel.exe").c_str(), FALSE)) {
    return L"cannot copy the launcher";
  }
  if (!WriteEmbeddedZelvane(dir + L"\\Zelvane.exe")) return L"cannot write Zelvane.exe";
  if (!WriteUninstallKey(dir)) return L"cannot write the uninstall key";
  return L"";
}
