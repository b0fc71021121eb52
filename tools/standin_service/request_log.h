// The stand-in service's record of what reached it: one UTF-8 line per
// request, appended to a log file, in the stand-ins' tab-separated
// key=value form:
//   request<TAB>seq=N<TAB>command=N<TAB>status=N<TAB>size=N<TAB>tail=zero|dirty|unterminated
//          <TAB>watch=present|absent|none<TAB>reply=N|none<TAB>path=TEXT
// `path` comes last and is written as received (tabs and line feeds would be
// written as \t and \n, a backslash as itself).
#pragma once
#include <windows.h>

#include <string>

#include "base/scoped_handles.h"
#include "channel/command_record.h"

struct LoggedRequest {
  DWORD sequence = 0;
  CommandRecord record = {};
  const wchar_t* watch = L"none";  // "present", "absent" or "none"
  bool answered = false;
  DWORD reply = 0;
};

class RequestLog {
 public:
  // Opens `path` for appending; an empty path logs nothing.
  explicit RequestLog(const std::wstring& path);
  RequestLog(const RequestLog&) = delete;
  RequestLog& operator=(const RequestLog&) = delete;

  // Appends the line for `request` in one write, so a death right after it
  // still leaves the whole line behind.
  void Append(const LoggedRequest& request);

 private:
  ScopedHandle m_file;
};

// "zero" when every byte after the path's terminator is zero, "dirty" when
// not, "unterminated" when szPath holds no terminator.
const wchar_t* DescribeTail(const CommandRecord& record);
