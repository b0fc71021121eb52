#include "host_report.h"

#include "tools/harness/utf8.h"

namespace {

// Line feeds and tabs inside a value would break the line format.
std::wstring Flatten(const std::wstring& value) {
  std::wstring out;
  for (wchar_t c : value) {
    if (c == L'\n') out += L"\\n";
    else if (c == L'\t') out += L"\\t";
    else out += c;
  }
  return out;
}

}  // namespace

HostReport::HostReport(const std::wstring& path) : m_path(path) {}

void HostReport::Write(int dialog, const std::string& key, const std::wstring& value) const {
  if (m_path.empty()) return;
  const std::string line =
      std::to_string(dialog) + "\t" + key + "\t" + ToUtf8(Flatten(value)) + "\n";
  HANDLE file = CreateFileW(m_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

void HostReport::Write(int dialog, const std::string& key, long long value) const {
  Write(dialog, key, std::to_wstring(value));
}
