#include "env.h"

#include <windows.h>

std::wstring GetEnv(const wchar_t* name, const std::wstring& fallback) {
  DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
  if (needed == 0) return fallback;
  std::wstring value(needed, L'\0');
  DWORD length = GetEnvironmentVariableW(name, &value[0], needed);
  value.resize(length);
  return value;
}
