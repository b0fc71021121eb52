// Judges one run of the launcher from what it left outside itself: the
// stand-in programs' log lines, the stand-in service's requests, its exit
// code and whether it showed a window. Each check returns the problems it
// found, in words a reader of a transcript understands; none means the run
// went as expected.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tools/harness/launcher_run.h"
#include "tools/harness/standin_service_process.h"

// What one run left behind: only the log lines written during that run.
struct RunObservation {
  std::vector<StandinRecord> records;
  std::vector<ServiceLogEntry> requests;
  DWORD exitCode = 0;
  bool windowShown = false;
};

// The install branch of `launcher`: exit code 0 (when no window), two path notices (its full
// path, then its folder), one start of the installer copy `setupCopy` through
// the shell (quoted path, no arguments) with `tempDir` as working directory
// and `launcher` as parent, a successful install and no hand-off. A window
// is allowed only when `windowExpected` (the update question).
std::vector<std::wstring> CheckInstallRun(const RunObservation& run, const std::wstring& launcher,
                                          const std::wstring& tempDir,
                                          const std::wstring& setupCopy, bool windowExpected);

// The same for an installer that records nothing of itself (a real one):
// exit code 0 (when no window), the two path notices and no hand-off.
std::vector<std::wstring> CheckUnrecordedInstallRun(const RunObservation& run,
                                                    const std::wstring& launcher,
                                                    bool windowExpected);

// The hand-off of `launcher` to Zelvane.exe in `installDir`: exit code 0
// (when no window), one
// start of installDir\Zelvane.exe with that folder as working directory and
// `launcher` as parent; no notice, no installer. A window is allowed only
// when `windowExpected` (the declined update question).
std::vector<std::wstring> CheckHandOffRun(const RunObservation& run, const std::wstring& launcher,
                                          const std::wstring& installDir, bool windowExpected);

// A run that showed its message and then did nothing: a window, no notice,
// no installer, no hand-off.
std::vector<std::wstring> CheckMessageOnlyRun(const RunObservation& run);

// The records of `event` in `records`.
std::vector<StandinRecord> RecordsOf(const std::vector<StandinRecord>& records,
                                     const std::wstring& event);
