// The system's own text of an error as the failure message inserts it.
#pragma once
#include <windows.h>

#include <string>

#include "app/failure_message.h"

// SystemErrorText's result for `error` naming `program`; empty where the
// system has no text for it.
inline std::wstring SystemTextOf(DWORD error, LPCWSTR program = L"Quarnel_Setup1.exe") {
  WCHAR text[kSystemTextChars];
  return SystemErrorText(error, program, text) ? std::wstring(text) : std::wstring();
}
