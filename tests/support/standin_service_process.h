// The stand-in service and other tools run as child processes of a test, and
// the service's request log read back.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

// A program from the stand-in folder, run as a child process sharing the
// test's console and environment; killed if still running when destroyed.
class SpawnedTool {
 public:
  SpawnedTool() = default;
  ~SpawnedTool();
  SpawnedTool(const SpawnedTool&) = delete;
  SpawnedTool& operator=(const SpawnedTool&) = delete;

  // Starts `exeName` from the stand-in folder with `arguments`.
  bool Start(const std::wstring& exeName, const std::wstring& arguments);
  // Waits up to `ms`; true, with its exit code, when the process has ended.
  bool Wait(DWORD ms, DWORD* exitCode = nullptr);
  HANDLE Handle() const { return m_info.hProcess; }
  void Kill();

 private:
  PROCESS_INFORMATION m_info = {};
};

// standin_service.exe, started and stopped through its ready and stop events.
class StandinService {
 public:
  StandinService() = default;
  // Stops the service, killing it if it does not stop.
  ~StandinService();

  // Starts it with `arguments` and waits (at most `ms`) until it answers
  // requests; false if it ended or did not get ready in time.
  bool Start(const std::wstring& arguments, DWORD ms = 30000);
  // Asks it to stop; true when it then ended with exit code 0.
  bool Stop(DWORD ms = 15000);
  // Waits up to `ms` for it to end by itself; true with its exit code.
  bool WaitForExit(DWORD ms, DWORD* exitCode) { return m_process.Wait(ms, exitCode); }

 private:
  SpawnedTool m_process;
};

// One line of the service's log: "request" and its key=value fields.
struct ServiceLogEntry {
  std::wstring event;
  std::map<std::wstring, std::wstring> fields;
  std::wstring Field(const std::wstring& name) const;
};

// Every line of the log at `path`, oldest first; empty if there is none.
std::vector<ServiceLogEntry> ReadServiceLog(const std::wstring& path);
