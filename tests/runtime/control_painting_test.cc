#include <gtest/gtest.h>

#include <vector>

#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

using test::DibSurface;

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kBlue = 0xFF0000FF;

using test::Blue;
using test::Green;
using test::Red;
using test::Rgb;

// A white surface and a control placed on it.
struct Canvas {
  Canvas(int width, int height, const RECT& bounds) : surface(width, height) {
    surface.Fill(kWhite);
    control.Place(bounds, false);
  }
  // Paints the whole surface area.
  bool Paint() {
    return control.PaintInto(surface.dc(), CUIRect(0, 0, surface.width(), surface.height()), nullptr);
  }
  uint32_t At(int x, int y) const { return Rgb(surface.Pixel(x, y)); }
  DibSurface surface;
  CControlUI control;
};

TEST(ControlPaintTest, PaintAreaAndStopControl) {
  Canvas canvas(40, 20, CUIRect(0, 0, 20, 10));
  canvas.control.SetBackColour(kBlue);
  EXPECT_TRUE(canvas.control.PaintInto(canvas.surface.dc(), CUIRect(25, 0, 40, 20), nullptr));
  EXPECT_FALSE(canvas.control.PaintInto(canvas.surface.dc(), CUIRect(0, 0, 40, 20), &canvas.control));
  EXPECT_EQ(0, canvas.surface.CountPixelsNotEqual(kWhite, {0, 0, 40, 20}));
  CControlUI other;
  EXPECT_TRUE(canvas.control.PaintInto(canvas.surface.dc(), CUIRect(0, 0, 40, 20), &other));
  EXPECT_EQ(0x0000FFu, canvas.At(19, 9));

  Canvas second_stop_only(10, 10, CUIRect(0, 0, 10, 10));  // Without the first stop nothing is drawn.
  second_stop_only.control.SetBackColour2(kRed);
  second_stop_only.control.SetBackColour3(kBlue);
  EXPECT_TRUE(second_stop_only.Paint());
  EXPECT_EQ(0, second_stop_only.surface.CountPixelsNotEqual(kWhite, {0, 0, 10, 10}));
}

TEST(ControlPaintTest, OpaqueBackgroundFillsOnlyTheRepaintedPart) {
  const struct {
    uint32_t colour;
    bool fills_outside_the_paint_area;
  } cases[] = {{kBlue, false}, {0x800000FF, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.colour);
    Canvas canvas(20, 10, CUIRect(0, 0, 20, 10));
    canvas.control.SetBackColour(c.colour);
    EXPECT_TRUE(canvas.control.PaintInto(canvas.surface.dc(), CUIRect(0, 0, 10, 10), nullptr));
    EXPECT_NE(0xFFFFFFu, canvas.At(5, 5));
    EXPECT_EQ(c.fills_outside_the_paint_area, canvas.At(15, 5) != 0xFFFFFFu);
    EXPECT_EQ(canvas.At(5, 5), canvas.At(0, 0));
  }
}

TEST(ControlPaintTest, ThreeStopsSplitTopAndBottomAtTheMidpoint) {
  // Rows 1 to 31: the halves meet at row (1 + 32) / 2 = 16 whatever the direction.
  for (bool across : {true, false}) {
    SCOPED_TRACE(across ? "hor" : "down");
    Canvas canvas(8, 32, CUIRect(0, 1, 8, 32));
    canvas.control.SetBackColour(kRed);
    canvas.control.SetBackColour2(kGreen);
    canvas.control.SetBackColour3(kBlue);
    canvas.control.SetGradient(across ? L"hor" : L"");
    EXPECT_TRUE(canvas.Paint());
    EXPECT_GT(Red(canvas.At(0, across ? 15 : 1)), 200);  // Each half starts with its first colour.
    EXPECT_GT(Green(canvas.At(0, 16)), 200);
    EXPECT_GT(Green(canvas.At(7, 15)), 150);  // And ends near its second.
    EXPECT_GT(Blue(canvas.At(7, 31)), 150);
    EXPECT_GT(across ? Green(canvas.At(7, 1)) : Red(canvas.At(7, 1)), 150);
  }
}

TEST(ControlPaintTest, BorderSidesLieOnTheInnerEdgePixels) {
  const struct {
    RECT sides;
    bool left, top, right, bottom;
  } cases[] = {
      {{1, 1, 1, 1}, true, true, true, true},
      {{1, 0, 0, 0}, true, false, false, false},
      {{0, 0, 1, 0}, false, false, true, false},
      {{0, 0, 0, 1}, false, false, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sides.left << c.sides.top << c.sides.right << c.sides.bottom);
    Canvas canvas(16, 16, CUIRect(2, 2, 12, 12));
    canvas.control.SetBorderColour(kRed);
    canvas.control.SetBorderSides(c.sides);
    EXPECT_TRUE(canvas.Paint());
    EXPECT_EQ(c.left, canvas.At(2, 6) == 0xFF0000u);
    EXPECT_EQ(c.top, canvas.At(6, 2) == 0xFF0000u);
    EXPECT_EQ(c.right, canvas.At(11, 6) == 0xFF0000u);
    EXPECT_EQ(c.bottom, canvas.At(6, 11) == 0xFF0000u);
    EXPECT_EQ(0xFFFFFFu, canvas.At(6, 6));
    EXPECT_EQ(0, canvas.surface.CountPixelsNotEqual(kWhite, {12, 0, 16, 16}));
    EXPECT_EQ(0, canvas.surface.CountPixelsNotEqual(kWhite, {0, 12, 16, 16}));
  }
}

TEST(ControlPaintTest, OutlinesAndTheFocusColour) {
  const struct {
    const char* name;
    uint32_t border, focus_border;
    bool focused;
    uint32_t expected_edge;  // 0xFFFFFF: nothing drawn.
  } cases[] = {
      {"plain", kRed, kGreen, false, 0xFF0000},
      {"focused", kRed, kGreen, true, 0x00FF00},
      {"focused without focus colour", kRed, 0, true, 0xFF0000},
      {"focus colour only, unfocused", 0, kGreen, false, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(16, 16, CUIRect(2, 2, 12, 12));
    canvas.control.SetBorderColour(c.border);
    canvas.control.SetFocusBorderColour(c.focus_border);
    canvas.control.SetBorderSize(1);
    EventRecord focus;
    focus.kind = c.focused ? EventKind::FocusGained : EventKind::FocusLost;
    canvas.control.HandleEvent(focus);
    EXPECT_TRUE(canvas.Paint());
    EXPECT_EQ(c.expected_edge, canvas.At(2, 2));
    EXPECT_EQ(c.expected_edge, canvas.At(11, 11));
    EXPECT_EQ(0xFFFFFFu, canvas.At(6, 6));
    EXPECT_EQ(0xFFFFFFu, canvas.At(12, 12));
  }
}

TEST(ControlPaintTest, RoundCornersClipEveryLayer) {
  Canvas canvas(24, 24, CUIRect(2, 2, 22, 22));
  canvas.control.SetBackColour(kBlue);
  canvas.control.SetBorderRound(10, 10);
  canvas.control.SetBorderColour(kRed);
  canvas.control.SetBorderSize(1);
  EXPECT_TRUE(canvas.Paint());
  for (POINT corner : {POINT{2, 2}, POINT{21, 2}, POINT{2, 21}, POINT{21, 21}}) {
    EXPECT_EQ(0xFFFFFFu, canvas.At(corner.x, corner.y)) << corner.x << "," << corner.y;
  }
  EXPECT_EQ(0x0000FFu, canvas.At(12, 12));
  EXPECT_EQ(0xFF0000u, canvas.At(12, 2));  // The rounded border runs along the top edge.
  EXPECT_EQ(0, canvas.surface.CountPixelsNotEqual(kWhite, {0, 0, 24, 2}));

  // Without round corners the same control fills its corners.
  canvas.surface.Fill(kWhite);
  canvas.control.SetBorderRound(0, 0);
  EXPECT_TRUE(canvas.Paint());
  EXPECT_EQ(0xFF0000u, canvas.At(2, 2));
  EXPECT_EQ(0x0000FFu, canvas.At(3, 3));
}

TEST(ControlPaintTest, LayersInOrder) {
  // A 2 x 2 green image as background image, a translucent red foreground colour over it, and a
  // foreground image covering only the right half.
  const test::TempFile back_image(L"veneer_control_back.png",
                                  test::EncodePngArgb(2, 2, std::vector<uint32_t>(4, kGreen)));
  const test::TempFile fore_image(L"veneer_control_fore.png",
                                  test::EncodePngArgb(2, 2, std::vector<uint32_t>(4, kBlue)));
  CPaintManagerUI manager;
  Canvas canvas(20, 20, CUIRect(0, 0, 20, 20));
  canvas.control.AttachManager(&manager, nullptr, false);
  canvas.control.SetBackColour(kWhite);
  canvas.control.SetBackImage(back_image.path().c_str());
  canvas.control.SetForeColour(0x80FF0000);
  CUIString fore = L"file='";
  fore += fore_image.path().c_str();
  fore += L"' dest='10,0,20,20'";
  canvas.control.SetForeImage(fore);
  EXPECT_TRUE(canvas.Paint());
  const uint32_t left = canvas.At(5, 10);
  EXPECT_GT(Red(left), 100) << std::hex << left;
  EXPECT_GT(Green(left), 100) << std::hex << left;
  EXPECT_LT(Blue(left), 20) << std::hex << left;
  EXPECT_EQ(0x0000FFu, canvas.At(15, 10));
}

}  // namespace
}  // namespace veneer
