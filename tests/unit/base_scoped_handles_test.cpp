// The registry key holder reports the Windows status of its open and create.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/scoped_handles.h"
#include "registry_sandbox.h"

namespace {

TEST(ScopedRegKey, OpenAndCreateGiveTheWindowsStatus) {
  RegistrySandbox registry;
  ScopedRegKey key;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(HKEY_CURRENT_USER, L"Missing", KEY_READ));
  EXPECT_EQ(nullptr, key.Get());
  DWORD disposition = 0;
  EXPECT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, L"Made", KEY_WRITE, &disposition));
  EXPECT_NE(nullptr, key.Get());
  EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
  EXPECT_EQ(ERROR_SUCCESS, key.Create(HKEY_CURRENT_USER, L"Made", KEY_WRITE, &disposition));
  EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);
  EXPECT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, L"Made", KEY_READ));
  EXPECT_NE(nullptr, key.Get());
}

}  // namespace
