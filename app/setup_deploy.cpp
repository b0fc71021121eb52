#include "app/setup_deploy.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/shell_start.h"
#include "app/trace.h"
#include "base/scoped_handles.h"
#include "base/system_path.h"
#include "res/resource.h"

namespace {

const WCHAR kProductKey[] = L"Velmora\\Quarnel";
const WCHAR kSetupPathValue[] = L"SetupPath";
const WCHAR kArea[] = L"deploy";

// The payload as loaded from the launcher's own module; null when missing.
const void* LoadPayload(DWORD* size) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDR_SETUP_PAYLOAD), RT_RCDATA);
  if (!resource) return nullptr;
  *size = SizeofResource(nullptr, resource);
  if (*size == 0) return nullptr;
  HGLOBAL loaded = LoadResource(nullptr, resource);
  return loaded ? LockResource(loaded) : nullptr;
}

}  // namespace

StepResult GetDeployFolder(WCHAR (&folder)[kDeployPathChars]) {
  ZeroMemory(folder, sizeof(folder));
  SetLastError(ERROR_SUCCESS);
  const DWORD length = GetTempPathW(kDeployPathChars, folder);
  if (length == 0) {
    const DWORD error = GetLastError();
    folder[0] = L'\0';
    return StepResult::Failed(StepId::kTempFolder, error);
  }
  if (length >= static_cast<DWORD>(kDeployPathChars)) {
    // The return value is the size needed; the buffer holds nothing usable.
    folder[0] = L'\0';
    return StepResult::Failed(StepId::kTempFolder, ERROR_INSUFFICIENT_BUFFER);
  }
  return StepResult::Done(StepId::kTempFolder);
}

bool NextSetupNumber(DWORD& n) {
  if (n >= kLastSetupNumber) return false;
  ++n;
  return true;
}

namespace {

// "Quarnel_Setup<n>.exe" in `folder`; false, `path` emptied, when it would
// not fit.
bool FormatSetupPath(LPCWSTR folder, DWORD n, WCHAR (&path)[kDeployPathChars]) {
  WCHAR name[32];
  wsprintfW(name, L"Quarnel_Setup%lu.exe", n);
  return JoinPath(folder, name, path, kDeployPathChars);
}

// The first number whose name is free, with that name in `path`. false when
// a name would not fit, or, with `path` emptied, when every number is taken.
bool FindFreeSetupNumber(LPCWSTR folder, DWORD& n, WCHAR (&path)[kDeployPathChars]) {
  n = 1;
  do {
    if (!FormatSetupPath(folder, n, path)) return false;
    if (!PathFileExistsW(path)) return true;
  } while (NextSetupNumber(n));
  path[0] = L'\0';
  return false;
}

// true when creating the copy failed only because its name is taken.
bool IsNameTaken(const StepResult& result, LPCWSTR path) {
  if (result.ok || result.step != StepId::kSetupCopy) return false;
  if (result.error == ERROR_FILE_EXISTS || result.error == ERROR_ALREADY_EXISTS) return true;
  // Some systems refuse a folder in the way as access denied.
  const DWORD attributes = GetFileAttributesW(path);
  return result.error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool FindFreeSetupPath(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]) {
  DWORD n = 0;
  return FindFreeSetupNumber(folder, n, path);
}

StepResult ExtractPayload(LPCWSTR path) {
  DWORD size = 0;
  const void* payload = LoadPayload(&size);
  if (!payload) return StepResult::FailedWithLastError(StepId::kPayload);
  // CREATE_NEW: a file that appeared since the name search (another
  // launcher's copy, or one planted with another access list) is never
  // truncated or taken over.
  ScopedHandle file(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return StepResult::FailedWithLastError(StepId::kSetupCopy);
  DWORD written = 0;
  if (!WriteFile(file.Get(), payload, size, &written, nullptr)) {
    return StepResult::FailedWithLastError(StepId::kSetupCopy);
  }
  // A short write without an error (a full disk on some file systems) is
  // still a failed copy.
  if (written != size) return StepResult::Failed(StepId::kSetupCopy, ERROR_DISK_FULL);
  return StepResult::Done(StepId::kSetupCopy);
}

StepResult WriteSetupCopy(LPCWSTR folder, WCHAR (&path)[kDeployPathChars]) {
  DWORD n = 0;
  if (!FindFreeSetupNumber(folder, n, path)) {
    return StepResult::Failed(StepId::kSetupName, ERROR_FILENAME_EXCED_RANGE);
  }
  for (;;) {
    const StepResult copy = ExtractPayload(path);
    if (!IsNameTaken(copy, path)) return copy;
    Trace(L"%s: %s was taken since the name search, trying the next number", kArea, path);
    if (!NextSetupNumber(n)) return StepResult::Failed(StepId::kSetupName, ERROR_FILE_EXISTS);
    if (!FormatSetupPath(folder, n, path)) {
      return StepResult::Failed(StepId::kSetupName, ERROR_FILENAME_EXCED_RANGE);
    }
  }
}

StepResult RecordSetupPath(LPCWSTR path) {
  if (!path) return StepResult::Failed(StepId::kSetupPathRecord, ERROR_INVALID_PARAMETER);
  ScopedRegKey software;
  LONG status = software.Open(HKEY_CURRENT_USER, L"SOFTWARE", KEY_READ | KEY_WRITE);
  if (status != ERROR_SUCCESS) return StepResult::Failed(StepId::kSetupPathRecord, status);
  ScopedRegKey product;
  status = product.Create(software.Get(), kProductKey, KEY_ALL_ACCESS);
  if (status != ERROR_SUCCESS) return StepResult::Failed(StepId::kSetupPathRecord, status);
  const DWORD bytes = (lstrlenW(path) + 1) * sizeof(WCHAR);
  status = RegSetValueExW(product.Get(), kSetupPathValue, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(path), bytes);
  if (status != ERROR_SUCCESS) return StepResult::Failed(StepId::kSetupPathRecord, status);
  return StepResult::Done(StepId::kSetupPathRecord);
}

StepResult RunInstaller(LPCWSTR path, LPCWSTR folder) {
  WCHAR quoted[kQuotedPathChars];
  if (!QuotePath(path, quoted)) {
    return StepResult::Failed(StepId::kInstallerStart, ERROR_FILENAME_EXCED_RANGE);
  }
  SHELLEXECUTEINFOW info = {};
  info.cbSize = sizeof(info);
  // The launcher reports a refused start itself: no error box of the shell's.
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"open";
  info.lpFile = quoted;
  info.lpDirectory = folder;
  info.nShow = SW_SHOWNORMAL;
  const StepResult start = StartThroughShell(info, StepId::kInstallerStart);
  if (!start) return start;
  if (!info.hProcess) {
    Trace(L"%s: started %s, no process to wait for", kArea, path);
    return start;
  }
  Trace(L"%s: started %s, waiting", kArea, path);
  ScopedHandle process(info.hProcess);
  if (WaitForSingleObject(process.Get(), INFINITE) == WAIT_FAILED) {
    return StepResult::FailedWithLastError(StepId::kInstallerWait);
  }
  Trace(L"%s: installer ended", kArea);
  return StepResult::Done(StepId::kInstallerWait);
}

StepResult DeploySetup() {
  WCHAR folder[kDeployPathChars];
  const StepResult temp = GetDeployFolder(folder);
  TraceIfFailed(kArea, temp);
  if (!temp) return temp;
  WCHAR path[kDeployPathChars];
  const StepResult copy = WriteSetupCopy(folder, path);
  TraceIfFailed(kArea, copy);
  if (!copy) return copy;
  Trace(L"%s: wrote %s", kArea, path);
  // The installer runs even when its path cannot be recorded.
  const StepResult record = RecordSetupPath(path);
  TraceIfFailed(kArea, record);
  const StepResult run = RunInstaller(path, folder);
  TraceIfFailed(kArea, run);
  return run;
}
