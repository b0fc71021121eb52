// Starting programs from the scratch install and reading the start times
// they and the Zelvane.exe they hand off to record, on the shared counter.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/scoped_handles.h"
#include "bench/handoff/scratch_install.h"

class HandoffRunner {
 public:
  // Points the stand-in's log, its started event and the profile log of
  // every child at files in the install folder.
  explicit HandoffRunner(const ScratchInstall& install);
  HandoffRunner(const HandoffRunner&) = delete;
  HandoffRunner& operator=(const HandoffRunner&) = delete;

  // Milliseconds from just before CreateProcess of `exe` to the start
  // Zelvane.exe recorded; negative when it was not started or `exe` did not
  // end.
  double Latency(const std::wstring& exe);

  // Milliseconds from the launch of `exe` (a program that records
  // "profile<TAB>entry=Q") to its entry point; negative on failure.
  double EntryMs(const std::wstring& exe);

  // One run of the start-up profile program (installed where the uninstall
  // key points): milliseconds from its launch
  // to the end of each of `steps` (in that order), then to Zelvane's start.
  // Empty on failure.
  std::vector<double> ProfileStamps(const std::vector<const char*>& steps);

 private:
  struct Launch {
    LONGLONG start = 0;      // counter just before CreateProcess
    std::string zelvaneLog;  // the stand-in's log of that run
    std::string profileLog;  // the profile line, if the program wrote one
  };
  // Starts `exe` from its folder and waits until it has ended and
  // Zelvane.exe has recorded its start; false when either did not happen.
  bool Run(const std::wstring& exe, Launch* launch);

  const ScratchInstall& m_install;
  ScopedHandle m_started;
  std::wstring m_zelvaneLog;
  std::wstring m_profileLog;
};
