// Library search after the guard: a library planted beside the program (as
// in a Downloads folder) must no longer be found by name.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/dll_search_access.h"

namespace {

TEST(DllSearchGuard, StopsLoadingLibrariesFromTheProgramsFolder) {
  // Before: found beside the program, as Windows would by default.
  HMODULE before = LoadLibraryW(L"quarnel_probe.dll");
  ASSERT_NE(nullptr, before) << "the probe library must sit beside the test program";
  FreeLibrary(before);

  {
    CDllSearchGuard guard;
    ASSERT_NE(nullptr, CDllSearchGuardTestAccess::Kernel(guard));
    ASSERT_TRUE(CDllSearchGuardTestAccess::FoundSetDefaultDllDirectories(guard));
    wchar_t kernelPath[MAX_PATH] = {};
    GetModuleFileNameW(CDllSearchGuardTestAccess::Kernel(guard), kernelPath, MAX_PATH);
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    EXPECT_EQ(0, _wcsnicmp(system, kernelPath, wcslen(system))) << kernelPath;

    EXPECT_EQ(nullptr, LoadLibraryW(L"quarnel_probe.dll"));
    // System libraries by name still load.
    HMODULE system32 = LoadLibraryW(L"version.dll");
    EXPECT_NE(nullptr, system32);
    if (system32) FreeLibrary(system32);
  }
}

}  // namespace
