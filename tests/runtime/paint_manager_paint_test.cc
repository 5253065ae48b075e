// The paint manager's painting through real WM_PAINT messages, read back from the screen.
#include "ui/runtime/paint_manager.h"

#include <gtest/gtest.h>

#include "tests/runtime/managed_window.h"
#include "tests/support/dib_surface.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/control.h"

namespace veneer {
namespace {

using test::ManagedWindow;

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kDirtyRed = 0xDC0000;

using test::Rgb;

// A control filled with a colour that can change without asking for a repaint, so that a test sees
// which areas a paint touched.
class Swatch : public CControlUI {
 public:
  Swatch(uint32_t initial, int height) : colour(initial) { SetFixedHeight(height); }
  void DrawBackColour(HDC dc) override { Renderer::DrawColor(dc, GetPaintRect(), 0xFF000000 | colour); }
  uint32_t colour;
};

struct Point {
  int x, y;
  uint32_t rgb;
};

void ExpectPixels(const ManagedWindow& window, std::initializer_list<Point> points) {
  for (const Point& point : points) {
    EXPECT_EQ(point.rgb, Rgb(window.ScreenPixel(point.x, point.y))) << point.x << "," << point.y;
  }
}

TEST(PaintManagerPaintTest, ATreeIsPaintedWithColoursBordersAndUntouchedRoundCorners) {
  ManagedWindow window(100, 60);
  auto* framed = new CControlUI;
  framed->SetFixedHeight(20);
  framed->SetBackColour(0xFF000000 | kRed);
  framed->SetBorderColour(0xFF000000 | kBlue);
  framed->SetBorderSize(1);
  auto* rounded = new CControlUI;
  rounded->SetFixedHeight(30);
  rounded->SetBackColour(0xFF000000 | kGreen);
  rounded->SetBorderRound(10, 10);
  window.SetStackRoot({framed, rounded})->SetBackColour(0xFF000000 | kWhite);
  window.Show();
  ExpectPixels(window, {{50, 10, kRed},
                        {0, 0, kBlue},
                        {99, 0, kBlue},
                        {0, 19, kBlue},
                        {99, 19, kBlue},
                        {1, 1, kRed},
                        {50, 35, kGreen},
                        {0, 20, kWhite},  // The round corners show what lies below.
                        {99, 49, kWhite},
                        {5, 35, kGreen},
                        {50, 55, kWhite}});
  // The same tree printed into a context of the caller's.
  test::DibSurface surface(100, 60);
  surface.Fill(0);
  window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  for (const Point& point :
       {Point{50, 10, kRed}, Point{0, 0, kBlue}, Point{0, 20, kWhite}, Point{50, 35, kGreen}})
    EXPECT_EQ(point.rgb, Rgb(surface.Pixel(point.x, point.y)));
}

TEST(PaintManagerPaintTest, OnlyTheInvalidAreaIsRepainted) {
  for (bool outlined : {false, true}) {
    SCOPED_TRACE(outlined ? "dirty rectangles shown" : "plain");
    ManagedWindow window(100, 60);
    auto* top = new Swatch(kRed, 30);
    auto* bottom = new Swatch(kGreen, 30);
    window.SetStackRoot({top, bottom});
    window.manager().SetShowDirtyRects(outlined);
    window.Show();
    top->colour = kBlue;
    bottom->colour = kBlack;
    window.manager().InvalidateArea(CUIRect(10, 10, 30, 20));
    UpdateWindow(window.hwnd());
    const uint32_t edge = outlined ? kDirtyRed : kBlue;
    ExpectPixels(window, {{10, 10, edge},
                          {29, 19, edge},
                          {20, 15, kBlue},
                          {9, 15, kRed},
                          {30, 15, kRed},
                          {20, 20, kRed},
                          {50, 15, kRed},
                          {20, 45, kGreen}});
  }
}

// What a layered window shows, premultiplied 0xAARRGGBB, read back from the screen (it lies at the
// screen's top-left corner).
uint32_t LayeredPixel(int x, int y) {
  test::DibSurface surface(1, 1);
  const ScopedWindowDC screen(GetDesktopWindow());
  BitBlt(surface.dc(), 0, 0, 1, 1, screen.get(), x, y, SRCCOPY);
  return surface.Pixel(0, 0);
}

TEST(PaintManagerPaintTest, ALayeredWindowKeepsItsAlphaAndMakesAlphalessDrawingOpaque) {
  ManagedWindow window(100, 60);
  auto* line = new CControlUI;  // A plain line, drawn by the platform without alpha.
  line->SetFixedHeight(20);
  line->SetBorderColour(0xFF000000 | kBlue);
  line->SetLeftBorder(1);
  auto* opaque = new CControlUI;
  opaque->SetFixedHeight(20);
  opaque->SetBackColour(0xFF000000 | kGreen);
  window.SetStackRoot({line, opaque})->SetBackColour(0x80FF0000);
  window.manager().SetLayered(true);
  window.Show();
  EXPECT_TRUE(GetWindowLongPtrW(window.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  const struct {
    int x, y;
    uint32_t argb;
  } points[] = {{0, 10, 0xFF0000FF}, {50, 10, 0x80800000}, {50, 30, 0xFF00FF00}, {50, 50, 0x80800000}};
  for (const auto& point : points) {
    EXPECT_EQ(point.argb, LayeredPixel(point.x, point.y)) << point.x << "," << point.y;
  }
}

TEST(PaintManagerPaintTest, AWindowWithoutTreeIsPaintedBlackAndValidated) {
  ManagedWindow window(40, 30);
  window.Show();
  EXPECT_FALSE(GetUpdateRect(window.hwnd(), nullptr, FALSE));
  ExpectPixels(window, {{5, 5, kBlack}, {39, 29, kBlack}});
}

}  // namespace
}  // namespace veneer
