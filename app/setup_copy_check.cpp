#include "app/setup_copy_check.h"

#include <string.h>

#include "app/setup_payload.h"
#include "base/scoped_handles.h"

StepResult CheckSetupCopy(HANDLE lock) {
  const void* payload = nullptr;
  DWORD size = 0;
  const StepResult loaded = LoadPayload(payload, size);
  if (!loaded) return loaded;
  // The view is only as long as the file: a shorter one must never be read
  // past its end, and a longer one is not the payload either.
  LARGE_INTEGER fileSize = {};
  if (!GetFileSizeEx(lock, &fileSize)) return StepResult::FailedWithLastError(StepId::kSetupCheck);
  if (fileSize.QuadPart != static_cast<LONGLONG>(size)) {
    return StepResult::Failed(StepId::kSetupCheck, ERROR_FILE_INVALID);
  }
  const ScopedHandle mapping(CreateFileMappingW(lock, nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) return StepResult::FailedWithLastError(StepId::kSetupCheck);
  const ScopedView view(mapping.Get(), FILE_MAP_READ);
  if (!view.Get()) return StepResult::FailedWithLastError(StepId::kSetupCheck);
  if (memcmp(view.Get(), payload, size) != 0) {
    return StepResult::Failed(StepId::kSetupCheck, ERROR_FILE_INVALID);
  }
  return StepResult::Done(StepId::kSetupCheck);
}
