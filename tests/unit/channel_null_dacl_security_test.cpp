// The security the channel's objects are created with: a present NULL DACL.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "channel/null_dacl_security.h"

namespace {

TEST(NullDaclSecurity, GrantsEveryoneThroughAPresentNullDacl) {
  SECURITY_DESCRIPTOR sd;
  SECURITY_ATTRIBUTES sa;
  std::memset(&sa, 0xCC, sizeof(sa));
  ASSERT_TRUE(PrepareNullDaclSecurity(sd, sa));
  EXPECT_EQ(12u, sa.nLength);
  EXPECT_EQ(FALSE, sa.bInheritHandle);
  EXPECT_EQ(&sd, sa.lpSecurityDescriptor);
  BOOL present = FALSE, defaulted = TRUE;
  PACL dacl = reinterpret_cast<PACL>(1);
  ASSERT_TRUE(GetSecurityDescriptorDacl(&sd, &present, &dacl, &defaulted));
  EXPECT_TRUE(present);
  EXPECT_EQ(nullptr, dacl);
  EXPECT_FALSE(defaulted);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(&sd, &control, &revision));
  EXPECT_EQ(1u, revision);
}

}  // namespace
