#include "app/setup_copy_lock.h"

bool IsSameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

StepResult LockSetupCopy(LPCWSTR path, const BY_HANDLE_FILE_INFORMATION& written,
                         ScopedHandle& lock) {
  // No write and no delete sharing: the shell's loader opens the image for
  // reading and executing, which this allows; nothing else may change it.
  lock.Reset(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!lock.Valid()) return StepResult::FailedWithLastError(StepId::kSetupLock);
  BY_HANDLE_FILE_INFORMATION now = {};
  // The writer's handle was closed before this open: a file swapped in that
  // moment has another index, or another size.
  if (!GetFileInformationByHandle(lock.Get(), &now) || !IsSameFile(now, written) ||
      now.nFileSizeHigh != written.nFileSizeHigh || now.nFileSizeLow != written.nFileSizeLow) {
    lock.Close();
    return StepResult::Failed(StepId::kSetupLock, ERROR_FILE_INVALID);
  }
  return StepResult::Done(StepId::kSetupLock);
}
