// The opt-in trace: silent unless asked, then stamped UTF-8 lines appended to
// the named file within a per-run budget.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/trace.h"
#include "tools/harness/scratch_dir.h"

namespace {

// Sets QUARNEL_TRACE for one test and starts a fresh trace run.
class TraceSetting {
 public:
  explicit TraceSetting(const wchar_t* value) {
    SetEnvironmentVariableW(L"QUARNEL_TRACE", value);
    TraceConfigure();
  }
  ~TraceSetting() {
    SetEnvironmentVariableW(L"QUARNEL_TRACE", nullptr);
    TraceConfigure();
  }
};

std::string FileText(const std::wstring& path) {
  std::string bytes;
  ReadWholeFile(path, &bytes);
  return bytes;
}

TEST(Trace, WritesNothingAnywhereUnlessAsked) {
  ScratchDir dir(L"trace-off");
  struct Case {
    const wchar_t* value;
    bool enabled;
  } cases[] = {{nullptr, false},
               {L"", false},
               {L"debug", true},
               {L"Debug", true},
               {L"DEBUG", true},
               // Shares would be sent the user's credentials; pipes and
               // devices are no log files.
               {L"\\\\server\\share\\run.log", false},
               {L"//server/share/run.log", false},
               {L"\\\\.\\pipe\\quarnel", false},
               {L"\\\\?\\C:\\run.log", false},
               {L"\\??\\UNC\\server\\share\\run.log", false}};
  wchar_t saved[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, saved);
  // "debug" is no file name: nothing may appear in the current folder.
  SetCurrentDirectoryW(dir.Path().c_str());
  for (const Case& c : cases) {
    TraceSetting setting(c.value);
    EXPECT_EQ(c.enabled, TraceEnabled()) << (c.value ? c.value : L"(unset)");
    Trace(L"instance: alone");
  }
  SetCurrentDirectoryW(saved);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(dir.File(L"*").c_str(), &found);
  int entries = 0;
  if (search != INVALID_HANDLE_VALUE) {
    do entries += found.cFileName[0] != L'.';
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(0, entries) << "a trace that was not asked for left a file";
}

// What OutputDebugString hands to the system while a test listens: the
// system raises it as an exception that a vectored handler sees first.
std::string g_debugText;

LONG CALLBACK ListenToDebugOutput(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
    g_debugText += reinterpret_cast<const char*>(record->ExceptionInformation[1]);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(Trace, DebugSendsEachStampedLineToTheDebugger) {
  g_debugText.clear();
  PVOID listener = AddVectoredExceptionHandler(1, ListenToDebugOutput);
  ASSERT_NE(nullptr, listener);
  {
    TraceSetting setting(L"debug");
    Trace(L"decision: ask update -> %s", L"IDCANCEL");
  }
  RemoveVectoredExceptionHandler(listener);
  const std::string pid = " " + std::to_string(GetCurrentProcessId()) + " ";
  EXPECT_NE(std::string::npos, g_debugText.find(pid + "decision: ask update -> IDCANCEL\r\n"))
      << g_debugText;
}

TEST(Trace, AppendsStampedUtf8LinesAndKeepsTheLastError) {
  ScratchDir dir(L"trace-file");
  const std::wstring file = dir.File(L"run.log");
  ASSERT_TRUE(WriteWholeFile(file, "earlier run\r\n"));
  TraceSetting setting(file.c_str());
  SetLastError(1234);
  Trace(L"installed: %s at %s", L"1.30", L"C:\\Appli\x00E9s\\Q\\Quarnel.exe");
  EXPECT_EQ(1234u, GetLastError());
  Trace(L"notice %d: status %lu", 1, 255ul);

  const std::string text = FileText(file);
  ASSERT_EQ(0u, text.find("earlier run\r\n")) << text;
  const std::string pid = " " + std::to_string(GetCurrentProcessId()) + " ";
  const size_t first = text.find(pid + "installed: 1.30 at C:\\Appli\xC3\xA9s\\Q\\Quarnel.exe\r\n");
  ASSERT_NE(std::string::npos, first) << text;
  // 2026-12-09T17:20:30.123Z before the process id.
  const std::string stamp = text.substr(13, first - 13);
  ASSERT_EQ(24u, stamp.size()) << stamp;
  EXPECT_EQ('T', stamp[10]);
  EXPECT_EQ('Z', stamp[23]);
  EXPECT_NE(std::string::npos, text.find(pid + "notice 1: status 255\r\n")) << text;
}

TEST(Trace, ARunWritesAtMostItsBudget) {
  ScratchDir dir(L"trace-budget");
  const std::wstring file = dir.File(L"run.log");
  TraceSetting setting(file.c_str());
  const std::wstring filler(900, L'x');
  for (int i = 0; i < 100; ++i) Trace(L"%s", filler.c_str());
  const std::string text = FileText(file);
  EXPECT_LE(text.size(), kTraceRunBytes);
  EXPECT_GT(text.size(), kTraceRunBytes - 1000);
  EXPECT_EQ("\r\n", text.substr(text.size() - 2)) << "a line was cut";

  // A line longer than wvsprintfW's 1024 characters is shortened, not
  // overrun, and carries no terminator into the file.
  TraceConfigure();
  const std::wstring overlong(3000, L'y');
  Trace(L"%s", overlong.c_str());
  const std::string after = FileText(file);
  EXPECT_LT(after.size(), text.size() + 1100);
  const std::string cut = after.substr(text.size());
  EXPECT_EQ(std::string::npos, cut.find('\0')) << "a NUL byte in the cut line";
  EXPECT_EQ("y\r\n", cut.substr(cut.size() - 3));
}

TEST(Trace, ADeviceIsNoTraceFile) {
  // Opening it is allowed, writing to it is not: the trace turns itself off.
  TraceSetting setting(L"NUL");
  Trace(L"instance: alone");
  EXPECT_FALSE(TraceEnabled());
}

TEST(Trace, AFileThatCannotBeWrittenIsIgnored) {
  ScratchDir dir(L"trace-missing");
  TraceSetting setting(dir.File(L"no\\such\\folder\\run.log").c_str());
  EXPECT_TRUE(TraceEnabled());
  Trace(L"deploy: %s failed, error %lu", L"GetTempPathW", 206ul);
  EXPECT_FALSE(FileExists(dir.File(L"no")));
}

}  // namespace
