#include "app/guarded_call.h"

#include <winnt.h>

namespace {

struct GuardFrame {
  void* jumpBuffer[5];
  void* savedRegistration;  // the thread's SEH chain head at entry
  DWORD threadId;
  bool armed;
};

GuardFrame* volatile g_frame = nullptr;

bool IsErrorSeverity(DWORD code) { return (code & 0xC0000000u) == 0xC0000000u; }

void* CurrentRegistration() {
  return reinterpret_cast<NT_TIB*>(NtCurrentTeb())->ExceptionList;
}

void RestoreRegistration(void* head) {
  reinterpret_cast<NT_TIB*>(NtCurrentTeb())->ExceptionList =
      static_cast<struct _EXCEPTION_REGISTRATION_RECORD*>(head);
}

LONG CALLBACK GuardHandler(EXCEPTION_POINTERS* info) {
  GuardFrame* frame = g_frame;
  // Informational exceptions (debug output, thread names) are the library's
  // own business and are handled where they were raised.
  if (!frame || !frame->armed || frame->threadId != GetCurrentThreadId() ||
      !IsErrorSeverity(info->ExceptionRecord->ExceptionCode)) {
    return EXCEPTION_CONTINUE_SEARCH;
  }
  frame->armed = false;
  RestoreRegistration(frame->savedRegistration);
  __builtin_longjmp(frame->jumpBuffer, 1);
}

}  // namespace

ULONG_PTR CallGuarded(GuardedFn fn, void* context, ULONG_PTR failValue) {
  GuardFrame frame = {};
  frame.savedRegistration = CurrentRegistration();
  frame.threadId = GetCurrentThreadId();
  PVOID handler = AddVectoredExceptionHandler(1, GuardHandler);
  if (!handler) return fn(context);  // unguarded is still better than not calling
  ULONG_PTR result = failValue;
  g_frame = &frame;
  if (__builtin_setjmp(frame.jumpBuffer) == 0) {
    frame.armed = true;
    result = fn(context);
  }
  frame.armed = false;
  g_frame = nullptr;
  RemoveVectoredExceptionHandler(handler);
  return result;
}
