// What tests may see of the library-search guard: the kernel library it
// loaded and whether that library offered SetDefaultDllDirectories.
#pragma once
#include <windows.h>

#include "app/dll_search_guard.h"

class CDllSearchGuardTestAccess {
 public:
  static HMODULE Kernel(const CDllSearchGuard& guard) { return guard.m_hKernel; }
  static bool FoundSetDefaultDllDirectories(const CDllSearchGuard& guard) {
    return guard.m_pfnSetDefaultDllDirectories != nullptr;
  }
};
