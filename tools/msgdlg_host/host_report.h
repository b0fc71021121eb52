// The host's report: one UTF-8 line per fact, "<dialog>\t<key>\t<value>",
// appended and flushed at once so that a driver can read it while the
// dialog is still open. Dialog 0 holds facts about the whole run.
#pragma once
#include <windows.h>

#include <string>

class HostReport {
 public:
  explicit HostReport(const std::wstring& path);
  // Appends one line; does nothing without a report file.
  void Write(int dialog, const std::string& key, const std::wstring& value) const;
  void Write(int dialog, const std::string& key, long long value) const;

 private:
  std::wstring m_path;
};
