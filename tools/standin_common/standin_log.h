// The record a stand-in leaves of each start: one UTF-8 line of
// tab-separated key=value fields appended to the file named by
// QUARNEL_STANDIN_LOG (nothing is written when it is not set). Values are
// escaped with EscapeField (tools/harness/field_escape.h).
#pragma once
#include <string>
#include <utility>
#include <vector>

using LogFields = std::vector<std::pair<std::wstring, std::wstring>>;

// Appends one line "<event>\tkey=value...". One write call, so lines of
// several processes never interleave.
void AppendStandinLog(const std::wstring& event, const LogFields& fields);

// The fields every start records: qpc (performance counter at start),
// program, cmdline, cwd, parent, bits (32 or 64: which build of the
// stand-in ran).
LogFields StartFields();

// If QUARNEL_STANDIN_WAIT_EVENT names an event, waits (at most 5 minutes)
// until it is signalled; tests use it to keep a stand-in running.
void WaitForReleaseEvent();
// If QUARNEL_STANDIN_STARTED_EVENT names an event, signals it.
void SignalStartedEvent();
