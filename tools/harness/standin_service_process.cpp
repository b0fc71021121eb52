#include "tools/harness/standin_service_process.h"

#include <fstream>
#include <sstream>

#include "base/scoped_handles.h"
#include "tools/harness/expected_values.h"
#include "tools/harness/field_escape.h"
#include "tools/harness/utf8.h"

namespace {

ServiceLogEntry ParseLine(const std::wstring& line) {
  ServiceLogEntry entry;
  std::wistringstream fields(line);
  std::wstring field;
  std::getline(fields, entry.event, L'\t');
  while (std::getline(fields, field, L'\t')) {
    const size_t equals = field.find(L'=');
    if (equals != std::wstring::npos)
      entry.fields[field.substr(0, equals)] = UnescapeField(field.substr(equals + 1));
  }
  return entry;
}

}  // namespace

StandinService::~StandinService() {
  if (!Stop()) m_process.Kill();
}

bool StandinService::Start(const std::wstring& arguments, DWORD ms) {
  // Made here first, so that a leftover signal cannot pass for readiness.
  ScopedHandle ready(CreateEventW(nullptr, TRUE, FALSE, expected::kStandinReadyEvent));
  if (!ready) return false;
  ResetEvent(ready.Get());
  if (!m_process.Start(StandinPath(L"standin_service.exe"), arguments, {})) return false;
  const HANDLE waits[2] = {ready.Get(), m_process.Handle()};
  return WaitForMultipleObjects(2, waits, FALSE, ms) == WAIT_OBJECT_0;
}

bool StandinService::Stop(DWORD ms) {
  if (!m_process.Handle()) return true;
  if (m_process.Wait(0)) return m_process.ExitCode() == 0;
  ScopedHandle stop(OpenEventW(EVENT_MODIFY_STATE, FALSE, expected::kStandinStopEvent));
  if (stop) SetEvent(stop.Get());
  return m_process.Wait(ms) && m_process.ExitCode() == 0;
}

bool StandinService::WaitForExit(DWORD ms, DWORD* exitCode) {
  if (!m_process.Handle() || !m_process.Wait(ms)) return false;
  *exitCode = m_process.ExitCode();
  return true;
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
