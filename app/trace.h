// An account of a run for the user who reports "I double-clicked it and
// nothing happened". Off unless the environment variable QUARNEL_TRACE is
// set, and then nothing about the run changes but the lines written:
//   QUARNEL_TRACE=debug   each line goes to OutputDebugStringW (any case);
//   QUARNEL_TRACE=<file>  each line is appended to that file in UTF-8, when
//                         it is a plain file on a disk: a value starting with
//                         two slashes (a share, a pipe, a device) or "\??",
//                         and anything that opens as other than a disk file
//                         (CON, NUL, COM1), writes nothing.
// Every line starts with the UTC time and the process id:
//   2026-12-09T17:20:30.123Z 4242 decision: ask update -> IDCANCEL
#pragma once
#include <windows.h>

#include "app/step_result.h"

// A run never appends more than this to the trace file: a line that would
// pass it is dropped.
constexpr DWORD kTraceRunBytes = 64 * 1024;

// Reads QUARNEL_TRACE afresh and gives the run a fresh byte budget. The first
// Trace call does this by itself. A value longer than 1023 characters turns
// the trace off rather than naming a cut path.
void TraceConfigure();

// true when QUARNEL_TRACE asks for lines.
bool TraceEnabled();

// Writes one line formatted by wvsprintfW rules (%s a wide string, %lu a
// DWORD) after the time and process id, and ends it with CR LF; text past
// 1024 characters is left out of that line, and a cut line carries no
// terminator into the trace. Failures to write are ignored, and the thread's
// last error is kept as it was.
void Trace(LPCWSTR format, ...);

// "<area>: <call> failed, error <n>" for a step that failed; nothing for one
// that succeeded.
void TraceIfFailed(LPCWSTR area, const StepResult& result);

// A dialog result as the trace names it ("IDOK", "IDCANCEL"); never null.
LPCWSTR DialogResultName(INT_PTR result);
