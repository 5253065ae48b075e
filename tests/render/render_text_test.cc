#include <gtest/gtest.h>

#include <algorithm>

#include "tests/render/test_bitmap.h"
#include "tests/support/dib_surface.h"
#include "tests/support/test_window.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr UINT kOneLine = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;

// The smallest rectangle holding every pixel that is not white; empty when there is none.
CUIRect InkBounds(const DibSurface& surface) {
  CUIRect bounds(surface.width(), surface.height(), 0, 0);
  for (int y = 0; y < surface.height(); ++y) {
    for (int x = 0; x < surface.width(); ++x) {
      if (surface.Pixel(x, y) == kWhite) continue;
      bounds.Join(CUIRect(x, y, x + 1, y + 1));
    }
  }
  return bounds.IsEmpty() ? CUIRect() : bounds;
}

bool SamePixels(const DibSurface& a, const DibSurface& b) {
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if ((a.Pixel(x, y) & 0xFFFFFF) != (b.Pixel(x, y) & 0xFFFFFF)) return false;
    }
  }
  return true;
}

void DrawText(const DibSurface& surface, CPaintManagerUI* manager, RECT rect, const wchar_t* text,
              bool gdiplus) {
  Renderer::DrawPlainText(surface.dc(), manager, rect, text, 0xFF000000, -1, kOneLine, gdiplus);
}

TEST(DrawPlainTextTest, TextAppearsInsideItsRectangleAndNowhereElseOnBothPaths) {
  CPaintManagerUI manager;
  for (const bool gdiplus : {false, true}) {
    SCOPED_TRACE(gdiplus ? "GDI+" : "GDI");
    DibSurface surface(240, 60);
    surface.Fill(kWhite);
    const RECT rect = {20, 10, 200, 50};
    DrawText(surface, &manager, rect, L"Hello, world", gdiplus);
    const int inside = surface.CountPixelsNotEqual(kWhite, rect);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(inside, surface.CountPixelsNotEqual(kWhite, {0, 0, 240, 60}));
  }
}

TEST(DrawPlainTextTest, WrappedTextIsClippedToItsRectangle) {
  CPaintManagerUI manager;
  DibSurface surface(200, 100);
  surface.Fill(kWhite);
  RECT rect = {10, 10, 60, 30};  // Room for about one line of a few characters.
  Renderer::DrawPlainText(surface.dc(), &manager, rect, L"several words that wrap over many lines",
                          0xFF000000, -1, DT_WORDBREAK);
  const CUIRect ink = InkBounds(surface);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.right, 60);
  EXPECT_LE(ink.bottom, 30);
}

TEST(DrawPlainTextTest, NoClipDrawsALineTallerThanItsRectangleWholeOnBothPaths) {
  CPaintManagerUI manager;
  for (const bool gdiplus : {false, true}) {
    SCOPED_TRACE(gdiplus ? "GDI+" : "GDI");
    DibSurface surface(200, 60);
    surface.Fill(kWhite);
    RECT rect = {10, 10, 190, 14};  // Four pixels: less than one line.
    Renderer::DrawPlainText(surface.dc(), &manager, rect, L"Hello", 0xFF000000, -1, DT_NOCLIP, gdiplus);
    const CUIRect ink = InkBounds(surface);
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GT(ink.bottom, 14);  // Below the rectangle: neither clipped nor left out.
  }
}

TEST(DrawPlainTextTest, NeverWritesIntoTheCallersText) {
  CPaintManagerUI manager;
  DibSurface surface(100, 30);
  // DT_MODIFYSTRING would have the platform write the shortened text (and up to four more characters)
  // into the read-only buffer it was given.
  wchar_t text[] = L"A rather long text";
  RECT rect = {0, 0, 30, 30};
  Renderer::DrawPlainText(surface.dc(), &manager, rect, text, 0xFF000000, -1,
                          kOneLine | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  EXPECT_STREQ(L"A rather long text", text);
}

TEST(DrawPlainTextTest, CalcRectMeasuresWithoutDrawing) {
  CPaintManagerUI manager;
  for (const bool gdiplus : {false, true}) {
    SCOPED_TRACE(gdiplus ? "GDI+" : "GDI");
    DibSurface surface(400, 60);
    surface.Fill(kWhite);
    RECT short_rect = {5, 5, 395, 55};
    RECT long_rect = short_rect;
    Renderer::DrawPlainText(surface.dc(), &manager, short_rect, L"Hello", 0xFF000000, -1,
                            kOneLine | DT_CALCRECT, gdiplus);
    Renderer::DrawPlainText(surface.dc(), &manager, long_rect, L"Hello, wide world", 0xFF000000, -1,
                            kOneLine | DT_CALCRECT, gdiplus);
    EXPECT_EQ(0, surface.CountPixelsNotEqual(kWhite, {0, 0, 400, 60}));
    EXPECT_EQ(5, short_rect.left);
    EXPECT_GT(short_rect.right, 5 + 10);
    EXPECT_GT(short_rect.bottom, 5 + 5);
    EXPECT_GT(long_rect.right, short_rect.right);
  }
}

TEST(DrawPlainTextTest, GlyphReferenceDrawsOneCharacterOnlyOnTheGdiPath) {
  CPaintManagerUI manager;
  DibSurface reference(120, 40);
  DibSurface glyph(120, 40);
  DibSurface gdiplus_reference(120, 40);
  DibSurface gdiplus_glyph(120, 40);
  for (DibSurface* s : {&reference, &glyph, &gdiplus_reference, &gdiplus_glyph}) s->Fill(kWhite);
  const RECT rect = {5, 5, 115, 35};
  DrawText(reference, &manager, rect, L"A", false);
  DrawText(glyph, &manager, rect, L"x&#x41;", false);
  EXPECT_TRUE(SamePixels(reference, glyph));

  DrawText(gdiplus_reference, &manager, rect, L"A", true);
  DrawText(gdiplus_glyph, &manager, rect, L"x&#x41;", true);
  EXPECT_GT(InkBounds(gdiplus_glyph).GetWidth(), 2 * InkBounds(gdiplus_reference).GetWidth());

  // A layered window's manager draws through GDI+, so the reference is drawn as written there too.
  DibSurface layered(120, 40);
  layered.Fill(kWhite);
  const TestWindow window = TestWindow::Hidden(10, 10);
  manager.AttachToWindow(window.hwnd(), L"layered");
  manager.SetLayered(true);
  DrawText(layered, &manager, rect, L"x&#x41;", false);
  EXPECT_GT(InkBounds(layered).GetWidth(), 2 * InkBounds(reference).GetWidth());
}

TEST(DrawPlainTextTest, AlignmentFlagsPlaceTheTextOnBothPaths) {
  CPaintManagerUI manager;
  const RECT rect = {10, 10, 290, 90};
  for (const bool gdiplus : {false, true}) {
    SCOPED_TRACE(gdiplus ? "GDI+" : "GDI");
    DibSurface surface(300, 100);
    surface.Fill(kWhite);
    RECT text_rect = rect;
    Renderer::DrawPlainText(surface.dc(), &manager, text_rect, L"Centred", 0xFF000000, -1,
                            DT_CENTER | DT_VCENTER | DT_SINGLELINE, gdiplus);
    const CUIRect centred = InkBounds(surface);
    EXPECT_NEAR((centred.left + centred.right) / 2, 150, 4);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 50, 4);

    surface.Fill(kWhite);
    text_rect = rect;
    Renderer::DrawPlainText(surface.dc(), &manager, text_rect, L"Right", 0xFF000000, -1,
                            DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, gdiplus);
    const CUIRect right = InkBounds(surface);
    EXPECT_NEAR(right.right, 290, 4);
    EXPECT_NEAR(right.bottom, 90, 5);
  }
}

TEST(DrawPlainTextTest, GdiplusTextIsDrawnWithBrushAlpha254) {
  CPaintManagerUI manager;
  DibSurface gdi(200, 60);
  DibSurface gdiplus(200, 60);
  gdi.Fill(kWhite);
  gdiplus.Fill(kWhite);
  DrawText(gdi, &manager, {5, 5, 195, 55}, L"IIII MMMM", false);
  DrawText(gdiplus, &manager, {5, 5, 195, 55}, L"IIII MMMM", true);
  int darkest_gdi = 255;
  int darkest_gdiplus = 255;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      darkest_gdi = std::min(darkest_gdi, Green(gdi.Pixel(x, y)));
      darkest_gdiplus = std::min(darkest_gdiplus, Green(gdiplus.Pixel(x, y)));
    }
  }
  EXPECT_EQ(0, darkest_gdi);
  EXPECT_EQ(1, darkest_gdiplus);  // Black at 254/255 over white.
}

TEST(DrawPlainTextTest, RestoresTheContextsFontColourAndMode) {
  CPaintManagerUI manager;
  DibSurface surface(100, 30);
  SetTextColor(surface.dc(), RGB(1, 2, 3));
  SetBkMode(surface.dc(), OPAQUE);
  HGDIOBJ font = GetCurrentObject(surface.dc(), OBJ_FONT);
  for (const bool gdiplus : {false, true}) {
    RECT rect = {0, 0, 100, 30};
    Renderer::DrawPlainText(surface.dc(), &manager, rect, L"text", 0xFFFF0000, -1, kOneLine, gdiplus);
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(surface.dc()));
    EXPECT_EQ(OPAQUE, GetBkMode(surface.dc()));
    EXPECT_EQ(font, GetCurrentObject(surface.dc(), OBJ_FONT));
  }
  EXPECT_EQ(font, GetCurrentObject(surface.dc(), OBJ_FONT));
  CUISize size = Renderer::MeasureText(surface.dc(), &manager, L"text", -1);
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(OPAQUE, GetBkMode(surface.dc()));
  EXPECT_EQ(font, GetCurrentObject(surface.dc(), OBJ_FONT));
}

TEST(DrawTextOnColorTest, FillsTheBackgroundThenDrawsTheText) {
  CPaintManagerUI manager;
  DibSurface surface(200, 40);
  surface.Fill(kWhite);
  Renderer::DrawTextOnColor(surface.dc(), &manager, {10, 5, 190, 35}, L"On colour", 0xFFFFFFFF, -1,
                            kOneLine | DT_VCENTER | DT_CENTER, 0xFF000080);
  EXPECT_EQ(0x000080u, surface.Pixel(10, 5) & 0xFFFFFF);
  EXPECT_EQ(0x000080u, surface.Pixel(189, 34) & 0xFFFFFF);
  EXPECT_EQ(kWhite, surface.Pixel(9, 5));
  int light = 0;  // White text pixels on the dark background.
  for (int y = 5; y < 35; ++y) {
    for (int x = 10; x < 190; ++x) light += Red(surface.Pixel(x, y)) > 0x80;
  }
  EXPECT_GT(light, 10);
}

TEST(MeasureTextTest, LongerTextAndLargerFontsMeasureWider) {
  CPaintManagerUI manager;
  DibSurface surface(10, 10);
  const CUISize short_size = Renderer::MeasureText(surface.dc(), &manager, L"Hello", -1);
  const CUISize long_size = Renderer::MeasureText(surface.dc(), &manager, L"Hello, world", -1);
  EXPECT_GT(short_size.cx, 0);
  EXPECT_GT(short_size.cy, 0);
  EXPECT_GT(long_size.cx, short_size.cx);
  EXPECT_EQ(long_size.cy, short_size.cy);

  ASSERT_NE(nullptr, manager.RegisterFont(7, L"Tahoma", 40, FontStyle::kRegular, false));
  const CUISize large = Renderer::MeasureText(surface.dc(), &manager, L"Hello", 7);
  EXPECT_GT(large.cx, short_size.cx);
  EXPECT_GT(large.cy, short_size.cy);
  // Unknown and negative ids give the default font.
  EXPECT_EQ(short_size.cx, Renderer::MeasureText(surface.dc(), &manager, L"Hello", 99).cx);

  EXPECT_EQ(0, Renderer::MeasureText(surface.dc(), &manager, nullptr, -1).cx);
  EXPECT_EQ(0, Renderer::MeasureText(surface.dc(), &manager, L"", -1).cy);
  EXPECT_EQ(0, Renderer::MeasureText(surface.dc(), nullptr, L"Hello", -1).cx);
}

TEST(ParseGlyphReferenceTest, ReadsUpToFourHexDigitsAfterTheMarker) {
  wchar_t glyph = 0;
  EXPECT_TRUE(Renderer::ParseGlyphReference(L"&#xE601;", &glyph));
  EXPECT_EQ(0xE601, glyph);
  EXPECT_TRUE(Renderer::ParseGlyphReference(L"icon &#xe6; ", &glyph));  // Blank, then ';' dropped.
  EXPECT_EQ(0xE6, glyph);
  EXPECT_TRUE(Renderer::ParseGlyphReference(L"&#x41", &glyph));  // Text ends early.
  EXPECT_EQ(0x41, glyph);
  EXPECT_TRUE(Renderer::ParseGlyphReference(L"&#x123456", &glyph));  // Four characters at most.
  EXPECT_EQ(0x1234, glyph);
  EXPECT_FALSE(Renderer::ParseGlyphReference(L"&#x;", &glyph));
  EXPECT_FALSE(Renderer::ParseGlyphReference(L"&#xZZ", &glyph));
  // Only ASCII digits and letters count: a full-width zero and A are no number.
  EXPECT_FALSE(Renderer::ParseGlyphReference(L"&#x\xFF10\xFF21;", &glyph));
  EXPECT_FALSE(Renderer::ParseGlyphReference(L"plain text", &glyph));
  EXPECT_FALSE(Renderer::ParseGlyphReference(nullptr, &glyph));
}

}  // namespace
}  // namespace veneer::test
