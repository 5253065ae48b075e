#include "ui/runtime/stack_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/runtime/layout_children.h"

namespace veneer::test {
namespace {

struct StackCase {
  const char* name;
  LayoutAxis axis;
  RECT bounds;
  RECT inset;
  StackOptions options;
  ScrollBars bars;
  std::vector<LayoutChild> children;
  std::vector<RECT> expected;
  SIZE needed;
};

constexpr LayoutAxis kVertical = LayoutAxis::kVertical;
constexpr LayoutAxis kHorizontal = LayoutAxis::kHorizontal;
constexpr RECT kNoInset = {0, 0, 0, 0};
constexpr RECT kTall = {0, 0, 100, 300};
constexpr RECT kWide = {0, 0, 200, 100};
constexpr LONG kMax = LONG_MAX;

ScrollBars VerticalBar(int thickness, int range, int position) {
  ScrollBars bars;
  bars.vertical = {ScrollBarPresence::kShown, thickness, range, position};
  return bars;
}
ScrollBars HorizontalBar(int thickness, int range, int position) {
  ScrollBars bars;
  bars.horizontal = {ScrollBarPresence::kShown, thickness, range, position};
  return bars;
}

// A case; the inset, bars and axis default to none, none and vertical.
StackCase Case(const char* name, const RECT& bounds, const StackOptions& options,
               std::vector<LayoutChild> children, std::vector<RECT> expected, const SIZE& needed,
               const RECT& inset = kNoInset, const ScrollBars& bars = {}, LayoutAxis axis = kVertical) {
  return {name, axis, bounds, inset, options, bars, std::move(children), std::move(expected), needed};
}

LayoutResult LayOut(const StackCase& c) {
  const StackFrame frame = MakeStackFrame(c.axis, c.options, c.bounds, c.inset, c.bars);
  return LayoutStack(frame, c.children);
}

void ExpectCase(const StackCase& c) {
  SCOPED_TRACE(std::string(c.name) + (c.axis == kVertical ? " (vertical)" : " (horizontal)"));
  const LayoutResult result = LayOut(c);
  EXPECT_TRUE(PlacedAt(c.expected, result));
  EXPECT_EQ(c.needed.cx, result.needed.cx);
  EXPECT_EQ(c.needed.cy, result.needed.cy);
}

const LayoutChild kFixed32 = Sized(0, 32);
const LayoutChild kFixed54 = Sized(0, 54);
const std::vector<LayoutChild> kTwoFixedTwoStretchable = {kFixed32, Stretchable(), kFixed54, Stretchable()};
const LayoutChild kBadge = Padded(Sized(28, 20), {5, 2, 7, 3});
const LayoutChild kRow = Padded(Sized(0, 10), {5, 0, 7, 0});

// Without scroll bars the two layouts are mirror images, so each case runs both ways.
const StackCase kMirroredCases[] = {
    Case("fixed 32 and 54 with two stretchable share 300 as 107 and 107", kTall, {}, kTwoFixedTwoStretchable,
         {{0, 0, 100, 32}, {0, 32, 100, 139}, {0, 139, 100, 193}, {0, 193, 100, 300}}, {0, 300}),
    Case("a child padding of 10 makes the shares 92", kTall, {10}, kTwoFixedTwoStretchable,
         {{0, 0, 100, 32}, {0, 42, 100, 134}, {0, 144, 100, 198}, {0, 208, 100, 300}}, {0, 300}),
    Case("at 301 px the last stretchable child takes the remainder", {0, 0, 100, 301}, {},
         kTwoFixedTwoStretchable,
         {{0, 0, 100, 32}, {0, 32, 100, 139}, {0, 139, 100, 193}, {0, 193, 100, 301}}, {0, 301}),
    Case("a negative child padding counts as 0", kTall, {-10}, kTwoFixedTwoStretchable,
         {{0, 0, 100, 32}, {0, 32, 100, 139}, {0, 139, 100, 193}, {0, 193, 100, 300}}, {0, 300}),
    Case("a maximum on a stretchable child leaves more to the last", kTall, {},
         {Limited(Stretchable(), {0, 0}, {9999, 50}), Stretchable(), Stretchable()},
         {{0, 0, 100, 50}, {0, 50, 100, 150}, {0, 150, 100, 300}}, {0, 300}),
    Case("a minimum on a stretchable child leaves less to the last", kTall, {},
         {Limited(Stretchable(), {0, 200}, {9999, 9999}), Stretchable(), Stretchable()},
         {{0, 0, 100, 200}, {0, 200, 100, 300}, {0, 300, 100, 300}}, {0, 300}),
    Case("a measured size is raised to the minimum and lowered to the maximum, which wins", kTall, {},
         {Limited(Sized(0, 40), {0, 80}, {9999, 60}), Limited(Sized(0, 5), {0, 30}, {9999, 60})},
         {{0, 0, 100, 60}, {0, 60, 100, 90}}, {0, 90}),
    Case("aligned at the start: padding on both axes", kWide, {0, CrossAlign::kStart}, {kBadge, kRow},
         {{5, 2, 33, 22}, {5, 25, 193, 35}}, {40, 35}),
    Case("centred: padding across ignored", kWide, {0, CrossAlign::kCenter}, {kBadge, kRow},
         {{86, 2, 114, 22}, {6, 25, 194, 35}}, {40, 35}),
    Case("at the end: the far padding kept", kWide, {0, CrossAlign::kEnd}, {kBadge, kRow},
         {{165, 2, 193, 22}, {5, 25, 193, 35}}, {40, 35}),
    Case("across: a maximum caps the width, a minimum beats the offer", kWide, {},
         {Limited(Sized(0, 10), {0, 0}, {50, 9999}), Limited(Sized(0, 10), {250, 0}, {9999, 9999})},
         {{0, 0, 50, 10}, {0, 10, 250, 20}}, {250, 20}),
    Case("the inset moves and shrinks the content", {10, 20, 110, 320}, {}, {kFixed32, Stretchable()},
         {{14, 26, 102, 58}, {14, 58, 102, 310}}, {0, 284}, {4, 6, 8, 10}),
    Case("floating children ignore the inset, hidden ones are neither placed nor counted",
         {100, 50, 580, 350}, {}, {Floating({444, 8}, {28, 28}), Hidden(), Stretchable()},
         {{544, 58, 572, 86}, kNotPlaced, {110, 60, 570, 340}}, {0, 280}, {10, 10, 10, 10}),
};

RECT Transposed(const RECT& r) { return {r.top, r.left, r.bottom, r.right}; }
CUISize Transposed(const SIZE& s) { return CUISize(s.cy, s.cx); }
LayoutChild Transposed(LayoutChild child) {
  child.desired = Transposed(child.desired);
  child.fixed = Transposed(child.fixed);
  child.min_size = Transposed(child.min_size);
  child.max_size = Transposed(child.max_size);
  child.padding = Transposed(child.padding);
  std::swap(child.anchor.offset.cx, child.anchor.offset.cy);
  return child;
}

StackCase Transposed(const StackCase& c) {
  StackCase mirrored = c;
  mirrored.axis = kHorizontal;
  mirrored.bounds = Transposed(c.bounds);
  mirrored.inset = Transposed(c.inset);
  for (LayoutChild& child : mirrored.children) child = Transposed(child);
  for (RECT& rect : mirrored.expected) {
    if (!EqualRect(&rect, &kNotPlaced)) rect = Transposed(rect);
  }
  mirrored.needed = Transposed(c.needed);
  return mirrored;
}

TEST(StackArithmeticTest, VerticalAndHorizontalLayoutsPlaceExactRectangles) {
  for (const StackCase& c : kMirroredCases) {
    ExpectCase(c);
    ExpectCase(Transposed(c));
  }
}

TEST(StackArithmeticTest, ShownScrollBarsTakeTheirThicknessAndShiftTheChildren) {
  const StackCase cases[] = {
      // Content 284 + range 100 shared from 40 px above the content's top.
      Case("vertical bar", {10, 20, 110, 320}, {}, {kFixed32, Stretchable()},
           {{14, -14, 90, 18}, {14, 18, 90, 370}}, {0, 384}, {4, 6, 8, 10}, VerticalBar(12, 100, 40)),
      // The vertical layout also widens its children's room by the horizontal range.
      Case("horizontal bar across a vertical layout", kTall, {0, CrossAlign::kEnd},
           {Padded(Sized(0, 30), {5, 0, 5, 0})}, {{-15, 0, 125, 30}}, {10, 30}, kNoInset,
           HorizontalBar(10, 50, 20)),
      Case("horizontal bar centring", kTall, {0, CrossAlign::kCenter}, {Sized(40, 30)}, {{35, 0, 75, 30}},
           {40, 30}, kNoInset, HorizontalBar(10, 50, 20)),
      // The horizontal layout shares only the visible width, whatever its bar's range.
      Case("horizontal bar along a horizontal layout", {0, 0, 300, 100}, {}, {Sized(32, 0), Stretchable()},
           {{-30, 0, 2, 90}, {2, 0, 270, 90}}, {300, 0}, kNoInset, HorizontalBar(10, 100, 30), kHorizontal),
  };
  for (const StackCase& c : cases) ExpectCase(c);
}

TEST(StackArithmeticTest, OffersLowerTheRoomToFixedSizesOrMaximums) {
  const StackFrame frame = MakeStackFrame(kVertical, {}, kWide, kNoInset, VerticalBar(10, 50, 0));
  const std::vector<LayoutChild> children = {kBadge, Limited(Stretchable(), {0, 0}, {120, 80}), Hidden(),
                                             Padded(Stretchable(), {150, 0, 150, 0})};
  const std::vector<CUISize> offers = StackMeasureOffers(frame, children);
  ASSERT_EQ(4u, offers.size());
  const SIZE expected[] = {{28, 20}, {120, 80}, {0, 0}, {0, 150}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(expected[i].cx, offers[i].cx) << i;
    EXPECT_EQ(expected[i].cy, offers[i].cy) << i;
  }
}

TEST(StackArithmeticTest, HostileNumbersGiveClampedRectangles) {
  const LayoutChild huge = Limited(Sized(0, kMax), {0, 0}, {9999, kMax});
  const LayoutChild wall = Padded(Sized(0, 10), {kMax, kMax, kMax, kMax});
  const StackCase cases[] = {
      Case("sizes of 2^31 - 1 add up without wrapping", kTall, {}, {huge, huge, Stretchable()},
           {{0, 0, 100, kMax}, {0, kMax, 100, kMax}, {0, kMax, 100, kMax}}, {0, kMax}),
      Case("a gap of 2^31 - 1", kTall, {kMax}, {Sized(0, 10), Sized(0, 10)},
           {{0, 0, 100, 10}, {0, kMax, 100, kMax}}, {0, kMax}),
      Case("paddings of 2^31 - 1", kTall, {}, {wall}, {{kMax, kMax, kMax, kMax}}, {kMax, kMax}),
      Case("negative paddings still fill the layout", kTall, {},
           {Padded(Stretchable(), {0, -10, 0, 0}), Stretchable()}, {{0, -10, 100, 145}, {0, 145, 100, 300}},
           {0, 300}),
      Case("bounds spanning the whole range", {LONG_MIN, 0, kMax, 100}, {}, {Stretchable()},
           {{LONG_MIN, 0, LONG_MIN + 9999, 100}}, {0, 100}),
      Case("an inset larger than the bounds leaves an empty content", kTall, {},
           {Sized(0, 10), Stretchable()}, {{80, 200, 80, 210}, {80, 210, 80, 210}}, {0, 10},
           {80, 200, 80, 200}),
  };
  for (const StackCase& c : cases) ExpectCase(c);
}

TEST(StackArithmeticTest, ThousandsOfChildrenStillFillTheLayoutExactly) {
  std::vector<LayoutChild> children(5000, Stretchable());
  LayoutResult result = LayOut(Case("", kTall, {}, children, {}, {}));
  for (size_t i = 0; i + 1 < children.size(); ++i)
    ASSERT_TRUE(RectEq({0, 0, 100, 0}, result.children[i].rect));
  EXPECT_TRUE(RectEq({0, 0, 100, 300}, result.children.back().rect));

  children.assign(2000, Sized(0, 1));
  result = LayOut(Case("", kTall, {1}, children, {}, {}));
  EXPECT_TRUE(RectEq({0, 3998, 100, 3999}, result.children.back().rect));
  EXPECT_EQ(3999, result.needed.cy);
}

}  // namespace
}  // namespace veneer::test
