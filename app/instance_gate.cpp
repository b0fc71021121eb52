#include "app/instance_gate.h"

#include "app/trace.h"

namespace {

const WCHAR kInstanceMutexName[] = L"Global\\ZelvaneInst7003";

}  // namespace

RunOutcome TakeInstanceMutex(ScopedHandle& instance) {
  const HANDLE handle = CreateMutexW(nullptr, FALSE, kInstanceMutexName);
  const DWORD error = GetLastError();
  instance.Reset(handle);
  if (handle && error == ERROR_ALREADY_EXISTS) {
    instance.Close();
    Trace(L"instance: busy, another launcher runs; exit code %d", kExitAnotherLauncherRuns);
    return RunOutcome::Ended(RunEnd::kAnotherLauncherRuns);
  }
  if (!handle && error == ERROR_ACCESS_DENIED) {
    Trace(L"instance: busy, another account's launcher runs (access denied); exit code %d",
          kExitAnotherLauncherRuns);
    return RunOutcome::Ended(RunEnd::kAnotherLauncherRuns);
  }
  if (!handle) {
    Trace(L"instance: alone, CreateMutexW failed, error %lu", error);
  } else {
    Trace(L"instance: alone");
  }
  return RunOutcome::GoOn();
}
