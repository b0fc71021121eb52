// Waiting out an antivirus scanner that still holds a file the launcher has
// just written: the most common reason a fresh installer copy cannot be
// started at once. Only the errors such a hold causes are tried again.
#pragma once
#include <windows.h>

#include "app/step_result.h"
#include "app/trace.h"

// The tries in all, and the pause before each try after the first: about
// three seconds together, long enough for a scanner to finish a large file.
constexpr int kScannerTries = 6;
constexpr DWORD kScannerPausesMs[kScannerTries - 1] = {100, 200, 400, 800, 1500};

// A pause of the given milliseconds (Sleep; a test's clock in tests).
using PauseFunction = void(WINAPI*)(DWORD milliseconds);

// true for the errors another process's open handle gives: a sharing
// violation (32), a lock violation (33), access denied (5) while a scanner
// has the file. A policy's refusal (1260), a bad image (193) or a scanner's
// verdict (225, 226) will not change by waiting.
inline bool IsHeldByAnotherProcess(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

// Calls `attempt()` (returning a StepResult) until it succeeds, fails with
// an error no hold explains, or kScannerTries have failed, pausing through
// `pause` in between; each try that is to be repeated is traced under
// `area`. The last try's result.
template <typename Attempt>
StepResult RetryWhileHeld(LPCWSTR area, Attempt attempt, PauseFunction pause) {
  StepResult result = attempt();
  for (int retry = 0; retry < kScannerTries - 1; ++retry) {
    if (result || !IsHeldByAnotherProcess(result.error)) return result;
    Trace(L"%s: %s failed, error %lu, try %d of %d in %lu ms", area, StepCallName(result.step),
          result.error, retry + 2, kScannerTries, kScannerPausesMs[retry]);
    pause(kScannerPausesMs[retry]);
    result = attempt();
  }
  return result;
}
