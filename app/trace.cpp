#include "app/trace.h"

#include <stdarg.h>

#include "base/scoped_handles.h"

namespace {

const WCHAR kTraceVariable[] = L"QUARNEL_TRACE";
const WCHAR kDebuggerValue[] = L"debug";
// wvsprintfW writes at most 1024 characters and the terminator.
constexpr int kFormattedChars = 1025;
constexpr int kStampChars = 48;
constexpr int kLineChars = kStampChars + kFormattedChars + 2;
// UTF-8 takes at most three bytes for each UTF-16 code unit.
constexpr int kLineBytes = kLineChars * 3;
constexpr int kTracePathChars = 1024;

enum class Sink { kUnread, kNone, kDebugger, kFile };

struct TraceState {
  Sink sink;
  DWORD written;
  WCHAR path[kTracePathChars];
};

TraceState g_trace = {Sink::kUnread, 0, {}};

// "2026-12-09T17:20:30.123Z 4242 " into `line`; returns its length.
int WriteStamp(LPWSTR line) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return wsprintfW(line, L"%04u-%02u-%02uT%02u:%02u:%02u.%03uZ %lu ", now.wYear, now.wMonth,
                   now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds,
                   GetCurrentProcessId());
}

// true for a value that names something other than a local file: a UNC
// share (which would be sent the user's credentials), a named pipe, a device,
// or an NT path ("\??\UNC\..." reaches shares too).
bool NamesRemoteOrDevice(LPCWSTR value) {
  const bool firstSeparator = value[0] == L'\\' || value[0] == L'/';
  const bool secondSeparator = value[1] == L'\\' || value[1] == L'/';
  if (firstSeparator && secondSeparator) return true;
  return firstSeparator && value[1] == L'?' && value[2] == L'?';
}

// `c` with A to Z folded to a to z, and nothing else changed: the same in
// every locale (a Turkish one folds "I" to a dotless i).
WCHAR FoldAscii(WCHAR c) {
  return c >= L'A' && c <= L'Z' ? static_cast<WCHAR>(c - L'A' + L'a') : c;
}

// "debug" in any case: a value meant for the debugger never becomes a file
// named "Debug" in the current folder. Compared by hand, since the ordinal
// comparison Windows offers is missing before 6.0.
bool NamesDebugger(LPCWSTR value) {
  int at = 0;
  while (kDebuggerValue[at] && FoldAscii(value[at]) == kDebuggerValue[at]) ++at;
  return kDebuggerValue[at] == L'\0' && value[at] == L'\0';
}

// Appends `line` (`length` code units) to the trace file within the run's
// budget. The file is opened with identification-level quality of service,
// so whatever answers the open can see who asks but never act as that user;
// one that opens as other than a plain disk file (a console, NUL, a serial
// port) turns the trace off for the rest of the run, unwritten.
void AppendToFile(LPCWSTR line, int length) {
  char bytes[kLineBytes];
  const int count =
      WideCharToMultiByte(CP_UTF8, 0, line, length, bytes, kLineBytes, nullptr, nullptr);
  if (count <= 0 || g_trace.written + count > kTraceRunBytes) return;
  const DWORD flags = FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;
  ScopedHandle file(CreateFileW(g_trace.path, FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, flags, nullptr));
  if (!file.Valid()) return;
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    g_trace.sink = Sink::kNone;
    return;
  }
  DWORD done = 0;
  WriteFile(file.Get(), bytes, static_cast<DWORD>(count), &done, nullptr);
  g_trace.written += done;
}

// The length of what wvsprintfW wrote at `text`, at most `limit`: its result
// cannot be taken as that length, since some systems count a terminator it
// wrote at the limit.
int WrittenLength(LPCWSTR text, int limit) {
  int length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  return length;
}

}  // namespace

void TraceConfigure() {
  g_trace.written = 0;
  g_trace.sink = Sink::kNone;
  const DWORD length = GetEnvironmentVariableW(kTraceVariable, g_trace.path, kTracePathChars);
  if (length == 0 || length >= static_cast<DWORD>(kTracePathChars)) {
    g_trace.path[0] = L'\0';
    return;
  }
  if (NamesDebugger(g_trace.path)) {
    g_trace.sink = Sink::kDebugger;
  } else if (NamesRemoteOrDevice(g_trace.path)) {
    g_trace.path[0] = L'\0';
  } else {
    g_trace.sink = Sink::kFile;
  }
}

bool TraceEnabled() {
  if (g_trace.sink == Sink::kUnread) {
    const DWORD lastError = GetLastError();
    TraceConfigure();
    SetLastError(lastError);
  }
  return g_trace.sink == Sink::kDebugger || g_trace.sink == Sink::kFile;
}

void Trace(LPCWSTR format, ...) {
  if (!TraceEnabled()) return;
  const DWORD lastError = GetLastError();
  WCHAR line[kLineChars];
  int length = WriteStamp(line);
  va_list arguments;
  va_start(arguments, format);
  line[length] = L'\0';
  const int formatted = wvsprintfW(line + length, format, arguments);
  va_end(arguments);
  if (formatted > 0) length += WrittenLength(line + length, kFormattedChars - 1);
  line[length++] = L'\r';
  line[length++] = L'\n';
  line[length] = L'\0';
  if (g_trace.sink == Sink::kDebugger) {
    OutputDebugStringW(line);
  } else {
    AppendToFile(line, length);
  }
  SetLastError(lastError);
}

void TraceIfFailed(LPCWSTR area, const StepResult& result) {
  if (result.ok) return;
  Trace(L"%s: %s failed, error %lu", area, StepCallName(result.step), result.error);
}

LPCWSTR DialogResultName(INT_PTR result) {
  switch (result) {
    case IDOK: return L"IDOK";
    case IDCANCEL: return L"IDCANCEL";
    case IDYES: return L"IDYES";
    case IDNO: return L"IDNO";
  }
  return L"no answer";
}
