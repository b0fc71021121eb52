// The one escape of a value inside the line formats the stand-ins, the
// stand-in service and the dialog host write (tab-separated fields, one
// record a line) and the harness reads back. Header only, like utf8.h, so
// programs that link nothing else of the harness can use it too.
#pragma once
#include <string>

// `value` with backslash, tab, line feed and carriage return written as
// "\\", "\t", "\n" and "\r", so that it holds neither a field nor a line
// separator.
inline std::wstring EscapeField(const std::wstring& value) {
  std::wstring out;
  for (wchar_t c : value) {
    switch (c) {
      case L'\\': out += L"\\\\"; break;
      case L'\t': out += L"\\t"; break;
      case L'\n': out += L"\\n"; break;
      case L'\r': out += L"\\r"; break;
      default: out += c;
    }
  }
  return out;
}

// The value EscapeField was given. A backslash before any other character
// stands for that character; a lone one at the end for itself.
inline std::wstring UnescapeField(const std::wstring& escaped) {
  std::wstring out;
  for (size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] != L'\\' || i + 1 == escaped.size()) {
      out += escaped[i];
      continue;
    }
    const wchar_t next = escaped[++i];
    out += next == L't' ? L'\t' : next == L'n' ? L'\n' : next == L'r' ? L'\r' : next;
  }
  return out;
}
