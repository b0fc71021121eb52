// UTF-16 <-> UTF-8 for the logs and reports the stand-ins, the demo and the
// tests write and read. Header only, so programs that link nothing else of
// the stand-ins can use it too.
#pragma once
#include <windows.h>

#include <string>

inline std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string out(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], bytes,
                      nullptr, nullptr);
  return out;
}

inline std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int chars =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (chars <= 0) return std::wstring();
  std::wstring out(chars, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], chars);
  return out;
}
