// Environment switches of the stand-in programs.
#pragma once
#include <string>

// The variable's value, or `fallback` when it is not set.
std::wstring GetEnv(const wchar_t* name, const std::wstring& fallback = L"");
