#include "app/guarded_call.h"

#include <winnt.h>

#include "base/thread_information.h"

namespace {

// The guard's entry on the thread's handler chain. The registration comes
// first: the system hands the handler its address as the establisher frame.
struct GuardFrame {
  EXCEPTION_REGISTRATION_RECORD registration;
  void* jumpBuffer[5];
};

NT_TIB* ThreadInformation() { return CurrentThreadInformation(); }

bool IsErrorSeverity(DWORD code) { return (code & 0xC0000000u) == 0xC0000000u; }

// Calls the handlers of every frame registered after `frame` for unwinding,
// innermost first, and takes them off the chain, as compiled structured
// exception handling does before it runs an __except block. RtlUnwind need
// not keep ebx, esi, edi or ebp and resumes at the address it is given, so
// it is called where both are under control: the return address is passed as
// the target and the registers are saved around the call.
__attribute__((noinline)) void UnwindFramesAbove(EXCEPTION_REGISTRATION_RECORD* frame,
                                                 EXCEPTION_RECORD* record) {
  __asm__ __volatile__(
      "pushl %%ebp\n\t"
      "pushl %%ebx\n\t"
      "pushl %%esi\n\t"
      "pushl %%edi\n\t"
      "pushl $0\n\t"
      "pushl %1\n\t"
      "pushl $1f\n\t"
      "pushl %0\n\t"
      "call *%2\n"
      "1:\n\t"
      "popl %%edi\n\t"
      "popl %%esi\n\t"
      "popl %%ebx\n\t"
      "popl %%ebp\n\t"
      :
      : "b"(frame), "S"(record), "D"(&RtlUnwind)
      : "eax", "ecx", "edx", "memory", "cc");
}

// Reached only for exceptions that every frame inside the library declined.
EXCEPTION_DISPOSITION NTAPI GuardHandler(EXCEPTION_RECORD* record, void* establisherFrame, CONTEXT*,
                                         void*) {
  // Being unwound by an outer handler: the guard has nothing to clean up.
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) {
    return ExceptionContinueSearch;
  }
  // Informational and warning exceptions are not faults of the call.
  if (!IsErrorSeverity(record->ExceptionCode)) return ExceptionContinueSearch;
  GuardFrame* frame = static_cast<GuardFrame*>(establisherFrame);
  UnwindFramesAbove(&frame->registration, record);
  __builtin_longjmp(frame->jumpBuffer, 1);
}

}  // namespace

ULONG_PTR CallGuarded(GuardedFn fn, void* context, ULONG_PTR failValue) {
  GuardFrame frame;
  frame.registration.Next = ThreadInformation()->ExceptionList;
  frame.registration.Handler = GuardHandler;
  volatile ULONG_PTR result = failValue;
  if (__builtin_setjmp(frame.jumpBuffer) == 0) {
    ThreadInformation()->ExceptionList = &frame.registration;
    result = fn(context);
  }
  // After a fault the unwinding has left the guard's frame on top; either
  // way the chain goes back to what it was on entry.
  ThreadInformation()->ExceptionList = frame.registration.Next;
  return result;
}
