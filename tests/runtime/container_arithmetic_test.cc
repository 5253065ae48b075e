#include "ui/runtime/container_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <vector>

#include "tests/runtime/layout_children.h"

namespace veneer::test {
namespace {

constexpr RECT kContainer = {100, 50, 580, 350};  // 480 x 300.

LayoutChild Fractional(double left, double top, double right, double bottom, const SIZE& size) {
  LayoutChild child = Floating({0, 0}, size);
  child.anchor.fractions = FloatFractions{left, top, right, bottom};
  return child;
}

TEST(ContainerArithmeticTest, FloatingChildrenFollowTheirOffsetAlignmentOrFractions) {
  const struct {
    const char* name;
    LayoutChild child;
    RECT expected;
  } cases[] = {
      {"pos 444,8 with 28 x 28 in a 480-wide container", Floating({444, 8}, {28, 28}), {544, 58, 572, 86}},
      {"centred both ways", Floating({444, 8}, {28, 28}, 0x1 | 0x4), {326, 186, 354, 214}},
      {"right and bottom", Floating({444, 8}, {28, 28}, 0x2 | 0x8), {552, 322, 580, 350}},
      {"right only keeps the vertical offset", Floating({444, 8}, {28, 28}, 0x2), {552, 58, 580, 86}},
      {"centre beats right", Floating({444, 8}, {28, 28}, 0x1 | 0x2), {326, 58, 354, 86}},
      {"fractions move each edge", Fractional(0.5, 0, 1, 0.25, {0, 10}), {340, 50, 580, 135}},
      {"fractions truncate toward zero", Fractional(0.999, -0.999, 0, 0, {10, 10}), {579, -249, 110, 60}},
      {"not-a-number counts as 0, huge fractions clamp",
       Fractional(std::numeric_limits<double>::quiet_NaN(), 1e300, 0, 0, {10, 10}),
       {100, LONG_MAX, 110, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(RectEq(c.expected, FloatingChildRect(kContainer, c.child)));
  }
}

TEST(ContainerArithmeticTest, ThePlainContainerFillsTheScrollableAreaWithinEachChildsLimits) {
  ScrollBars bars;
  bars.vertical = {ScrollBarPresence::kShown, 10, 40, 15};
  bars.horizontal = {ScrollBarPresence::kShown, 8, 60, 20};
  // Content (5, 5, 185, 87), grown by each range around its position.
  const LayoutResult result =
      LayoutFill({0, 0, 200, 100}, {5, 5, 5, 5}, bars,
                 {Stretchable(), Sized(20, 20), Limited(Stretchable(), {0, 200}, {50, 9999}),
                  Floating({444, 8}, {28, 28}), Hidden()});
  EXPECT_TRUE(RectEq({-15, -10, 225, 112}, result.content));
  EXPECT_TRUE(PlacedAt(
      {{-15, -10, 225, 112}, {-15, -10, 225, 112}, {-15, -10, 35, 190}, {444, 8, 472, 36}, kNotPlaced},
      result));
}

TEST(ContainerArithmeticTest, TheTabLayoutPlacesOnlyTheSelectedChildInsideItsPadding) {
  const RECT bounds = {0, 0, 200, 100};
  const RECT inset = {10, 10, 10, 10};
  const RECT padding = {2, 3, 4, 5};
  const LayoutChild floating = Floating({444, 8}, {28, 28});
  const struct {
    const char* name;
    int selected;
    LayoutChild selected_child;
    std::vector<RECT> expected;
  } cases[] = {
      {"measured 0 x 0 takes the padded content",
       1,
       Padded(Stretchable(), padding),
       {kNotPlaced, {12, 13, 186, 85}, {444, 8, 472, 36}}},
      {"a measured size anchored at the top-left",
       1,
       Padded(Sized(50, 20), padding),
       {kNotPlaced, {12, 13, 62, 33}, {444, 8, 472, 36}}},
      {"limits apply to the full size",
       1,
       Padded(Limited(Stretchable(), {0, 0}, {100, 30}), padding),
       {kNotPlaced, {12, 13, 112, 43}, {444, 8, 472, 36}}},
      {"no selection places only floating children",
       -1,
       Stretchable(),
       {kNotPlaced, kNotPlaced, {444, 8, 472, 36}}},
      {"a selection beyond the children places none of them",
       7,
       Stretchable(),
       {kNotPlaced, kNotPlaced, {444, 8, 472, 36}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const LayoutResult result =
        LayoutTab(bounds, inset, c.selected, {Sized(0, 0), c.selected_child, floating});
    EXPECT_TRUE(PlacedAt(c.expected, result));
  }
  const CUISize offer = TabMeasureOffer(bounds, inset, Padded(Stretchable(), padding));
  EXPECT_EQ(174, offer.cx);
  EXPECT_EQ(72, offer.cy);
  const CUISize squeezed = TabMeasureOffer(bounds, {150, 0, 150, 0}, Stretchable());
  EXPECT_EQ(0, squeezed.cx);
}

}  // namespace
}  // namespace veneer::test
