// The launcher's allocations go straight to the process heap. The C++
// runtime's operator new would bring its exception machinery (bad_alloc)
// into an executable that is built without exceptions; a failed allocation
// here yields null, which every caller checks.
#include <windows.h>

#include <cstddef>
#include <new>

void* operator new(std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void* operator new[](std::size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}
void operator delete(void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void* p, std::size_t) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void* p, std::size_t) noexcept {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}
