#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/render/test_bitmap.h"
#include "tests/support/dib_surface.h"
#include "ui/core/win_handles.h"
#include "ui/render/dib_section.h"
#include "ui/render/gdiplus_session.h"
#include "ui/render/image_record.h"
#include "ui/render/msimg32_functions.h"
#include "ui/render/render_engine.h"

namespace veneer::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

TEST(DrawColorTest, HonoursTheAlphaByte) {
  DibSurface surface(30, 10);
  surface.Fill(kWhite);
  Renderer::DrawColor(surface.dc(), {0, 0, 10, 10}, 0x00FF0000);
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 30, 10}));

  Renderer::DrawColor(surface.dc(), {10, 0, 20, 10}, 0x80FF0000);
  EXPECT_TRUE(NearColor(surface.Pixel(15, 5), 0xFFFF7F7F, 2)) << std::hex << surface.Pixel(15, 5);
  EXPECT_EQ(0, surface.CountPixelsNotEqual(surface.Pixel(15, 5), {10, 0, 20, 10}));

  Renderer::DrawColor(surface.dc(), {20, 2, 25, 8}, 0xFF0000FF);
  EXPECT_EQ(0x0000FFu, surface.Pixel(20, 2) & 0xFFFFFF);
  EXPECT_EQ(0x0000FFu, surface.Pixel(24, 7) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(25, 7));
  EXPECT_EQ(kWhite, surface.Pixel(24, 8));
}

// What GDI+ itself writes for an opaque fill, or for an outline of width 1 inside the rectangle.
void GdiplusReference(HDC dc, const RECT& rect, uint32_t colour, bool outline) {
  namespace gp = Gdiplus::DllExports;
  ASSERT_TRUE(EnsureGdiplusStarted());
  ScopedGdiplusGraphics graphics;
  ASSERT_EQ(Gdiplus::Ok, gp::GdipCreateFromHDC(dc, graphics.receive()));
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (outline) {
    ScopedGdiplusPen pen;
    ASSERT_EQ(Gdiplus::Ok, gp::GdipCreatePen1(colour, 1, Gdiplus::UnitWorld, pen.receive()));
    gp::GdipSetPenMode(pen.get(), Gdiplus::PenAlignmentInset);
    gp::GdipDrawRectangleI(graphics.get(), pen.get(), rect.left, rect.top, width - 1, height - 1);
  } else {
    ScopedGdiplusSolidFill brush;
    ASSERT_EQ(Gdiplus::Ok, gp::GdipCreateSolidFill(colour, brush.receive()));
    gp::GdipFillRectangleI(graphics.get(), brush.get(), rect.left, rect.top, width, height);
  }
}

// A 40 x 20 DIB section in its own memory context, with rows top to bottom or bottom to top.
class Canvas {
 public:
  explicit Canvas(bool top_down)
      : dc_(CreateCompatibleDC(nullptr)),
        bitmap_(CreateDibSection32(dc_.get(), 40, 20, top_down, &bits_)),
        selection_(dc_.get(), bitmap_.get()),
        top_down_(top_down) {
    std::fill(bits_, bits_ + 40 * 20, 0x12345678u);
  }
  HDC dc() const { return dc_.get(); }
  uint32_t Pixel(int x, int y) const {
    GdiFlush();
    return bits_[(top_down_ ? y : 19 - y) * 40 + x];
  }

 private:
  ScopedMemoryDC dc_;
  uint32_t* bits_ = nullptr;
  ScopedBitmap bitmap_;
  ScopedSelection selection_;
  bool top_down_;
};

TEST(DrawColorTest, OpaqueFillsAndOutlinesWriteWhatGdiplusWrites) {
  const struct {
    const char* name;
    RECT rect;
    RECT clip;  // Device coordinates.
    bool outline;
    POINT viewport;
  } cases[] = {
      {"fill", {3, 2, 37, 18}, {0, 0, 40, 20}, false, {0, 0}},
      {"fill under a clip", {3, 2, 37, 18}, {10, 5, 20, 30}, false, {0, 0}},
      {"fill with the origin moved", {3, 2, 37, 18}, {0, 0, 40, 20}, false, {-7, 5}},
      {"one pixel", {5, 5, 6, 6}, {0, 0, 40, 20}, false, {0, 0}},
      {"beyond the surface", {-5, -5, 50, 50}, {0, 0, 40, 20}, false, {0, 0}},
      {"inverted", {20, 10, 10, 5}, {0, 0, 40, 20}, false, {0, 0}},
      {"outside the clip", {3, 2, 9, 5}, {10, 5, 20, 30}, false, {0, 0}},
      {"outline", {3, 2, 37, 18}, {0, 0, 40, 20}, true, {0, 0}},
      {"outline under a clip", {3, 2, 37, 18}, {0, 0, 20, 10}, true, {0, 0}},
      {"outline two pixels high", {3, 2, 37, 4}, {0, 0, 40, 20}, true, {0, 0}},
      {"outline one pixel wide", {3, 2, 4, 18}, {0, 0, 40, 20}, true, {0, 0}},
  };
  for (bool top_down : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.name << (top_down ? ", top down" : ", bottom up"));
      Canvas expected(top_down);
      Canvas drawn(top_down);
      for (const Canvas* canvas : {&expected, &drawn}) {
        const ScopedRegion clip(CreateRectRgnIndirect(&c.clip));
        SelectClipRgn(canvas->dc(), clip.get());
        SetViewportOrgEx(canvas->dc(), c.viewport.x, c.viewport.y, nullptr);
      }
      GdiplusReference(expected.dc(), c.rect, 0xFF2080C0, c.outline);
      if (c.outline) {
        Renderer::DrawRect(drawn.dc(), c.rect, 1, 0xFF2080C0);
      } else {
        Renderer::DrawColor(drawn.dc(), c.rect, 0xFF2080C0);
      }
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) ASSERT_EQ(expected.Pixel(x, y), drawn.Pixel(x, y)) << x << "," << y;
      }
    }
  }
}

TEST(DrawGradientTest, UsesTheMeanAlphaForTheWholeGradient) {
  // Black (alpha 255) to white (alpha 0) over a blue background: alpha (255 + 0) / 2 = 127.
  DibSurface surface(64, 8);
  surface.Fill(0xFF0000FF);
  Renderer::DrawGradient(surface.dc(), {0, 0, 64, 8}, 0xFF000000, 0x00FFFFFF, false, 64);
  const uint32_t left = surface.Pixel(0, 4);
  const uint32_t right = surface.Pixel(63, 4);
  EXPECT_TRUE(NearColor(left, 0xFF000080, 3)) << std::hex << left;    // Black at 127/255 over blue.
  EXPECT_TRUE(NearColor(right, 0xFF7D7DFF, 4)) << std::hex << right;  // Near-white at 127/255 over blue.
  EXPECT_LT(Red(surface.Pixel(20, 4)), Red(surface.Pixel(40, 4)));

  // Both alphas 0: nothing.
  surface.Fill(0xFF0000FF);
  Renderer::DrawGradient(surface.dc(), {0, 0, 64, 8}, 0x00000000, 0x00FFFFFF, false, 64);
  EXPECT_EQ(0, surface.CountPixelsNotEqual(0xFF0000FF, {0, 0, 64, 8}));
}

TEST(DrawGradientTest, OpaqueGradientRunsFromTheFirstToTheSecondColour) {
  DibSurface surface(10, 100);
  surface.Fill(kWhite);
  Renderer::DrawGradient(surface.dc(), {0, 0, 10, 100}, 0xFFFF0000, 0xFF0000FF, true, 64);
  EXPECT_TRUE(NearColor(surface.Pixel(5, 0), 0xFFFF0000, 6)) << std::hex << surface.Pixel(5, 0);
  EXPECT_TRUE(NearColor(surface.Pixel(5, 99), 0xFF0000FF, 6)) << std::hex << surface.Pixel(5, 99);
  EXPECT_EQ(surface.Pixel(0, 50), surface.Pixel(9, 50));  // Vertical: rows are uniform.
}

TEST(GradientBandsTest, BandZeroHoldsTheSecondColourAtTheFarEdge) {
  // steps 4 gives 2^2 = 4 bands over 8 pixels; band i = (second * (4 - i) + first * i) >> 2.
  DibSurface surface(8, 2);
  surface.Fill(kWhite);
  FillGradientBands(surface.dc(), {0, 0, 8, 2}, 0xFF000000, 0xFFC84010, false, 4);
  const uint32_t expected[4] = {0xC84010, 0x96300C, 0x642008, 0x321004};  // Bands 0..3, right to left.
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(expected[i], surface.Pixel(7 - 2 * i, 1) & 0xFFFFFF) << "band " << i;
    EXPECT_EQ(expected[i], surface.Pixel(6 - 2 * i, 0) & 0xFFFFFF) << "band " << i;
  }

  // Vertical, steps 64: 64 bands over 16 pixels leave three of every four bands empty (band 0 among them),
  // so the bottom row gets band 3 and the top row band 63.
  DibSurface tall(2, 16);
  tall.Fill(kWhite);
  FillGradientBands(tall.dc(), {0, 0, 2, 16}, 0xFF000000, 0xFF0000FF, true, 64);
  EXPECT_EQ(static_cast<uint32_t>(255 * 61 >> 6), tall.Pixel(0, 15) & 0xFFFFFF);
  EXPECT_EQ(static_cast<uint32_t>(255 * 1 >> 6), tall.Pixel(1, 0) & 0xFFFFFF);
  EXPECT_EQ(32, tall.CountPixelsNotEqual(kWhite, {0, 0, 2, 16}));
}

TEST(LineAndOutlineTest, DrawOnlyTheirOutlinesAndRestoreTheContext) {
  DibSurface surface(40, 40);
  surface.Fill(kWhite);
  const HGDIOBJ pen = GetCurrentObject(surface.dc(), OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(surface.dc(), OBJ_BRUSH);
  Renderer::DrawLine(surface.dc(), {2, 5, 20, 5}, 1, 0xFFFF0000);
  EXPECT_EQ(0xFF0000u, surface.Pixel(2, 5) & 0xFFFFFF);
  EXPECT_EQ(0xFF0000u, surface.Pixel(19, 5) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(20, 5));  // The end point is excluded.
  EXPECT_EQ(18, surface.CountPixelsNotEqual(kWhite, {0, 0, 40, 40}));

  surface.Fill(kWhite);
  Renderer::DrawRect(surface.dc(), {10, 10, 20, 20}, 1, 0xFF00FF00);
  EXPECT_EQ(0x00FF00u, surface.Pixel(10, 10) & 0xFFFFFF);
  EXPECT_EQ(0x00FF00u, surface.Pixel(19, 19) & 0xFFFFFF);
  EXPECT_EQ(0x00FF00u, surface.Pixel(15, 10) & 0xFFFFFF);
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {11, 11, 19, 19}));  // Inside untouched.
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 40, 10}));    // Nothing outside.
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {20, 0, 40, 40}));

  surface.Fill(kWhite);
  Renderer::DrawRoundRect(surface.dc(), {5, 5, 35, 35}, 1, 10, 10, 0xFF0000FF);
  EXPECT_EQ(0x0000FFu, surface.Pixel(20, 5) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(5, 5));  // The corner is rounded off.
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {8, 8, 32, 32}));
  EXPECT_EQ(pen, GetCurrentObject(surface.dc(), OBJ_PEN));
  EXPECT_EQ(brush, GetCurrentObject(surface.dc(), OBJ_BRUSH));
}

TEST(CreateArgbBitmapTest, MakesABottomUpSectionAndRefusesBadSizes) {
  uint32_t* pixels = nullptr;
  const ScopedBitmap bitmap(Renderer::CreateArgbBitmap(nullptr, 2, 3, &pixels));
  ASSERT_NE(nullptr, bitmap.get());
  ASSERT_NE(nullptr, pixels);
  DIBSECTION section = {};
  ASSERT_EQ(static_cast<int>(sizeof(section)), GetObjectW(bitmap.get(), sizeof(section), &section));
  EXPECT_EQ(32, section.dsBm.bmBitsPixel);
  EXPECT_EQ(3, section.dsBmih.biHeight);  // Positive: bottom-up.
  pixels[0] = 0xFF102030;                 // First row in memory is the bottom row.
  DibSurface surface(2, 3);
  {
    const ScopedMemoryDC memory(CreateCompatibleDC(nullptr));
    const ScopedSelection selection(memory.get(), bitmap.get());
    BitBlt(surface.dc(), 0, 0, 2, 3, memory.get(), 0, 0, SRCCOPY);
  }
  EXPECT_EQ(0x102030u, surface.Pixel(0, 2) & 0xFFFFFF);

  EXPECT_EQ(nullptr, Renderer::CreateArgbBitmap(nullptr, 0, 5, &pixels));
  EXPECT_EQ(nullptr, pixels);
  EXPECT_EQ(nullptr, Renderer::CreateArgbBitmap(nullptr, 100000, 100000, &pixels));
  EXPECT_EQ(nullptr, Renderer::CreateArgbBitmap(nullptr, -4, 4, &pixels));
}

TEST(AdjustColorHslTest, ShiftsHueAndScalesSaturationAndLightness) {
  EXPECT_EQ(0x80123456u, Renderer::AdjustColorHsl(0x80123456, 180, 100, 100));
  EXPECT_EQ(0xFF00FF00u, Renderer::AdjustColorHsl(0xFFFF0000, 300, 100, 100));  // Red + 120 degrees.
  EXPECT_EQ(0x400000FFu, Renderer::AdjustColorHsl(0x40FF0000, 60, 100, 100));  // Red - 120: blue, alpha kept.
  EXPECT_EQ(0xFF7F7F7Fu, Renderer::AdjustColorHsl(0xFFFFFFFF, 180, 100, 50));  // Half lightness of white.
  EXPECT_EQ(0xFF7F7F7Fu, Renderer::AdjustColorHsl(0xFFFF0000, 180, 0, 100));   // No saturation: grey.
  EXPECT_EQ(0xFFFFFFFFu, Renderer::AdjustColorHsl(0xFF808080, 180, 100, 400));  // Clamped at 255.
}

TEST(AdjustImageHslTest, AdjustsFromTheUnadjustedCopyAndRestoresIt) {
  ImageRecord image;
  uint32_t* pixels = nullptr;
  image.bitmap.reset(Renderer::CreateArgbBitmap(nullptr, 2, 1, &pixels));
  ASSERT_NE(nullptr, image.bitmap.get());
  image.pixels = pixels;
  image.width = 2;
  image.height = 1;
  pixels[0] = 0xFFFF0000;
  pixels[1] = 0x80800000;  // Half-transparent red, premultiplied.
  ASSERT_TRUE(image.KeepUnadjustedPixels());

  Renderer::AdjustImageHsl(true, &image, 300, 100, 100);  // Not registered for adjustment: unchanged.
  EXPECT_EQ(0xFFFF0000u, pixels[0]);

  image.adjusts_hsl = true;
  Renderer::AdjustImageHsl(true, &image, 300, 100, 100);
  EXPECT_EQ(0xFF00FF00u, pixels[0]);
  EXPECT_EQ(0x80008000u, pixels[1]);  // Still a valid premultiplied pixel.
  Renderer::AdjustImageHsl(true, &image, 180, 100, 200);
  EXPECT_EQ(0xFFFFFFFFu, pixels[0]);
  EXPECT_EQ(0x80808080u, pixels[1]);  // Lightened, but no channel above the alpha.
  Renderer::AdjustImageHsl(false, &image, 300, 100, 100);
  EXPECT_EQ(0xFFFF0000u, pixels[0]);
  EXPECT_EQ(0x80800000u, pixels[1]);
  Renderer::AdjustImageHsl(true, nullptr, 300, 100, 100);
}

TEST(ClipTest, RectangleClipRestrictsDrawingUntilItIsDestroyed) {
  DibSurface surface(20, 20);
  surface.Fill(kWhite);
  {
    ClipRegion clip;
    ASSERT_TRUE(Renderer::ClipToRect(surface.dc(), {5, 5, 10, 10}, &clip));
    Renderer::DrawColor(surface.dc(), {0, 0, 20, 20}, 0xFF000000);
    EXPECT_EQ(25, surface.CountPixelsNotEqual(kWhite, {0, 0, 20, 20}));
    EXPECT_EQ(0u, surface.Pixel(5, 5) & 0xFFFFFF);
    EXPECT_EQ(0, surface.CountPixelsNotEqual(surface.Pixel(5, 5), {5, 5, 10, 10}));

    // Painting outside the control's clip, then back inside it.
    Renderer::UseOuterClipBegin(surface.dc(), &clip);
    Renderer::DrawLine(surface.dc(), {0, 15, 20, 15}, 1, 0xFF0000FF);
    Renderer::UseOuterClipEnd(surface.dc(), &clip);
    EXPECT_EQ(0x0000FFu, surface.Pixel(0, 15) & 0xFFFFFF);
    Renderer::DrawLine(surface.dc(), {0, 17, 20, 17}, 1, 0xFF0000FF);
    EXPECT_EQ(kWhite, surface.Pixel(0, 17));
  }
  Renderer::DrawColor(surface.dc(), {0, 0, 20, 20}, 0xFF00FF00);
  EXPECT_EQ(0x00FF00u, surface.Pixel(0, 0) & 0xFFFFFF);
  EXPECT_EQ(0x00FF00u, surface.Pixel(19, 19) & 0xFFFFFF);
}

TEST(ClipTest, NestedClipsRestoreTheOuterOneAndRoundClipsCutCorners) {
  DibSurface surface(40, 40);
  surface.Fill(kWhite);
  ClipRegion outer;
  ASSERT_TRUE(Renderer::ClipToRect(surface.dc(), {0, 0, 20, 40}, &outer));
  {
    ClipRegion inner;
    ASSERT_TRUE(Renderer::ClipToRoundRect(surface.dc(), {10, 10, 30, 30}, 12, 12, &inner));
    Renderer::DrawColor(surface.dc(), {0, 0, 40, 40}, 0xFF000000);
    EXPECT_EQ(kWhite, surface.Pixel(10, 10));         // Rounded corner.
    EXPECT_EQ(0u, surface.Pixel(15, 15) & 0xFFFFFF);  // Inside both.
    EXPECT_EQ(kWhite, surface.Pixel(25, 15));         // Outside the outer clip.
  }
  Renderer::DrawColor(surface.dc(), {0, 0, 40, 40}, 0xFF0000FF);
  EXPECT_EQ(0x0000FFu, surface.Pixel(0, 0) & 0xFFFFFF);  // Outer clip back in force...
  EXPECT_EQ(kWhite, surface.Pixel(30, 0));               // ...and still restricting.
  outer.Restore();
  EXPECT_FALSE(outer.IsApplied());
  Renderer::DrawColor(surface.dc(), {0, 0, 40, 40}, 0xFFFF0000);
  EXPECT_EQ(0xFF0000u, surface.Pixel(30, 0) & 0xFFFFFF);

  ClipRegion unused;
  EXPECT_FALSE(Renderer::ClipToRect(nullptr, {0, 0, 5, 5}, &unused));
  EXPECT_FALSE(unused.IsApplied());
}

}  // namespace
}  // namespace veneer::test
