#include "tools/standin_service/request_log.h"

#include "tools/harness/field_escape.h"
#include "tools/harness/utf8.h"

namespace {

// Code units of szPath before its terminator; kCommandPathChars when it
// holds none.
int PathLength(const CommandRecord& record) {
  int length = 0;
  while (length < kCommandPathChars && record.szPath[length]) ++length;
  return length;
}

std::wstring PathOf(const CommandRecord& record) {
  return std::wstring(record.szPath, PathLength(record));
}

std::wstring FormatLine(const LoggedRequest& request) {
  const CommandRecord& r = request.record;
  std::wstring line = L"request\tseq=" + std::to_wstring(request.sequence) + L"\tcommand=" +
                      std::to_wstring(r.dwCommand) + L"\tstatus=" + std::to_wstring(r.dwStatus) +
                      L"\tsize=" + std::to_wstring(r.dwSize) + L"\ttail=" + DescribeTail(r) +
                      L"\twatch=" + request.watch + L"\treply=" +
                      (request.answered ? std::to_wstring(request.reply) : L"none") + L"\tpath=" +
                      EscapeField(PathOf(r)) + L"\n";
  return line;
}

}  // namespace

RequestLog::RequestLog(const std::wstring& path) {
  if (path.empty()) return;
  m_file.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void RequestLog::Append(const LoggedRequest& request) {
  if (!m_file) return;
  const std::string bytes = ToUtf8(FormatLine(request));
  DWORD written = 0;
  WriteFile(m_file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

const wchar_t* DescribeTail(const CommandRecord& record) {
  const int terminator = PathLength(record);
  if (terminator == kCommandPathChars) return L"unterminated";
  for (int i = terminator + 1; i < kCommandPathChars; ++i) {
    if (record.szPath[i]) return L"dirty";
  }
  return record.wReserved ? L"dirty" : L"zero";
}
