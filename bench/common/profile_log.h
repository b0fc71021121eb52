// The start-up programs of the hand-off bench report their counter readings
// as one line appended to the file QUARNEL_BENCH_PROFILE_LOG names. Header
// only: those programs link nothing of the bench's own.
#pragma once
#include <windows.h>

#include "base/scoped_handles.h"

// Appends the `length` bytes of `line` to the profile log; false when the
// variable is unset, names too long a path, or the file will not open.
inline bool AppendProfileLine(const char* line, int length) {
  WCHAR path[MAX_PATH + 1];
  const DWORD pathLength =
      GetEnvironmentVariableW(L"QUARNEL_BENCH_PROFILE_LOG", path, MAX_PATH + 1);
  if (pathLength == 0 || pathLength > MAX_PATH) return false;
  ScopedHandle file(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  DWORD written = 0;
  WriteFile(file.Get(), line, static_cast<DWORD>(length), &written, nullptr);
  return true;
}
