// The display tests' own main: when nothing failed but a test skipped (no
// display, or no xdotool and import), the program ends with
// TAVLIN_SKIP_RETURN_CODE, which ctest reports as skipped.  A failure always
// ends with GoogleTest's own non-zero result, so a skip never hides one.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  if (result == 0 && ::testing::UnitTest::GetInstance()->skipped_test_count() > 0) {
    return TAVLIN_SKIP_RETURN_CODE;
  }
  return result;
}
