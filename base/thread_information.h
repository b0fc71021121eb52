// The running thread's information block, the head of its exception-handler
// chain among its fields.
#pragma once
#include <windows.h>

#include <stddef.h>

// The block of the calling thread: its own Self field, read through fs, as
// NtCurrentTeb reads it. The header's NtCurrentTeb reads it through a memory
// operand at the constant address 0x18, which GCC 12 reports as an access
// outside an array (-Warray-bounds) wherever it is inlined. Like that read,
// it counts as a read of memory (the "memory" clobber), so every store the
// code made before it, a handler frame linked into the chain among them, is
// in memory when it runs; and volatile, so each call reads afresh.
inline NT_TIB* CurrentThreadInformation() {
  NT_TIB* self;
  __asm__ __volatile__("movl %%fs:%c1, %0" : "=r"(self) : "i"(offsetof(NT_TIB, Self)) : "memory");
  return self;
}
