#include "app/setup_deploy.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/system_path.h"
#include "framework/scoped_handles.h"
#include "res/resource.h"

namespace {

const WCHAR kProductKey[] = L"Velmora\\Quarnel";
const WCHAR kSetupPathValue[] = L"SetupPath";

// The payload as loaded from the launcher's own module; null when missing.
const void* LoadPayload(DWORD* size) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  if (!resource) return nullptr;
  *size = SizeofResource(nullptr, resource);
  if (*size == 0) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, resource);
  return loaded ? LockResource(loaded) : nullptr;
}

// "\"<path>\"" into `quoted`; FALSE when it would not fit.
bool QuotePath(LPCWSTR path, WCHAR (&quoted)[kDeployPathChars + 2]) {
  const int length = lstrlenW(path);
  if (length + 2 >= kDeployPathChars + 2) return false;
  quoted[0] = L'"';
  CopyMemory(quoted + 1, path, length * sizeof(WCHAR));
  quoted[length + 1] = L'"';
  quoted[length + 2] = L'\0';
  return true;
}

}  // namespace

bool GetDeployFolder(WCHAR (&folder)[kDeployPathChars]) {
  ZeroMemory(folder, sizeof(folder));
  const DWORD length = GetTempPathW(kDeployPathChars, folder);
  if (length >= static_cast<DWORD>(kDeployPathChars)) {
    // The return value is the size needed; the buffer holds nothing usable.
    folder[0] = L'\0';
    return false;
  }
  if (length == 0) folder[0] = L'\0';
  return true;
}

bool FindFreeSetupPath(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]) {
  WCHAR name[32];
  for (int n = 1; n > 0; ++n) {
    wsprintfW(name, L"Quarnel_Setup%d.exe", n);
    if (!JoinPath(folder, name, path, kDeployPathChars)) return false;
    if (!PathFileExistsW(path)) return true;
  }
  path[0] = L'\0';
  return false;
}

BOOL ExtractPayload(LPCWSTR path) {
  DWORD size = 0;
  const void* payload = LoadPayload(&size);
  if (!payload) return FALSE;
  ScopedHandle file(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return FALSE;
  DWORD written = 0;
  const BOOL wrote = WriteFile(file.Get(), payload, size, &written, nullptr);
  // A short write without an error (a full disk on some file systems) is
  // still a failed copy.
  return wrote && written == size;
}

BOOL RecordSetupPath(LPCWSTR path) {
  if (!path) return FALSE;
  ScopedRegKey software;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE", 0, KEY_READ | KEY_WRITE, software.Receive()) !=
      ERROR_SUCCESS) {
    return FALSE;
  }
  ScopedRegKey product;
  if (RegCreateKeyExW(software.Get(), kProductKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, product.Receive(), nullptr) != ERROR_SUCCESS) {
    return FALSE;
  }
  const DWORD bytes = (lstrlenW(path) + 1) * sizeof(WCHAR);
  return RegSetValueExW(product.Get(), kSetupPathValue, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(path), bytes) == ERROR_SUCCESS;
}

BOOL DeploySetup() {
  WCHAR folder[kDeployPathChars];
  if (!GetDeployFolder(folder)) return FALSE;
  WCHAR path[kDeployPathChars];
  if (!FindFreeSetupPath(folder, path)) return FALSE;
  if (!ExtractPayload(path)) return FALSE;
  RecordSetupPath(path);

  WCHAR quoted[kDeployPathChars + 2];
  if (!QuotePath(path, quoted)) return FALSE;
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = L"open";
  info.lpFile = quoted;
  info.lpDirectory = folder;
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info) || reinterpret_cast<INT_PTR>(info.hInstApp) <= 32) return FALSE;
  if (info.hProcess) {
    ScopedHandle process(info.hProcess);
    WaitForSingleObject(process.Get(), INFINITE);
  }
  return TRUE;
}
