// Runs a call into a system library so that a hardware or system exception
// raised inside it ends the call instead of the process. MinGW has no
// __try/__except; a vectored handler, armed only for the call's duration
// and only on this thread, resumes at the guard with the thread's
// exception-registration chain as it was when the guard was entered.
#pragma once
#include <windows.h>

typedef ULONG_PTR (*GuardedFn)(void* context);

// Calls fn(context). Returns its result, or `failValue` when an exception of
// error severity was raised inside it. Not reentrant; one thread at a time.
ULONG_PTR CallGuarded(GuardedFn fn, void* context, ULONG_PTR failValue);
