#ifndef TESTS_RENDER_RECT_ASSERTIONS_H_
#define TESTS_RENDER_RECT_ASSERTIONS_H_

#include <gtest/gtest.h>
#include <windows.h>

namespace veneer::test {

// EXPECT_TRUE(RectEq(expected, actual)): equal rectangles, with both printed on failure.
inline ::testing::AssertionResult RectEq(const RECT& expected, const RECT& actual) {
  if (EqualRect(&expected, &actual)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "expected (" << expected.left << ", " << expected.top << ", " << expected.right << ", "
         << expected.bottom << "), got (" << actual.left << ", " << actual.top << ", " << actual.right << ", "
         << actual.bottom << ")";
}

}  // namespace veneer::test

#endif  // TESTS_RENDER_RECT_ASSERTIONS_H_
