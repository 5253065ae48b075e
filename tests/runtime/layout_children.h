#ifndef TESTS_RUNTIME_LAYOUT_CHILDREN_H_
#define TESTS_RUNTIME_LAYOUT_CHILDREN_H_

#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "ui/runtime/layout_child.h"

namespace veneer::test {

// Children for the layout tables, measured as a control with a fixed size measures itself.
inline LayoutChild Sized(LONG width, LONG height) {
  LayoutChild child;
  child.desired = child.fixed = CUISize(width, height);
  return child;
}
inline LayoutChild Stretchable() { return LayoutChild{}; }
inline LayoutChild Padded(LayoutChild child, const RECT& padding) {
  child.padding = padding;
  return child;
}
inline LayoutChild Limited(LayoutChild child, const SIZE& min_size, const SIZE& max_size) {
  child.min_size = min_size;
  child.max_size = max_size;
  return child;
}
inline LayoutChild Hidden() {
  LayoutChild child = Sized(10, 10);
  child.role = LayoutRole::kHidden;
  return child;
}
inline LayoutChild Floating(const SIZE& offset, const SIZE& size, uint32_t align = 0) {
  LayoutChild child = Sized(size.cx, size.cy);
  child.role = LayoutRole::kFloating;
  child.anchor.offset = offset;
  child.anchor.align = align;
  return child;
}

// The expectation for a child the pass leaves where it is.
constexpr RECT kNotPlaced = {LONG_MIN, LONG_MIN, LONG_MIN, LONG_MIN};

inline ::testing::AssertionResult PlacedAt(const std::vector<RECT>& expected, const LayoutResult& result) {
  if (expected.size() != result.children.size()) {
    return ::testing::AssertionFailure()
           << expected.size() << " children expected, got " << result.children.size();
  }
  for (size_t i = 0; i < expected.size(); ++i) {
    const PlacedChild& child = result.children[i];
    const bool want_placed = !EqualRect(&expected[i], &kNotPlaced);
    if (want_placed != child.placed) {
      return ::testing::AssertionFailure() << "child " << i << (child.placed ? " placed" : " not placed");
    }
    if (!want_placed) continue;
    const ::testing::AssertionResult same = RectEq(expected[i], child.rect);
    if (!same) return ::testing::AssertionFailure() << "child " << i << ": " << same.message();
  }
  return ::testing::AssertionSuccess();
}

}  // namespace veneer::test

#endif  // TESTS_RUNTIME_LAYOUT_CHILDREN_H_
