// The guard around calls into system libraries: faults the library handles
// stay the library's, the others become the call's fail value.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/guarded_call.h"
#include "base/thread_information.h"

namespace {

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
