// Test programs are linked with -municode like the launcher, so the C
// runtime enters through wmain; gtest_main only offers main. This is the
// entry point of every test program.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
