#include "standin_log.h"

#include <windows.h>

#include "env.h"
#include "process_info.h"
#include "tools/harness/field_escape.h"
#include "tools/harness/utf8.h"

void AppendStandinLog(const std::wstring& event, const LogFields& fields) {
  const std::wstring path = GetEnv(L"QUARNEL_STANDIN_LOG");
  if (path.empty()) return;
  std::wstring line = event;
  for (const auto& field : fields) line += L"\t" + field.first + L"=" + EscapeField(field.second);
  line += L"\n";
  const std::string bytes = ToUtf8(line);
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

LogFields StartFields() {
  // Taken first, as close to the process start as a program can see; the
  // performance counter is one clock for every process of the machine.
  LARGE_INTEGER now = {};
  QueryPerformanceCounter(&now);
  return {{L"qpc", std::to_wstring(now.QuadPart)}, {L"program", OwnPath()},
          {L"cmdline", GetCommandLineW()},         {L"cwd", CurrentDirectory()},
          {L"parent", ParentImagePath()},          {L"bits", std::to_wstring(sizeof(void*) * 8)}};
}

void WaitForReleaseEvent() {
  const std::wstring name = GetEnv(L"QUARNEL_STANDIN_WAIT_EVENT");
  if (name.empty()) return;
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  if (!event) return;
  WaitForSingleObject(event, 5 * 60 * 1000);
  CloseHandle(event);
}

void SignalStartedEvent() {
  const std::wstring name = GetEnv(L"QUARNEL_STANDIN_STARTED_EVENT");
  if (name.empty()) return;
  HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
  if (!event) return;
  SetEvent(event);
  CloseHandle(event);
}
