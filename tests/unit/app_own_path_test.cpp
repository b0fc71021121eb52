// The launcher's own path, as the module list knows it.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/own_path.h"

namespace {

TEST(OwnModulePath, IsTheRunningProgram) {
  wchar_t path[kLauncherPathChars];
  ASSERT_TRUE(GetOwnModulePath(path));
  EXPECT_NE(nullptr, wcsstr(path, L"app_own_path_test.exe"));
}

}  // namespace
