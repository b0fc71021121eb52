// Restricts library search to the system folder for the rest of the process,
// so that a DLL dropped beside a downloaded launcher is never loaded.
#pragma once
#include <windows.h>

class CDllSearchGuard {
 public:
  typedef BOOL(WINAPI* SetDefaultDllDirectoriesFn)(DWORD);

  // Loads the system's kernel32.dll by full path and, where the system has
  // it, calls SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32). Does
  // nothing more when the system folder's path or the library cannot be had;
  // the call's own result is not examined.
  CDllSearchGuard();
  // Frees the kernel library handle when one is held.
  ~CDllSearchGuard();
  CDllSearchGuard(const CDllSearchGuard&) = delete;
  CDllSearchGuard& operator=(const CDllSearchGuard&) = delete;

 private:
  // Tests check which kernel library the guard loaded and what it found.
  friend class CDllSearchGuardTestAccess;

  SetDefaultDllDirectoriesFn m_pfnSetDefaultDllDirectories = nullptr;
  HMODULE m_hKernel = nullptr;
};
