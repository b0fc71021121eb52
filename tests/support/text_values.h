// Small conversions the unit tests compare through: a framework string as a
// standard one, and a comparison's result as its sign.
#pragma once
#include <string>

#include "afxwin.h"

// `text`, every code unit of it, as a std::wstring gtest can print and compare.
inline std::wstring ToWide(const CString& text) {
  return std::wstring(text.GetString(), text.GetLength());
}

// -1, 0 or 1: the sign of a comparison's result, which only the sign defines.
inline int Sign(int value) { return (value > 0) - (value < 0); }
