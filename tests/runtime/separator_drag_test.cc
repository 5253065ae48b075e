#include "ui/runtime/separator_drag.h"

#include <gtest/gtest.h>

#include "tests/render/rect_assertions.h"

namespace veneer::test {
namespace {

constexpr RECT kTall = {0, 0, 100, 50};

TEST(SeparatorDragTest, TheBandLiesAlongTheDraggedEdgeWithinTheRectangle) {
  const struct {
    LayoutAxis axis;
    int separator;
    RECT expected;
  } cases[] = {
      {LayoutAxis::kVertical, 4, {0, 46, 100, 50}},   {LayoutAxis::kVertical, -4, {0, 0, 100, 4}},
      {LayoutAxis::kVertical, 80, {0, 0, 100, 50}},   {LayoutAxis::kVertical, -80, {0, 0, 100, 50}},
      {LayoutAxis::kHorizontal, 4, {96, 0, 100, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.separator);
    EXPECT_TRUE(RectEq(c.expected, SeparatorBand(c.axis, kTall, c.separator)));
  }
}

TEST(SeparatorDragTest, TheEdgeFollowsWithinTheLimitsAndWaitsForThePointerToComeBack) {
  const struct {
    const char* name;
    LayoutAxis axis;
    int separator;
    int last, point;
    int min_size, max_size;
    RECT expected;
  } cases[] = {
      {"bottom edge down", LayoutAxis::kVertical, 4, 48, 58, 0, 9999, {0, 0, 100, 60}},
      {"bottom edge up", LayoutAxis::kVertical, 4, 48, 40, 0, 9999, {0, 0, 100, 42}},
      {"stopped at the maximum", LayoutAxis::kVertical, 4, 48, 58, 0, 55, {0, 0, 100, 55}},
      {"already at the maximum", LayoutAxis::kVertical, 4, 48, 58, 0, 50, kTall},
      {"stopped at the minimum", LayoutAxis::kVertical, 4, 48, 0, 20, 9999, {0, 0, 100, 20}},
      {"down while the pointer is above the band", LayoutAxis::kVertical, 4, 20, 30, 0, 9999, kTall},
      {"up while the pointer is below the band", LayoutAxis::kVertical, 4, 70, 60, 0, 9999, kTall},
      {"top edge up", LayoutAxis::kVertical, -4, 2, -8, 0, 9999, {0, -10, 100, 50}},
      {"top edge down", LayoutAxis::kVertical, -4, 2, 12, 0, 9999, {0, 10, 100, 50}},
      {"top edge: down while above it", LayoutAxis::kVertical, -4, -20, -10, 0, 9999, kTall},
      {"right edge", LayoutAxis::kHorizontal, 4, 98, 110, 0, 9999, {0, 0, 112, 50}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(RectEq(c.expected,
                       DragSeparator(c.axis, kTall, c.separator, c.last, c.point, c.min_size, c.max_size)));
  }
}

}  // namespace
}  // namespace veneer::test
