#include "process_info.h"

#include <windows.h>

#include <tlhelp32.h>

std::wstring OwnPath() {
  std::wstring path(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
  path.resize(length);
  return path;
}

std::wstring CurrentDirectory() {
  DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring dir(needed, L'\0');
  DWORD length = GetCurrentDirectoryW(needed, &dir[0]);
  dir.resize(length);
  return dir;
}

namespace {
DWORD ParentProcessId() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  DWORD parent = 0;
  const DWORD self = GetCurrentProcessId();
  for (BOOL ok = Process32FirstW(snapshot, &entry); ok; ok = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == self) {
      parent = entry.th32ParentProcessID;
      break;
    }
  }
  CloseHandle(snapshot);
  return parent;
}
}  // namespace

std::wstring ParentImagePath() {
  const DWORD parentId = ParentProcessId();
  if (parentId == 0) return L"";
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parentId);
  if (!process) return L"";
  std::wstring path(32768, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (!QueryFullProcessImageNameW(process, 0, &path[0], &length)) length = 0;
  CloseHandle(process);
  path.resize(length);
  return path;
}
