#include "self_lock_probe.h"

#include <windows.h>

namespace {

const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::wstring Outcome(bool allowed, DWORD error) {
  return allowed ? L"allowed" : L"denied:" + std::to_wstring(error);
}

std::wstring TryOpen(const std::wstring& path, DWORD access) {
  HANDLE file = CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
  const DWORD error = GetLastError();
  if (file == INVALID_HANDLE_VALUE) return Outcome(false, error);
  CloseHandle(file);
  return Outcome(true, 0);
}

std::wstring TryRename(const std::wstring& path) {
  const std::wstring moved = path + L".moved";
  if (!MoveFileW(path.c_str(), moved.c_str())) return Outcome(false, GetLastError());
  MoveFileW(moved.c_str(), path.c_str());
  return Outcome(true, 0);
}

}  // namespace

LogFields ProbeOwnImage(const std::wstring& imagePath) {
  return {{L"write", TryOpen(imagePath, GENERIC_WRITE)},
          {L"delete", TryOpen(imagePath, DELETE)},
          {L"rename", TryRename(imagePath)}};
}
