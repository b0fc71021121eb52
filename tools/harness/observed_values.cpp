#include "tools/harness/observed_values.h"

#include <shlobj.h>
#include <wchar.h>
#include <wctype.h>

#include "tools/harness/expected_values.h"

std::wstring SetupPathValue() {
  wchar_t buffer[1024] = {};
  DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CURRENT_USER, expected::kSetupPathKey, L"SetupPath", RRF_RT_REG_SZ, nullptr,
                   buffer, &bytes) != ERROR_SUCCESS) {
    return L"";
  }
  return buffer;
}

std::wstring StringValueIn(HKEY root, LPCWSTR keyPath, LPCWSTR name, REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return L"";
  wchar_t value[MAX_PATH + 1] = {};
  DWORD bytes = sizeof(value) - sizeof(wchar_t);
  const LSTATUS status =
      RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? std::wstring(value) : std::wstring();
}

std::wstring SampleProductDir() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, folder))) return L"";
  return std::wstring(folder) + L"\\Velmora\\Zelvane";
}

namespace {

// `text` with each insert "%<n>" replaced: %1 by `first`, the others by
// nothing.
std::wstring FillInserts(const std::wstring& text, const std::wstring& first) {
  std::wstring filled;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] != L'%' || at + 1 >= text.size() || !iswdigit(text[at + 1])) {
      filled += text[at];
      continue;
    }
    size_t end = at + 1;
    while (end < text.size() && iswdigit(text[end])) ++end;
    if (text.compare(at, end - at, L"%1") == 0) filled += first;
    at = end - 1;
  }
  return filled;
}

}  // namespace

std::wstring SystemErrorText(DWORD error, const std::wstring& program) {
  wchar_t text[512] = {};
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, 512, nullptr);
  while (length > 0 && wcschr(L"\r\n \t", text[length - 1])) --length;
  return FillInserts(std::wstring(text, length), program);
}

int ExpectedLanguageOfLocale(LCID lcid) {
  switch (lcid & 0xFF) {
    case 0x0C: return 1;
    case 0x07: return 2;
    case 0x10: return 3;
    case 0x0A: return 4;
    case 0x16: return 5;
    case 0x04: return 6;
    case 0x11: return 7;
    default: return 0;
  }
}
