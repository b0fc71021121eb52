// The stand-in service run as a child process of a test, and its request
// log read back.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/harness/launcher_run.h"

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
  bool WaitForExit(DWORD ms, DWORD* exitCode);

 private:
  ChildProcess m_process;
};

// One line of the service's log: "request" and its key=value fields.
using ServiceLogEntry = StandinRecord;

// Every line of the log at `path`, oldest first; empty if there is none.
std::vector<ServiceLogEntry> ReadServiceLog(const std::wstring& path);
