#include "ui/runtime/stack_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/runtime/container_fixtures.h"
#include "tests/support/dib_surface.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

constexpr int kCross = 50;  // The layouts' size across their axis in the tables.

std::unique_ptr<CStackLayoutUI> MakeStack(LayoutAxis axis) {
  if (axis == LayoutAxis::kVertical) return std::make_unique<CVerticalLayoutUI>();
  return std::make_unique<CHorizontalLayoutUI>();
}

RECT Across(LayoutAxis axis, LONG start, LONG end) {
  return axis == LayoutAxis::kVertical ? RECT{0, start, kCross, end} : RECT{start, 0, end, kCross};
}

TEST(StackLayoutTest, RealChildrenShareTheLengthAsTheArithmeticSays) {
  struct Span {
    LONG start, end;
  };
  const struct {
    const char* name;
    int length;
    const wchar_t* child_padding;
    std::vector<int> sizes;  // Along the axis; 0 stretches.
    std::vector<Span> expected;
  } cases[] = {
      {"300 px", 300, L"0", {32, 0, 54, 0}, {{0, 32}, {32, 139}, {139, 193}, {193, 300}}},
      {"child padding 10", 300, L"10", {32, 0, 54, 0}, {{0, 32}, {42, 134}, {144, 198}, {208, 300}}},
      {"301 px: the last takes the remainder",
       301,
       L"0",
       {32, 0, 54, 0},
       {{0, 32}, {32, 139}, {139, 193}, {193, 301}}},
      {"more than fits", 100, L"0", {80, 0, 80}, {{0, 80}, {80, 80}, {80, 160}}},
  };
  for (LayoutAxis axis : {LayoutAxis::kVertical, LayoutAxis::kHorizontal}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message()
                   << (axis == LayoutAxis::kVertical ? "vertical " : "horizontal ") << c.name);
      std::unique_ptr<CStackLayoutUI> layout = MakeStack(axis);
      layout->ApplyAttribute(L"childpadding", c.child_padding);
      std::vector<RECT> expected;
      for (size_t i = 0; i < c.sizes.size(); ++i) {
        const bool vertical = axis == LayoutAxis::kVertical;
        AddSized(layout.get(), vertical ? 0 : c.sizes[i], vertical ? c.sizes[i] : 0);
        expected.push_back(Across(axis, c.expected[i].start, c.expected[i].end));
      }
      layout->Place(
          axis == LayoutAxis::kVertical ? RECT{0, 0, kCross, c.length} : RECT{0, 0, c.length, kCross}, false);
      EXPECT_TRUE(ChildrenAt(expected, *layout));
    }
  }
}

// Answers "stretch me" and "I am 40 high" in turn: the layout must measure it once per pass.
class FlipFlopControl : public CControlUI {
 public:
  CUISize MeasureDesiredSize(SIZE /*available*/) override {
    ++measured;
    return CUISize(0, measured % 2 == 0 ? 40 : 0);
  }
  int measured = 0;
};

TEST(StackLayoutTest, EachChildIsMeasuredOncePerPassSoTheLayoutIsFilled) {
  CVerticalLayoutUI layout;
  AddSized(&layout, 0, 30);
  auto* flip_flop = new FlipFlopControl;
  ASSERT_TRUE(layout.Add(flip_flop));
  AddSized(&layout, 0, 0);
  for (int pass = 1; pass <= 2; ++pass) {
    SCOPED_TRACE(pass);
    layout.Place({0, 0, 20, 200}, false);
    EXPECT_EQ(pass, flip_flop->measured);
    EXPECT_EQ(200, layout.GetItemAt(2)->GetBounds().bottom);
  }
}

TEST(StackLayoutTest, ChildrenAlignAcrossTheAxis) {
  CVerticalLayoutUI layout;
  layout.SetInset({7, 7, 7, 7});
  CControlUI* narrow = AddSized(&layout, 28, 20);
  narrow->SetPadding({5, 0, 0, 0});
  layout.Place({0, 0, 480, 100}, false);
  EXPECT_TRUE(RectEq({12, 7, 40, 27}, narrow->GetBounds()));
  layout.ApplyAttribute(L"childalign", L"right");
  layout.Place({0, 0, 480, 100}, false);
  EXPECT_TRUE(RectEq({445, 7, 473, 27}, narrow->GetBounds()));
  layout.ApplyAttribute(L"childalign", L"Center");  // Case-sensitive: unchanged.
  EXPECT_EQ(2, layout.GetChildAlign());
}

TEST(StackLayoutTest, ChildrenAreClippedToTheContentAreaAndFloatingOnesMayCoverTheInset) {
  constexpr uint32_t kWhite = 0xFFFFFFFF;
  DibSurface surface(80, 50);
  surface.Fill(kWhite);
  CHorizontalLayoutUI layout;
  layout.SetInset({5, 5, 5, 5});
  AddSized(&layout, 40, 0)->SetBackColour(0xFFFF0000);
  AddSized(&layout, 40, 0)->SetBackColour(0xFF0000FF);  // Placed at 45..85, past the content's right edge.
  CControlUI* floating = AddSized(&layout, 4, 4);
  floating->ApplyAttribute(L"float", L"true");
  floating->SetBackColour(0xFF00FF00);
  layout.Place({0, 0, 60, 40}, false);
  ASSERT_TRUE(layout.PaintInto(surface.dc(), {0, 0, 80, 50}, nullptr));

  const struct {
    int x, y;
    uint32_t colour;
  } pixels[] = {{10, 20, 0xFFFF0000}, {50, 20, 0xFF0000FF}, {56, 20, kWhite},  {70, 20, kWhite},
                {20, 2, kWhite},      {20, 37, kWhite},     {1, 1, 0xFF00FF00}};
  for (const auto& p : pixels) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(p.colour & 0xFFFFFF, surface.Pixel(p.x, p.y) & 0xFFFFFF);
  }
  CControlUI* second = layout.GetItemAt(1);
  surface.Fill(kWhite);
  EXPECT_FALSE(layout.PaintInto(surface.dc(), {0, 0, 80, 50}, second));  // Stops at the stop control.
  EXPECT_EQ(kWhite & 0xFFFFFF, surface.Pixel(50, 20) & 0xFFFFFF);
}
TEST(StackLayoutTest, OverflowShowsTheBarAndEachLineSendsScroll) {
  CPaintManagerUI manager;
  CVerticalLayoutUI layout;
  layout.AttachManager(&manager, nullptr, false);
  layout.ApplyAttribute(L"vscrollbar", L"true");
  layout.ApplyAttribute(L"scrollstepsize", L"20");
  AddSized(&layout, 0, 150);
  CControlUI* last = AddSized(&layout, 0, 150);
  CControlUI* floating = AddSized(&layout, 10, 10);
  floating->SetFloat(true);
  NotifyLog log(&layout);
  layout.Place({0, 0, 200, 100}, true);

  CScrollBarUI* bar = layout.GetVerticalScrollBar();
  ASSERT_TRUE(bar && bar->IsVisible());
  EXPECT_EQ(200, layout.GetScrollRange().cy);
  EXPECT_TRUE(RectEq({184, 0, 200, 100}, bar->GetBounds()));
  EXPECT_TRUE(RectEq({0, 150, 184, 300}, last->GetBounds()));

  layout.LineDown();
  EXPECT_EQ(20, layout.GetScrollPosition().cy);
  EXPECT_TRUE(ChildrenAt({{0, -20, 184, 130}, {0, 130, 184, 280}, {0, 0, 10, 10}}, layout));
  ASSERT_EQ(1u, log.entries.size());
  EXPECT_EQ(L"scroll", log.entries[0].type);
  EXPECT_EQ(WPARAM{(20 + 8) / 8}, log.entries[0].wParam);

  layout.EndDown();
  layout.EndDown();  // Already at the end: nothing moves, nothing is sent.
  EXPECT_EQ(200, layout.GetScrollPosition().cy);
  EXPECT_TRUE(RectEq({0, -50, 184, 100}, last->GetBounds()));
  EXPECT_EQ(2u, log.entries.size());

  layout.RemoveAt(1);  // The rest fits: the bar goes and the content returns to the top.
  layout.GetItemAt(0)->SetFixedHeight(80);
  layout.Place(layout.GetBounds(), true);
  EXPECT_FALSE(bar->IsVisible());
  EXPECT_EQ(0, layout.GetScrollRange().cy);
  EXPECT_TRUE(RectEq({0, 0, 200, 80}, layout.GetItemAt(0)->GetBounds()));
  layout.AttachManager(nullptr, nullptr, false);
}

EventRecord MouseEvent(EventKind kind, POINT point, uint16_t key_state = kKeyStateLeftButton) {
  EventRecord event;
  event.kind = kind;
  event.mousePoint = point;
  event.keyState = key_state;
  return event;
}

TEST(StackLayoutTest, TheSeparatorResizesTheLayoutUntilTheDragEnds) {
  enum class Ending { kButtonUp, kHidden, kCaptureLost };
  const struct {
    const char* name;
    bool live;
    Ending ending;
    RECT after_move, after_end;
  } cases[] = {
      {"button up", false, Ending::kButtonUp, {0, 0, 100, 50}, {0, 0, 100, 60}},
      {"live", true, Ending::kButtonUp, {0, 0, 100, 60}, {0, 0, 100, 60}},
      {"hidden", false, Ending::kHidden, {0, 0, 100, 50}, {0, 0, 100, 50}},
      {"capture lost", false, Ending::kCaptureLost, {0, 0, 100, 50}, {0, 0, 100, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CPaintManagerUI manager;
    CVerticalLayoutUI layout;
    layout.AttachManager(&manager, nullptr, false);
    layout.ApplyAttribute(L"sepheight", L"4");
    layout.ApplyAttribute(L"sepimm", c.live ? L"true" : L"false");
    layout.Place({0, 0, 100, 50}, false);
    EXPECT_EQ(kBehaviourCursorRequests, layout.GetBehaviourFlags());

    EventRecord outside = MouseEvent(EventKind::ButtonDown, {10, 40});
    layout.HandleEvent(outside);
    EXPECT_FALSE(layout.IsDraggingSeparator());
    EventRecord down = MouseEvent(EventKind::ButtonDown, {10, 48});
    layout.HandleEvent(down);
    EXPECT_TRUE(layout.IsDraggingSeparator());
    EventRecord move = MouseEvent(EventKind::MouseMove, {10, 58});
    layout.HandleEvent(move);
    EXPECT_EQ(60, layout.GetFixedHeight());
    EXPECT_TRUE(RectEq(c.after_move, layout.GetBounds()));

    if (c.ending == Ending::kButtonUp) {
      EventRecord up = MouseEvent(EventKind::ButtonUp, {10, 58});
      layout.HandleEvent(up);
    } else if (c.ending == Ending::kHidden) {
      layout.SetVisible(false);
    } else {
      EventRecord released = MouseEvent(EventKind::MouseMove, {10, 70}, 0);
      layout.HandleEvent(released);
    }
    EXPECT_FALSE(layout.IsDraggingSeparator());
    EXPECT_TRUE(RectEq(c.after_end, layout.GetBounds()));
    layout.AttachManager(nullptr, nullptr, false);
  }
}

}  // namespace
}  // namespace veneer::test
