// The force switch from real command lines, the version gate and the guard
// around calls into system libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include "afxwin.h"
#include "app/guarded_call.h"
#include "app/launch_rules.h"
#include "app/own_path.h"
#include "base/thread_information.h"

namespace {

TEST(ForceInstall, OnlyTheExactTailMinusCapitalP) {
  struct Case {
    const wchar_t* commandLine;
    bool force;
  } cases[] = {
      {L"Quarnel.exe -P", true},
      {L"\"C:\\Program Files\\Q\\Quarnel.exe\" -P", true},
      {L"\"C:\\Program Files\\Q\\Quarnel.exe\"-P", true},
      {L"Quarnel.exe \t  -P", true},
      {L"Quarnel.exe -p", false},
      {L"Quarnel.exe /P", false},
      {L"Quarnel.exe -P ", false},
      {L"Quarnel.exe \"-P\"", false},
      {L"Quarnel.exe -P -Q", false},
      {L"Quarnel.exe", false},
      {L"Quarnel.exe -", false},
  };
  for (const Case& c : cases) {
    wchar_t line[128];
    wcscpy(line, c.commandLine);
    EXPECT_EQ(c.force, IsForceInstall(AfxCommandLineTail(line))) << c.commandLine;
  }
  EXPECT_FALSE(IsForceInstall(nullptr));
}

TEST(SupportedWindows, StartsAtSixPointOne) {
  EXPECT_FALSE(IsSupportedWindows(0, 0));
  EXPECT_FALSE(IsSupportedWindows(5, 1));
  EXPECT_FALSE(IsSupportedWindows(5, 2));
  EXPECT_FALSE(IsSupportedWindows(6, 0));
  EXPECT_TRUE(IsSupportedWindows(6, 1));
  EXPECT_TRUE(IsSupportedWindows(6, 3));
  EXPECT_TRUE(IsSupportedWindows(7, 0));
  EXPECT_TRUE(IsSupportedWindows(10, 0));
}

TEST(UpdateOffer, OnlyWhenTheOwnVersionIsGreater) {
  struct Case {
    const wchar_t* own;
    const wchar_t* installed;
    bool offered;
  } cases[] = {
      {L"1.40", L"1.30", true},
      {L"1.40", L"", true},  // installed launcher missing or without a version
      {L"1.40", L"1.40", false},
      {L"1.40", L"2.00", false},
      {L"", L"", false},  // version.dll not bound: hand-off, no question
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.offered, IsUpdateOffered(c.own, c.installed)) << c.own << L" vs " << c.installed;
  }
}

TEST(AnnouncedFolder, HasNoTrailingBackslashEvenAtARoot) {
  struct Case {
    const wchar_t* path;
    const wchar_t* folder;
  } cases[] = {
      {L"C:\\Apps\\Q\\Quarnel.exe", L"C:\\Apps\\Q"},
      {L"C:\\Quarnel.exe", L"C:"},
      {L"Z:\\a\\Quarnel.exe", L"Z:\\a"},
      {L"\\\\server\\share\\Quarnel.exe", L"\\\\server\\share"},
  };
  for (const Case& c : cases) {
    wchar_t path[261];
    wcscpy(path, c.path);
    ReduceToAnnouncedFolder(path);
    EXPECT_STREQ(c.folder, path) << c.path;
  }
}

TEST(OwnModulePath, IsTheRunningProgram) {
  wchar_t path[kLauncherPathChars];
  ASSERT_TRUE(GetOwnModulePath(path));
  EXPECT_NE(nullptr, wcsstr(path, L"app_launch_rules_test.exe"));
}

ULONG_PTR Crash(void*) {
  volatile int* nowhere = nullptr;
  return static_cast<ULONG_PTR>(*nowhere);
}

ULONG_PTR Twice(void* context) { return 2 * *static_cast<ULONG_PTR*>(context); }

ULONG_PTR DebugOutputThenValue(void*) {
  // Raises an informational exception that the system handles itself.
  OutputDebugStringW(L"guarded call test");
  return 7;
}

// A library's own structured handler, on the thread's chain as a compiler
// would register it. It resumes after kLibraryHandledCode when `handles` is
// set and counts the unwinding calls it receives.
const DWORD kLibraryHandledCode = 0xE0514E01;  // error severity, customer bit
int g_libraryUnwinds = 0;

struct LibraryFrame {
  EXCEPTION_REGISTRATION_RECORD registration;
  bool handles;
};

EXCEPTION_DISPOSITION NTAPI LibraryHandler(EXCEPTION_RECORD* record, void* frame, CONTEXT*, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
    ++g_libraryUnwinds;
    return ExceptionContinueSearch;
  }
  const bool handles = static_cast<LibraryFrame*>(frame)->handles;
  return handles && record->ExceptionCode == kLibraryHandledCode ? ExceptionContinueExecution
                                                                 : ExceptionContinueSearch;
}

NT_TIB* ThreadTib() { return CurrentThreadInformation(); }

// Raises inside a frame that handles the exception itself, then returns 5.
ULONG_PTR RaiseHandledInside(void*) {
  LibraryFrame frame = {{{ThreadTib()->ExceptionList}, {LibraryHandler}}, true};
  ThreadTib()->ExceptionList = &frame.registration;
  RaiseException(kLibraryHandledCode, 0, 0, nullptr);
  ThreadTib()->ExceptionList = frame.registration.Next;
  return 5;
}

// Faults inside a frame whose handler lets the fault pass but must be told
// when its frame is unwound.
ULONG_PTR FaultThroughALibraryFrame(void*) {
  LibraryFrame frame = {{{ThreadTib()->ExceptionList}, {LibraryHandler}}, false};
  ThreadTib()->ExceptionList = &frame.registration;
  volatile int* nowhere = nullptr;
  const ULONG_PTR value = static_cast<ULONG_PTR>(*nowhere);
  ThreadTib()->ExceptionList = frame.registration.Next;
  return value;
}

ULONG_PTR NestedGuard(void* context) {
  return CallGuarded(Crash, nullptr, 3) + *static_cast<ULONG_PTR*>(context);
}

TEST(CallGuarded, LeavesFaultsTheLibraryHandlesToTheLibrary) {
  EXPECT_EQ(5u, CallGuarded(RaiseHandledInside, nullptr, 0));
  // An inner guard is a library frame like any other: it catches first.
  ULONG_PTR ten = 10;
  EXPECT_EQ(13u, CallGuarded(NestedGuard, &ten, 0));
}

TEST(CallGuarded, UnwindsTheLibrarysFramesBeforeResuming) {
  g_libraryUnwinds = 0;
  void* const chain = ThreadTib()->ExceptionList;
  EXPECT_EQ(77u, CallGuarded(FaultThroughALibraryFrame, nullptr, 77));
  EXPECT_EQ(1, g_libraryUnwinds) << "the library's frame never heard of its unwinding";
  EXPECT_EQ(chain, ThreadTib()->ExceptionList) << "the handler chain was not restored";
}

TEST(CallGuarded, TurnsAnAccessViolationIntoTheFailValue) {
  EXPECT_EQ(0u, CallGuarded(Crash, nullptr, 0));
  EXPECT_EQ(99u, CallGuarded(Crash, nullptr, 99));
  // The thread goes on normally afterwards, guarded or not.
  ULONG_PTR value = 21;
  EXPECT_EQ(42u, CallGuarded(Twice, &value, 0));
  EXPECT_EQ(7u, CallGuarded(DebugOutputThenValue, nullptr, 0));
}

}  // namespace
