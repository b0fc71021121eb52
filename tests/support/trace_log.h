// The launcher's own trace (QUARNEL_TRACE=<file>) read back, so end-to-end
// tests can say why a run that ended silently ended.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One trace line: the process that wrote it and its message, without the
// time stamp.
struct TraceLine {
  DWORD processId = 0;
  std::wstring message;
};

// Every complete line of the trace file at `path`, oldest first; empty when
// there is none.
std::vector<TraceLine> ReadTraceLog(const std::wstring& path);

// The messages of `processId` (0: of every process) that start with `prefix`.
std::vector<std::wstring> TraceMessages(const std::vector<TraceLine>& lines,
                                        const std::wstring& prefix, DWORD processId = 0);

// All messages of the log, one a line, for failure reports.
std::wstring TraceText(const std::vector<TraceLine>& lines);
