// Test programs are linked with -municode like the launcher, so the C
// runtime enters through wmain; gtest_main only offers main. This is the
// entry point of every test program.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  // A program whose cases all passed but some skipped ends with the code
  // CTest reads as skipped (SKIP_RETURN_CODE), so a skip never counts as a
  // pass; a failure still ends with RUN_ALL_TESTS's non-zero result.
  if (result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0) {
    return QUARNEL_GTEST_SKIP_CODE;
  }
  return result;
}
