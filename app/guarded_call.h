// Runs a call into a system library so that a hardware or system exception
// that nothing inside the library handles ends the call instead of the
// process. MinGW has no __try/__except, so the guard does what they compile
// to on x86: a handler frame on the thread's exception-registration chain.
// The system offers an exception to the library's own frames first; only one
// that reaches the guard's frame is caught, and the library's frames are then
// unwound (their handlers run) before the call returns.
#pragma once
#include <windows.h>

typedef ULONG_PTR (*GuardedFn)(void* context);

// Calls fn(context). Returns its result, or `failValue` when an exception of
// error severity raised inside it was left unhandled there. Guards nest; each
// thread has its own chain.
ULONG_PTR CallGuarded(GuardedFn fn, void* context, ULONG_PTR failValue);
