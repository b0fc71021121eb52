#include "standin_service_process.h"

#include <fstream>
#include <sstream>

#include "test_paths.h"

namespace {

const wchar_t kReadyEvent[] = L"Global\\ZelvaneSvcStandinReady";
const wchar_t kStopEvent[] = L"Global\\ZelvaneSvcStandinStop";

std::wstring FromUtf8(const std::string& bytes) {
  if (bytes.empty()) return std::wstring();
  const int chars = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()),
                                        nullptr, 0);
  std::wstring text(chars > 0 ? chars : 0, L'\0');
  if (chars > 0) {
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], chars);
  }
  return text;
}

ServiceLogEntry ParseLine(const std::wstring& line) {
  ServiceLogEntry entry;
  std::wistringstream fields(line);
  std::wstring field;
  std::getline(fields, entry.event, L'\t');
  while (std::getline(fields, field, L'\t')) {
    const size_t equals = field.find(L'=');
    if (equals != std::wstring::npos) entry.fields[field.substr(0, equals)] = field.substr(equals + 1);
  }
  return entry;
}

}  // namespace

SpawnedTool::~SpawnedTool() {
  Kill();
  if (m_info.hThread) CloseHandle(m_info.hThread);
  if (m_info.hProcess) CloseHandle(m_info.hProcess);
}

bool SpawnedTool::Start(const std::wstring& exeName, const std::wstring& arguments) {
  const std::wstring exe = std::wstring(QUARNEL_TEST_STANDIN_DIR) + L"\\" + exeName;
  std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &m_info) != FALSE;
}

bool SpawnedTool::Wait(DWORD ms, DWORD* exitCode) {
  if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0) return false;
  DWORD code = 0;
  GetExitCodeProcess(m_info.hProcess, &code);
  if (exitCode) *exitCode = code;
  return true;
}

void SpawnedTool::Kill() {
  if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0) return;
  TerminateProcess(m_info.hProcess, 99);
  WaitForSingleObject(m_info.hProcess, 10000);
}

StandinService::~StandinService() {
  if (!Stop()) m_process.Kill();
}

bool StandinService::Start(const std::wstring& arguments, DWORD ms) {
  // Made here first, so that a leftover signal cannot pass for readiness.
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, kReadyEvent);
  if (!ready) return false;
  ResetEvent(ready);
  bool started = m_process.Start(L"standin_service.exe", arguments);
  if (started) {
    const HANDLE waits[2] = {ready, m_process.Handle()};
    started = WaitForMultipleObjects(2, waits, FALSE, ms) == WAIT_OBJECT_0;
  }
  CloseHandle(ready);
  return started;
}

bool StandinService::Stop(DWORD ms) {
  if (!m_process.Handle()) return true;
  DWORD code = 0;
  if (m_process.Wait(0, &code)) return code == 0;
  HANDLE stop = OpenEventW(EVENT_MODIFY_STATE, FALSE, kStopEvent);
  if (stop) {
    SetEvent(stop);
    CloseHandle(stop);
  }
  return m_process.Wait(ms, &code) && code == 0;
}

std::wstring ServiceLogEntry::Field(const std::wstring& name) const {
  const auto it = fields.find(name);
  return it == fields.end() ? std::wstring() : it->second;
}

std::vector<ServiceLogEntry> ReadServiceLog(const std::wstring& path) {
  std::vector<ServiceLogEntry> entries;
  std::ifstream file(path.c_str(), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty()) entries.push_back(ParseLine(FromUtf8(line)));
  }
  return entries;
}
