// The version library, bound at run time from the system folder, all of it
// or nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "app/version_api.h"

namespace {

TEST(VersionApiBinding, IsAllOrNothingAndRebindsCleanly) {
  ASSERT_TRUE(BindVersionApi());
  const HMODULE first = g_versionApi.hModule;
  EXPECT_NE(nullptr, first);
  EXPECT_NE(nullptr, g_versionApi.VerFindFileW);
  EXPECT_NE(nullptr, g_versionApi.VerLanguageNameW);
  EXPECT_NE(nullptr, g_versionApi.VerQueryValueW);
  // Binding again releases the earlier binding first: one reference only.
  ASSERT_TRUE(BindVersionApi());
  UnbindVersionApi();
  const VersionApi cleared = {};
  EXPECT_EQ(0, memcmp(&cleared, &g_versionApi, sizeof(VersionApi)));
}

TEST(VersionApiBinding, LoadsTheSystemFoldersLibrary) {
  ASSERT_TRUE(BindVersionApi());
  wchar_t loaded[MAX_PATH] = {};
  GetModuleFileNameW(g_versionApi.hModule, loaded, MAX_PATH);
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_EQ(0, _wcsnicmp(system, loaded, wcslen(system))) << loaded;
  UnbindVersionApi();
}

}  // namespace
