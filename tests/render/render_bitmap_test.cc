#include <gtest/gtest.h>

#include <vector>

#include "tests/render/test_bitmap.h"
#include "tests/support/dib_surface.h"
#include "ui/core/win_handles.h"
#include "ui/render/msimg32_functions.h"
#include "ui/render/render_engine.h"

namespace veneer::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr RECT kNoCorner = {0, 0, 0, 0};

void ExpectCornersKept(const DibSurface& surface, int left, int top, int right, int bottom) {
  for (int d = 0; d < 2; ++d) {
    for (int e = 0; e < 2; ++e) {
      EXPECT_EQ(0x110000u, surface.Pixel(left + d, top + e) & 0xFFFFFF);
      EXPECT_EQ(0x220000u, surface.Pixel(right - 1 - d, top + e) & 0xFFFFFF);
      EXPECT_EQ(0x330000u, surface.Pixel(left + d, bottom - 1 - e) & 0xFFFFFF);
      EXPECT_EQ(0x440000u, surface.Pixel(right - 1 - d, bottom - 1 - e) & 0xFFFFFF);
    }
  }
  // The stretched middle and edges keep their colours; nothing is drawn outside.
  EXPECT_EQ(0x00FF00u, surface.Pixel((left + right) / 2, top + 4) & 0xFFFFFF);
  EXPECT_EQ(0x0000FFu, surface.Pixel((left + right) / 2, top) & 0xFFFFFF);
  EXPECT_EQ(0x0000FFu, surface.Pixel((left + right) / 2, bottom - 1) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(right, top));
}

TEST(DrawBitmapTest, CornersOfAStretchedNineGridStayUnscaledOnBothPaths) {
  const TestBitmap image(8, 8, CorneredImagePixels());
  for (const bool has_alpha : {false, true}) {
    DibSurface surface(320, 10);
    surface.Fill(kWhite);
    SetStretchBltMode(surface.dc(), COLORONCOLOR);
    const HGDIOBJ selected = GetCurrentObject(surface.dc(), OBJ_BITMAP);
    ASSERT_TRUE(Renderer::DrawBitmap(surface.dc(), image.get(), {10, 1, 310, 9}, {0, 0, 320, 10},
                                     {0, 0, 8, 8}, {2, 2, 2, 2}, has_alpha));
    SCOPED_TRACE(has_alpha ? "blended" : "copied");
    ExpectCornersKept(surface, 10, 1, 310, 9);
    EXPECT_EQ(COLORONCOLOR, GetStretchBltMode(surface.dc()));
    EXPECT_EQ(selected, GetCurrentObject(surface.dc(), OBJ_BITMAP));
  }
}

TEST(DrawBitmapTest, VerticalTilesRepeatTheSourceRowsAndCutTheLast) {
  // A 4 x 10 image whose rows have distinct colours, tiled down a 25-pixel destination.
  TestBitmap image(4, 10, 0);
  for (int y = 0; y < 10; ++y) image.FillRect({0, y, 4, y + 1}, 0xFF000000 | (y * 20 + 10) << 16);
  DibSurface surface(8, 30);
  surface.Fill(kWhite);
  Renderer::DrawBitmap(surface.dc(), image.get(), {0, 0, 8, 25}, {0, 0, 8, 30}, {0, 0, 4, 10}, kNoCorner,
                       false, 255, NineGridMiddle::kTileY);
  for (int y = 0; y < 25; ++y) {
    EXPECT_EQ(static_cast<uint32_t>((y % 10) * 20 + 10) << 16, surface.Pixel(7, y) & 0xFFFFFF) << "row " << y;
  }
  EXPECT_EQ(kWhite, surface.Pixel(0, 25));
}

TEST(DrawBitmapTest, AHoleLeavesTheInteriorUntouched) {
  TestBitmap image(20, 20, 0xFF336699);
  for (const bool has_alpha : {false, true}) {
    DibSurface surface(50, 50);
    surface.Fill(0xFF123456);
    Renderer::DrawBitmap(surface.dc(), image.get(), {5, 5, 45, 45}, {0, 0, 50, 50}, {0, 0, 20, 20},
                         {5, 5, 5, 5}, has_alpha, 255, NineGridMiddle::kHole);
    EXPECT_EQ(0, surface.CountPixelsNotEqual(0xFF123456, {10, 10, 40, 40}));
    EXPECT_EQ(0x336699u, surface.Pixel(5, 5) & 0xFFFFFF);
    EXPECT_EQ(0x336699u, surface.Pixel(9, 25) & 0xFFFFFF);
    EXPECT_EQ(0x336699u, surface.Pixel(44, 44) & 0xFFFFFF);
    EXPECT_EQ(0xFF123456u, surface.Pixel(4, 4));
  }
}

TEST(DrawBitmapTest, FadeBlendsAnOpaqueImageAndZeroDrawsNothing) {
  TestBitmap red(6, 6, 0xFFFF0000);
  DibSurface surface(20, 10);
  surface.Fill(kWhite);
  Renderer::DrawBitmap(surface.dc(), red.get(), {0, 0, 6, 6}, {0, 0, 20, 10}, {0, 0, 6, 6}, kNoCorner, false,
                       128);
  const uint32_t half = surface.Pixel(3, 3);
  EXPECT_TRUE(NearColor(half, 0xFFFF7F7F, 2)) << std::hex << half;

  Renderer::DrawBitmap(surface.dc(), red.get(), {10, 0, 16, 6}, {0, 0, 20, 10}, {0, 0, 6, 6}, kNoCorner,
                       false, 0);
  EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {10, 0, 20, 10}));
}

TEST(DrawBitmapTest, PremultipliedTranslucentPixelsBlendOverTheBackground) {
  // (255, 0, 0, 128) as the loader stores it: B 0, G 0, R 128, A 128.
  TestBitmap image(4, 4, 0x80800000);
  DibSurface surface(4, 4);
  surface.Fill(kWhite);
  Renderer::DrawBitmap(surface.dc(), image.get(), {0, 0, 4, 4}, {0, 0, 4, 4}, {0, 0, 4, 4}, kNoCorner, true);
  EXPECT_TRUE(NearColor(surface.Pixel(1, 1), 0xFFFF7F7F, 2)) << std::hex << surface.Pixel(1, 1);
}

TEST(DrawBitmapTest, AnOpaqueImageAtItsOwnSizeCopiesOnlyThePaintArea) {
  TestBitmap image(10, 10, 0);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) image.SetPixel(x, y, 0xFF000000 | x << 16 | y << 8 | 0x80);
  }
  DibSurface surface(20, 20);
  surface.Fill(kWhite);
  Renderer::DrawBitmap(surface.dc(), image.get(), {5, 5, 15, 15}, {8, 9, 12, 11}, {0, 0, 10, 10}, kNoCorner,
                       false);
  EXPECT_EQ(4 * 2, surface.CountPixelsNotEqual(kWhite, {0, 0, 20, 20}));
  EXPECT_EQ(image.Pixel(3, 4) & 0xFFFFFF, surface.Pixel(8, 9) & 0xFFFFFF);
  EXPECT_EQ(image.Pixel(6, 5) & 0xFFFFFF, surface.Pixel(11, 10) & 0xFFFFFF);

  // A source offset inside a larger bitmap is honoured.
  surface.Fill(kWhite);
  Renderer::DrawBitmap(surface.dc(), image.get(), {0, 0, 4, 4}, {0, 0, 20, 20}, {6, 6, 10, 10}, kNoCorner,
                       false);
  EXPECT_EQ(image.Pixel(6, 6) & 0xFFFFFF, surface.Pixel(0, 0) & 0xFFFFFF);
  EXPECT_EQ(image.Pixel(9, 9) & 0xFFFFFF, surface.Pixel(3, 3) & 0xFFFFFF);
}

TEST(DrawBitmapTest, MissingContextOrBitmapDrawsNothing) {
  TestBitmap image(2, 2, 0xFF000000);
  DibSurface surface(4, 4);
  EXPECT_FALSE(Renderer::DrawBitmap(surface.dc(), nullptr, {0, 0, 2, 2}, {0, 0, 4, 4}, {0, 0, 2, 2},
                                    kNoCorner, false));
  EXPECT_FALSE(
      Renderer::DrawBitmap(nullptr, image.get(), {0, 0, 2, 2}, {0, 0, 4, 4}, {0, 0, 2, 2}, kNoCorner, false));
}

TEST(DrawBitmapTest, ABitmapSelectedElsewhereIsReportedAndNothingIsDrawn) {
  DibSurface held(2, 2);  // Its bitmap stays selected into its own context.
  held.Fill(0xFF00FF00);
  DibSurface surface(4, 4);
  surface.Fill(kWhite);
  for (const bool has_alpha : {false, true}) {
    EXPECT_FALSE(Renderer::DrawBitmap(surface.dc(), held.bitmap(), {0, 0, 2, 2}, {0, 0, 4, 4}, {0, 0, 2, 2},
                                      kNoCorner, has_alpha));
    EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 4, 4}));
  }
}

// Pixels for the blend comparison: varied premultiplied colours and alphas, including 0 and 255.
std::vector<uint32_t> BlendSource(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int i = 0; i < width * height; ++i) {
    const uint32_t alpha = (i * 37) % 256;
    const uint32_t r = alpha * ((i * 11) % 256) / 255;
    const uint32_t g = alpha * ((i * 53) % 256) / 255;
    const uint32_t b = alpha * ((i * 97) % 256) / 255;
    pixels.push_back(alpha << 24 | r << 16 | g << 8 | b);
  }
  return pixels;
}

void FillBackground(DibSurface* surface) {
  for (int y = 0; y < surface->height(); ++y) {
    for (int x = 0; x < surface->width(); ++x) {
      RECT pixel = {x, y, x + 1, y + 1};
      const ScopedBrush brush(CreateSolidBrush(RGB(x * 9 % 256, y * 13 % 256, (x + y) * 7 % 256)));
      FillRect(surface->dc(), &pixel, brush.get());
    }
  }
}

int CountChannelDifferencesAbove(const DibSurface& a, const DibSurface& b, int tolerance) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) count += !NearColor(a.Pixel(x, y), b.Pixel(x, y), tolerance);
  }
  return count;
}

TEST(BuiltInAlphaBlendTest, GivesThePlatformsPixelsWithinRounding) {
  TestBitmap source(16, 16, BlendSource(16, 16));
  const ScopedMemoryDC memory_dc(CreateCompatibleDC(nullptr));
  HDC memory = memory_dc.get();
  const ScopedSelection selection(memory, source.get());
  struct Case {
    BYTE constant_alpha;
    BYTE format;
    int width;
  };
  for (const Case& c : {Case{255, AC_SRC_ALPHA, 16}, Case{200, AC_SRC_ALPHA, 16}, Case{90, 0, 16},
                        Case{255, AC_SRC_ALPHA, 32}}) {
    DibSurface platform(40, 40);
    DibSurface built_in(40, 40);
    FillBackground(&platform);
    FillBackground(&built_in);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, c.constant_alpha, c.format};
    ASSERT_TRUE(AlphaBlend(platform.dc(), 3, 5, c.width, c.width, memory, 0, 0, 16, 16, blend));
    ASSERT_TRUE(BuiltInAlphaBlend(built_in.dc(), 3, 5, c.width, c.width, memory, 0, 0, 16, 16, blend));
    EXPECT_EQ(0, CountChannelDifferencesAbove(platform, built_in, 1))
        << "constant alpha " << int{c.constant_alpha} << ", width " << c.width;
  }
}

TEST(BuiltInAlphaBlendTest, RefusesEmptyAreasWithoutDrawing) {
  TestBitmap source(4, 4, 0xFFFFFFFF);
  const ScopedMemoryDC memory_dc(CreateCompatibleDC(nullptr));
  HDC memory = memory_dc.get();
  const ScopedSelection selection(memory, source.get());
  DibSurface surface(8, 8);
  surface.Fill(0xFF000000);
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  EXPECT_FALSE(BuiltInAlphaBlend(surface.dc(), 0, 0, 0, 4, memory, 0, 0, 4, 4, blend));
  EXPECT_FALSE(BuiltInAlphaBlend(surface.dc(), 0, 0, 4, 4, memory, 0, 0, 4, -1, blend));
  EXPECT_FALSE(BuiltInAlphaBlend(nullptr, 0, 0, 4, 4, memory, 0, 0, 4, 4, blend));
  EXPECT_EQ(0, surface.CountPixelsNotEqual(0xFF000000, {0, 0, 8, 8}));
}

TEST(Msimg32FunctionsTest, AreResolvedOnceFromThePlatform) {
  const Msimg32Functions& first = GetMsimg32Functions();
  EXPECT_EQ(&first, &GetMsimg32Functions());
  HMODULE module = GetModuleHandleW(L"msimg32.dll");
  ASSERT_NE(nullptr, module);
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "AlphaBlend")),
            reinterpret_cast<void*>(first.alpha_blend));
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")),
            reinterpret_cast<void*>(first.gradient_fill));
}

}  // namespace
}  // namespace veneer::test
