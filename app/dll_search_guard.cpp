#include "app/dll_search_guard.h"

#include "base/system_path.h"

CDllSearchGuard::CDllSearchGuard() {
  WCHAR kernelPath[kSystemPathChars];
  if (!SystemFilePath(L"kernel32.dll", kernelPath)) return;
  m_hKernel = LoadLibraryW(kernelPath);
  if (!m_hKernel) return;
  m_pfnSetDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(m_hKernel, "SetDefaultDllDirectories")));
  // Windows 7 without its 2011 loader update lacks the call; libraries are then
  // still loaded by full path everywhere it matters.
  if (!m_pfnSetDefaultDllDirectories) return;
  m_pfnSetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

CDllSearchGuard::~CDllSearchGuard() {
  if (m_hKernel) FreeLibrary(m_hKernel);
  m_hKernel = nullptr;
}
