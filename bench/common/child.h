// A program started by a bench, owned until it ends.
#pragma once
#include <windows.h>

#include <string>

class BenchChild {
 public:
  BenchChild() = default;
  // Kills the process if it still runs, so that no bench leaves one behind.
  ~BenchChild();
  BenchChild(const BenchChild&) = delete;
  BenchChild& operator=(const BenchChild&) = delete;

  // Starts `exe` (quoted as argument 0) with `arguments` appended, the
  // bench's environment, and `workingDir` unless it is empty.
  bool Start(const std::wstring& exe, const std::wstring& arguments,
             const std::wstring& workingDir = L"");
  // Waits at most `ms`; true, with the exit code, when the process ended.
  bool Wait(DWORD ms, DWORD* exitCode = nullptr);
  HANDLE Handle() const { return m_info.hProcess; }
  void Kill();

 private:
  void Release();
  PROCESS_INFORMATION m_info = {};
};

// The folder of this program's own executable, without a trailing backslash.
std::wstring OwnFolder();
