#include "app/setup_copy_check.h"

#include <string.h>

#include "app/setup_payload.h"

namespace {

// Read back a piece at a time into the stack: measured under Wine, twice as
// fast as comparing through a view of the file, and no heap.
constexpr DWORD kCheckChunkBytes = 64 * 1024;

}  // namespace

StepResult CheckSetupCopy(HANDLE lock) {
  const void* payload = nullptr;
  DWORD size = 0;
  const StepResult loaded = LoadPayload(payload, size);
  if (!loaded) return loaded;
  // A longer copy is not the payload either, though its first bytes are.
  LARGE_INTEGER fileSize = {};
  if (!GetFileSizeEx(lock, &fileSize)) return StepResult::FailedWithLastError(StepId::kSetupCheck);
  if (fileSize.QuadPart != static_cast<LONGLONG>(size)) {
    return StepResult::Failed(StepId::kSetupCheck, ERROR_FILE_INVALID);
  }
  const LARGE_INTEGER start = {};
  if (!SetFilePointerEx(lock, start, nullptr, FILE_BEGIN)) {
    return StepResult::FailedWithLastError(StepId::kSetupCheck);
  }
  const BYTE* const expected = static_cast<const BYTE*>(payload);
  BYTE chunk[kCheckChunkBytes];
  for (DWORD offset = 0; offset < size;) {
    const DWORD wanted = size - offset < kCheckChunkBytes ? size - offset : kCheckChunkBytes;
    DWORD got = 0;
    if (!ReadFile(lock, chunk, wanted, &got, nullptr)) {
      return StepResult::FailedWithLastError(StepId::kSetupCheck);
    }
    // A copy that ends early, or reads more than was asked, is no payload.
    if (got == 0 || got > wanted || memcmp(chunk, expected + offset, got) != 0) {
      return StepResult::Failed(StepId::kSetupCheck, ERROR_FILE_INVALID);
    }
    offset += got;
  }
  return StepResult::Done(StepId::kSetupCheck);
}
