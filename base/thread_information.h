// The running thread's information block, the head of its exception-handler
// chain among its fields.
#pragma once
#include <windows.h>

#include <stddef.h>

// The block of the calling thread: its own Self field, read through fs, as
// NtCurrentTeb reads it. The header's NtCurrentTeb reads it through a memory
// operand at the constant address 0x18, which GCC 12 reports as an access
// outside an array (-Warray-bounds) wherever it is inlined.
inline NT_TIB* CurrentThreadInformation() {
  NT_TIB* self;
  __asm__("movl %%fs:%c1, %0" : "=r"(self) : "i"(offsetof(NT_TIB, Self)));
  return self;
}
