#include "app/setup_deploy.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "app/setup_copy_check.h"
#include "app/setup_copy_lock.h"
#include "app/setup_payload.h"
#include "app/trace.h"
#include "base/scoped_handles.h"
#include "base/system_path.h"

namespace {

const WCHAR kProductKey[] = L"Velmora\\Quarnel";
const WCHAR kSetupPathValue[] = L"SetupPath";
const WCHAR kArea[] = L"deploy";

// GetTempPath2W by its name: systems before Windows 10 build 20348 (and
// Wine) lack it, so it cannot be imported.
TempPathFunction FindTempPath2() {
  const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return nullptr;
  return reinterpret_cast<TempPathFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetTempPath2W")));
}

}  // namespace

TempPathFunction ResolveTempPathFunction() {
  const TempPathFunction tempPath2 = FindTempPath2();
  return tempPath2 ? tempPath2 : GetTempPathW;
}

StepResult GetDeployFolder(TempPathFunction tempPath, WCHAR (&folder)[kDeployPathChars]) {
  ZeroMemory(folder, sizeof(folder));
  SetLastError(ERROR_SUCCESS);
  const DWORD length = tempPath(kDeployPathChars, folder);
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

StepResult ExtractPayload(LPCWSTR path, BY_HANDLE_FILE_INFORMATION* written) {
  const void* payload = nullptr;
  DWORD size = 0;
  const StepResult loaded = LoadPayload(payload, size);
  if (!loaded) return loaded;
  // CREATE_NEW: a file that appeared since the name search (another
  // launcher's copy, or one planted with another access list) is never
  // truncated or taken over.
  ScopedHandle file(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return StepResult::FailedWithLastError(StepId::kSetupCopy);
  DWORD count = 0;
  if (!WriteFile(file.Get(), payload, size, &count, nullptr)) {
    return StepResult::FailedWithLastError(StepId::kSetupCopy);
  }
  // A short write without an error (a full disk on some file systems) is
  // still a failed copy.
  if (count != size) return StepResult::Failed(StepId::kSetupCopy, ERROR_DISK_FULL);
  if (written && !GetFileInformationByHandle(file.Get(), written)) {
    return StepResult::FailedWithLastError(StepId::kSetupCopy);
  }
  return StepResult::Done(StepId::kSetupCopy);
}

StepResult WriteSetupCopy(LPCWSTR folder, WCHAR (&path)[kDeployPathChars],
                          BY_HANDLE_FILE_INFORMATION* written) {
  DWORD n = 0;
  if (!FindFreeSetupNumber(folder, n, path)) {
    return StepResult::Failed(StepId::kSetupName, ERROR_FILENAME_EXCED_RANGE);
  }
  for (;;) {
    const StepResult copy = ExtractPayload(path, written);
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

namespace {

// The run's end for a failed deployment step about the copy at `path`,
// traced as every failed step is.
RunOutcome DeploymentFailed(const StepResult& failed, LPCWSTR path) {
  TraceIfFailed(kArea, failed);
  return RunOutcome::Failed(EndOfFailedDeployment(failed), failed, path);
}

// Waits for the installer's process at `path`: its exit code, an unreadable
// one traced and read as 0 (the installer did run to its end); a failed wait
// as such.
RunOutcome WaitForInstaller(HANDLE process, LPCWSTR path) {
  if (WaitForSingleObject(process, INFINITE) == WAIT_FAILED) {
    return DeploymentFailed(StepResult::FailedWithLastError(StepId::kInstallerWait), path);
  }
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(process, &exitCode)) {
    Trace(L"%s: installer ended, its exit code unreadable, error %lu", kArea, GetLastError());
    return RunOutcome::Installed(0);
  }
  Trace(L"%s: installer ended, exit code %lu", kArea, exitCode);
  return RunOutcome::Installed(exitCode);
}

}  // namespace

RunOutcome RunInstaller(LPCWSTR path, LPCWSTR folder, ShellStartFunction start,
                        PauseFunction pause) {
  WCHAR quoted[kQuotedPathChars];
  if (!QuotePath(path, quoted)) {
    return DeploymentFailed(StepResult::Failed(StepId::kInstallerStart, ERROR_FILENAME_EXCED_RANGE),
                            path);
  }
  SHELLEXECUTEINFOW info = {};
  const auto attempt = [&]() {
    info = {};
    info.cbSize = sizeof(info);
    // The launcher reports a refused start itself: no error box of the shell's.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = quoted;
    info.lpDirectory = folder;
    info.nShow = SW_SHOWNORMAL;
    return start(info, StepId::kInstallerStart);
  };
  const StepResult started = RetryWhileHeld(kArea, attempt, pause);
  if (!started) return DeploymentFailed(started, path);
  if (!info.hProcess) {
    Trace(L"%s: started %s, no process to wait for", kArea, path);
    return RunOutcome::Installed(0);
  }
  Trace(L"%s: started %s, waiting", kArea, path);
  const ScopedHandle process(info.hProcess);
  return WaitForInstaller(process.Get(), path);
}

namespace {

// The folder the copy goes to, into `folder`: the temporary folder, or for
// LocalSystem, when `tempPath` is GetTempPathW's shared one, a private
// folder made inside it. Each failure traced.
StepResult ChooseDeployFolder(TempPathFunction tempPath, TokenQueryFunction tokenQuery,
                              WCHAR (&folder)[kDeployPathChars]) {
  const StepResult temp = GetDeployFolder(tempPath, folder);
  TraceIfFailed(kArea, temp);
  if (!temp || tempPath != GetTempPathW || !RunsAsLocalSystem(tokenQuery)) return temp;
  WCHAR shared[kDeployPathChars];
  CopyMemory(shared, folder, sizeof(shared));
  const StepResult created = CreatePrivateFolder(shared, folder);
  TraceIfFailed(kArea, created);
  if (created) Trace(L"%s: LocalSystem without GetTempPath2W, private folder %s", kArea, folder);
  return created;
}

}  // namespace

RunOutcome DeploySetup(TokenQueryFunction tokenQuery) {
  const TempPathFunction tempPath = ResolveTempPathFunction();
  if (tempPath != GetTempPathW) Trace(L"%s: the temporary folder comes from GetTempPath2W", kArea);
  WCHAR folder[kDeployPathChars];
  const StepResult chosen = ChooseDeployFolder(tempPath, tokenQuery, folder);
  if (!chosen) return RunOutcome::Failed(RunEnd::kSetupNotWritten, chosen, nullptr);
  WCHAR copyPath[kDeployPathChars] = {};
  BY_HANDLE_FILE_INFORMATION written = {};
  const StepResult copy = WriteSetupCopy(folder, copyPath, &written);
  if (!copy) return DeploymentFailed(copy, copyPath);
  Trace(L"%s: wrote %s", kArea, copyPath);
  // Held until the installer has ended or could not be started. A scanner
  // still writing is waited out; what decides is the check through the hold.
  ScopedHandle lock;
  const StepResult held = RetryWhileHeld(
      kArea, [&]() { return LockSetupCopy(copyPath, written, lock); }, Sleep);
  if (!held) return DeploymentFailed(held, copyPath);
  const StepResult checked = CheckSetupCopy(lock.Get());
  if (!checked) return DeploymentFailed(checked, copyPath);
  // The installer runs even when its path cannot be recorded.
  TraceIfFailed(kArea, RecordSetupPath(copyPath));
  return RunInstaller(copyPath, folder);
}
