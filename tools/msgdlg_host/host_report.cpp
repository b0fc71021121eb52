#include "host_report.h"

#include "tools/harness/field_escape.h"
#include "tools/harness/utf8.h"

HostReport::HostReport(const std::wstring& path) : m_path(path) {}

void HostReport::Write(int dialog, const std::string& key, const std::wstring& value) const {
  if (m_path.empty()) return;
  const std::string line =
      std::to_string(dialog) + "\t" + key + "\t" + ToUtf8(EscapeField(value)) + "\n";
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
