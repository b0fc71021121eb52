#include "bench/common/child.h"

#include <vector>

BenchChild::~BenchChild() {
  if (m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) Kill();
  Release();
}

void BenchChild::Release() {
  if (m_info.hProcess) CloseHandle(m_info.hProcess);
  if (m_info.hThread) CloseHandle(m_info.hThread);
  m_info = {};
}

bool BenchChild::Start(const std::wstring& exe, const std::wstring& arguments,
                       const std::wstring& workingDir) {
  Release();
  std::wstring line = L"\"" + exe + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> mutableLine(line.begin(), line.end());
  mutableLine.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.empty() ? nullptr : workingDir.c_str(), &startup,
                        &m_info) != 0;
}

bool BenchChild::Wait(DWORD ms, DWORD* exitCode) {
  if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(m_info.hProcess, exitCode);
  return true;
}

void BenchChild::Kill() {
  if (!m_info.hProcess) return;
  TerminateProcess(m_info.hProcess, 1);
  WaitForSingleObject(m_info.hProcess, 5000);
}

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH) return L".";
  std::wstring folder(path, length);
  const size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}
