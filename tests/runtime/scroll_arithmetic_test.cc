#include "ui/runtime/scroll_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "tests/runtime/layout_children.h"
#include "ui/runtime/stack_arithmetic.h"

namespace veneer::test {
namespace {

constexpr LayoutAxis kVertical = LayoutAxis::kVertical;
constexpr LayoutAxis kHorizontal = LayoutAxis::kHorizontal;
constexpr ScrollBarPresence kAbsent = ScrollBarPresence::kAbsent;
constexpr ScrollBarPresence kHidden = ScrollBarPresence::kHidden;
constexpr ScrollBarPresence kShown = ScrollBarPresence::kShown;
constexpr RECT kNone = {0, 0, 0, 0};

void ExpectBar(const ScrollBarState& expected, const ScrollBarState& actual) {
  EXPECT_EQ(expected.presence, actual.presence);
  EXPECT_EQ(expected.thickness, actual.thickness);
  EXPECT_EQ(expected.range, actual.range);
  EXPECT_EQ(expected.position, actual.position);
}

void ExpectUpdate(const char* name, LayoutAxis axis, const ScrollBarState& bar, const RECT& content,
                  int64_t needed, const ScrollBarUpdate& expected) {
  SCOPED_TRACE(name);
  const ScrollBarUpdate update = UpdateScrollBar(axis, bar, content, needed);
  ExpectBar(expected.bar, update.bar);
  EXPECT_EQ(expected.place_bar, update.place_bar);
  EXPECT_TRUE(RectEq(expected.bar_rect, update.bar_rect));
  EXPECT_EQ(expected.place_again, update.place_again);
}

TEST(ScrollArithmeticTest, UpdatesShowHideAndReRangeBarsFromTheOverflow) {
  const RECT tall = {0, 0, 288, 300};
  const RECT beside = {288, 0, 300, 300};
  ExpectUpdate("200 px of overflow shows the bar with range 200", kVertical, {kHidden, 12, 0, 0}, tall, 500,
               {{kShown, 12, 200, 0}, false, kNone, true});
  ExpectUpdate("an unchanged range only places the bar", kVertical, {kShown, 12, 200, 0}, tall, 500,
               {{kShown, 12, 200, 0}, true, beside, false});
  ExpectUpdate("a range below the position lowers it: place again", kVertical, {kShown, 12, 200, 150}, tall,
               400, {{kShown, 12, 100, 100}, true, beside, true});
  ExpectUpdate("a range above the position keeps it", kVertical, {kShown, 12, 200, 50}, tall, 400,
               {{kShown, 12, 100, 50}, true, beside, false});
  ExpectUpdate("content that fits hides the bar", kVertical, {kShown, 12, 200, 50}, tall, 300,
               {{kHidden, 12, 0, 0}, false, kNone, true});
  ExpectUpdate("a hidden bar without overflow stays", kVertical, {kHidden, 12, 0, 0}, tall, 300,
               {{kHidden, 12, 0, 0}, false, kNone, false});
  ExpectUpdate("an absent bar is left alone", kVertical, {kAbsent, 0, 0, 0}, tall, 1000,
               {{kAbsent, 0, 0, 0}, false, kNone, false});
  ExpectUpdate("a horizontal bar goes below the content", kHorizontal, {kShown, 10, 50, 0}, {0, 0, 300, 90},
               350, {{kShown, 10, 50, 0}, true, {0, 90, 300, 100}, false});
  ExpectUpdate("a huge need gives a clamped range", kVertical, {kHidden, 12, 0, 0}, tall, INT64_MAX,
               {{kShown, 12, LONG_MAX - 300, 0}, false, kNone, true});
  ExpectUpdate("content spanning the whole range never overflows", kVertical, {kHidden, 12, 0, 0},
               {0, LONG_MIN, 10, LONG_MAX}, LONG_MAX, {{kHidden, 12, 0, 0}, false, kNone, false});
}

TEST(ScrollArithmeticTest, OverflowShowsABarAndALineDownMovesEveryFlowChildUpByTheStep) {
  const RECT bounds = {0, 0, 100, 300};
  const RECT inset = {0, 0, 0, 0};
  const std::vector<LayoutChild> children(5, Sized(0, 100));
  std::vector<LayoutChild> with_floating = children;
  with_floating.push_back(Floating({10, 10}, {20, 20}));
  ScrollBars bars;
  bars.vertical = {kHidden, 12, 0, 0};
  const auto layout = [&] {
    return LayoutStack(MakeStackFrame(kVertical, {}, bounds, inset, bars), with_floating);
  };

  LayoutResult result = layout();
  ScrollBarUpdate update = UpdateScrollBar(kVertical, bars.vertical, result.content, result.needed.cy);
  ExpectBar({kShown, 12, 200, 0}, update.bar);
  ASSERT_TRUE(update.place_again);

  bars.vertical = update.bar;  // The second pass: the bar's width taken off, the range unchanged.
  result = layout();
  EXPECT_TRUE(RectEq({0, 400, 88, 500}, result.children[4].rect));
  update = UpdateScrollBar(kVertical, bars.vertical, result.content, result.needed.cy);
  EXPECT_FALSE(update.place_again);
  EXPECT_TRUE(RectEq({88, 0, 100, 300}, update.bar_rect));

  const ScrollSteps steps = ScrollStepsOf(kVertical, 0, 14, bounds, inset, bars);
  const ScrollMove move =
      MoveScrollBar(bars.vertical, ScrollTarget(ScrollCommand::kLineForward, bars.vertical, steps));
  EXPECT_EQ(22, move.position);
  EXPECT_EQ(22, move.delta);
  bars.vertical.position = move.position;
  const LayoutResult scrolled = layout();
  for (size_t i = 0; i < children.size(); ++i) {
    EXPECT_TRUE(RectEq(ScrolledRect(result.children[i].rect, 0, move.delta), scrolled.children[i].rect)) << i;
  }
  EXPECT_TRUE(RectEq(result.children.back().rect, scrolled.children.back().rect));  // Floating: unmoved.
}

TEST(ScrollArithmeticTest, MovesStayWithinTheRangeAndOnlyShownBarsMove) {
  const ScrollBarState bar = {kShown, 12, 200, 50};
  const struct {
    ScrollBarState bar;
    int64_t requested;
    int position;
    int delta;
  } cases[] = {
      {bar, 80, 80, 30},
      {bar, -100, 0, -50},
      {bar, 1000, 200, 150},
      {bar, INT64_MIN, 0, -50},
      {{kHidden, 12, 200, 50}, 80, 50, 0},
  };
  for (const auto& c : cases) {
    const ScrollMove move = MoveScrollBar(c.bar, c.requested);
    EXPECT_EQ(c.position, move.position) << c.requested;
    EXPECT_EQ(c.delta, move.delta) << c.requested;
  }
  EXPECT_TRUE(RectEq({0, LONG_MIN, 10, LONG_MIN}, ScrolledRect({0, LONG_MIN + 5, 10, LONG_MIN + 5}, 0, 100)));
}

TEST(ScrollArithmeticTest, StepsTargetsAndNotificationLines) {
  ScrollBars bars;
  bars.horizontal = {kShown, 12, 0, 0};
  bars.vertical = {kShown, 10, 0, 0};
  const RECT bounds = {0, 0, 100, 300};
  const RECT inset = {5, 10, 15, 10};
  const struct {
    LayoutAxis axis;
    int step_size;
    std::optional<int> font_height;
    RECT inset;
    ScrollSteps expected;
  } step_cases[] = {
      {kVertical, 0, 14, inset, {22, 268}},  // Font height + 8; 300 - 20 - the horizontal bar's 12.
      {kVertical, 0, std::nullopt, inset, {8, 268}}, {kVertical, 30, 14, inset, {30, 268}},
      {kHorizontal, 0, 14, inset, {8, 70}},           // 100 - 20 - the vertical bar's 10.
      {kVertical, 0, 14, {0, 200, 0, 200}, {22, 0}},  // An inset taller than the bounds: no page.
  };
  for (const auto& c : step_cases) {
    const ScrollSteps steps = ScrollStepsOf(c.axis, c.step_size, c.font_height, bounds, c.inset, bars);
    EXPECT_EQ(c.expected.line, steps.line);
    EXPECT_EQ(c.expected.page, steps.page);
  }

  // Every command lands within the range once the bar has moved.
  const ScrollBarState bar = {kShown, 12, 200, 50};
  const struct {
    ScrollCommand command;
    int position;
  } commands[] = {{ScrollCommand::kLineBack, 28},
                  {ScrollCommand::kPageBack, 0},
                  {ScrollCommand::kPageForward, 200},
                  {ScrollCommand::kHome, 0},
                  {ScrollCommand::kEnd, 200}};
  for (const auto& c : commands) {
    EXPECT_EQ(c.position, MoveScrollBar(bar, ScrollTarget(c.command, bar, {22, 268})).position);
  }

  const struct {
    int position;
    int line_size;
    int line;
  } line_cases[] = {
      {0, 8, 1}, {22, 8, 3}, {100, 0, 101}, {100, -5, 101}, {INT_MAX, INT_MAX, 2}, {INT_MAX, 1, INT_MAX}};
  for (const auto& c : line_cases)
    EXPECT_EQ(c.line, ScrollNotificationLine(c.position, c.line_size)) << c.position;
}

}  // namespace
}  // namespace veneer::test
