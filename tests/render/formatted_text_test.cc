#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/render/test_bitmap.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/core/win_handles.h"
#include "ui/render/formatted_text.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr int kBaseFont = 1;

bool IsWhite(uint32_t argb) { return (argb & 0xFFFFFF) == 0xFFFFFF; }
bool IsRedInk(uint32_t argb) { return Red(argb) > 180 && Green(argb) < 90 && Blue(argb) < 90; }
bool IsDarkInk(uint32_t argb) { return Red(argb) < 80 && Green(argb) < 80 && Blue(argb) < 80; }
bool IsReddish(uint32_t argb) { return Red(argb) > Green(argb) + 60; }
bool IsBlueInk(uint32_t argb) { return Blue(argb) > 180 && Red(argb) < 80 && Green(argb) < 80; }
bool IsHoverInk(uint32_t argb) { return Red(argb) > 150 && Green(argb) < 100 && Blue(argb) < 150; }

int CountPixels(const DibSurface& surface, const RECT& area, const std::function<bool(uint32_t)>& test) {
  int count = 0;
  for (int y = std::max<int>(0, area.top); y < std::min<int>(surface.height(), area.bottom); ++y) {
    for (int x = std::max<int>(0, area.left); x < std::min<int>(surface.width(), area.right); ++x) {
      count += test(surface.Pixel(x, y));
    }
  }
  return count;
}

int CountInk(const DibSurface& surface, const RECT& area) {
  return CountPixels(surface, area, [](uint32_t pixel) { return !IsWhite(pixel); });
}

// Writes opaque 0xRRGGBB pixels as a PNG in the temporary folder; returns its full path, or "" on failure.
std::wstring WriteTempPng(const wchar_t* name, int width, int height, std::vector<uint32_t> pixels) {
  for (uint32_t& p : pixels) p |= 0xFF000000;
  const std::wstring path = TempPath(name);
  return WritePngFile(path, width, height, pixels) ? path : L"";
}

// Four 10 x 10 cells side by side: red, green, blue, yellow.
std::wstring WriteCellStrip() {
  const uint32_t cells[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
  std::vector<uint32_t> pixels;
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 40; ++x) pixels.push_back(cells[x / 10]);
  }
  return WriteTempPng(L"formatted_text_cells.png", 40, 10, pixels);
}

std::wstring WriteRedBar() {
  return WriteTempPng(L"formatted_text_bar.png", 40, 10, std::vector<uint32_t>(400, 0xFF0000));
}

struct Links {
  RECT rects[8] = {};
  CUIString texts[8];
  int count = 0;
};

class FormattedTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = manager_.RegisterFont(kBaseFont, L"Tahoma", 20, FontStyle::kRegular, false);
    ASSERT_NE(nullptr, base_);
    line_height_ = LineHeight(base_);
    ASSERT_GT(line_height_, 10);
  }

  // The measured extent of the text laid out from (0, 0) in a rectangle of the given size.
  CUIRect Measure(const std::wstring& text, UINT format = 0, int width = 1000, int height = 1000) {
    RECT rect = {0, 0, width, height};
    int no_links = 0;
    DrawFormattedText(measure_dc_.dc(), &manager_, &rect, text.c_str(), kBlack, nullptr, nullptr, &no_links,
                      kBaseFont, format | DT_CALCRECT);
    return CUIRect(rect);
  }

  void Draw(DibSurface* surface, RECT rect, const std::wstring& text, UINT format = 0,
            uint32_t colour = kBlack, Links* links = nullptr, POINT pointer = {-1, -1}) {
    int capacity = 8;
    DrawFormattedTextAtPointer(surface->dc(), &manager_, &rect, text.c_str(), colour,
                               links ? links->rects : nullptr, links ? links->texts : nullptr,
                               links ? &capacity : nullptr, kBaseFont, format, pointer);
    if (links) links->count = capacity;
  }

  int TextWidth(const wchar_t* text, HFONT font) {
    const ScopedSelection selection(measure_dc_.dc(), font);
    SIZE size = {};
    GetTextExtentPoint32W(measure_dc_.dc(), text, static_cast<int>(wcslen(text)), &size);
    return size.cx;
  }
  int Width(const wchar_t* text) { return TextWidth(text, base_); }

  int LineHeight(HFONT font) {
    const TEXTMETRICW& metrics = manager_.GetFontRecordByHandle(font)->metrics;
    return metrics.tmHeight + metrics.tmExternalLeading;
  }

  CPaintManagerUI manager_;
  DibSurface measure_dc_{4, 4};
  HFONT base_ = nullptr;
  int line_height_ = 0;
};

TEST_F(FormattedTextTest, BoldTagDrawsTheBoldVariantAndLeavesTheRestInTheBaseFont) {
  const CUIRect tagged = Measure(L"{b}Bold{/b} plain");
  HFONT bold = manager_.FindFontHandle(L"Tahoma", 20, FontStyle::kBold);
  ASSERT_NE(nullptr, bold);
  EXPECT_LT(manager_.GetFontRecordByHandle(bold)->id, 0);  // Never a skin's id.
  EXPECT_GT(TextWidth(L"Bold", bold), Width(L"Bold"));
  EXPECT_EQ(TextWidth(L"Bold", bold) + Width(L" plain"), tagged.right);

  DibSurface styled(300, 40), plain(300, 40);
  styled.Fill(kWhite);
  plain.Fill(kWhite);
  Draw(&styled, {0, 0, 300, 40}, L"{b}Bold{/b} plain");
  Draw(&plain, {0, 0, 300, 40}, L"Bold plain");
  // " plain" is the same picture, moved right by the extra width of the bold word (and down when the
  // bold font's line is higher).
  const int dx = TextWidth(L"Bold", bold) - Width(L"Bold");
  const int dy = std::max(LineHeight(bold), line_height_) - line_height_;
  int ink = 0;
  int differences = 0;
  for (int y = 0; y + dy < 40; ++y) {
    for (int x = Width(L"Bold "); x < Width(L"Bold plain"); ++x) {
      ink += !IsWhite(plain.Pixel(x, y));
      differences += (plain.Pixel(x, y) & 0xFFFFFF) != (styled.Pixel(x + dx, y + dy) & 0xFFFFFF);
    }
  }
  EXPECT_GT(ink, 30);
  EXPECT_EQ(0, differences);
  if (differences) styled.SaveForFailureReport(L"bold_styled");
}

TEST_F(FormattedTextTest, ColourTagDrawsItsColourAndTheDefaultReturnsAfterIt) {
  DibSurface surface(300, 40);
  surface.Fill(kWhite);
  Draw(&surface, {0, 0, 300, 40}, L"{c #FF0000}Red{/c}Dark");
  const int split = Width(L"Red");
  EXPECT_GT(CountPixels(surface, {0, 0, split, 40}, IsRedInk), 10);
  EXPECT_EQ(0, CountPixels(surface, {0, 0, split, 40}, IsDarkInk));
  EXPECT_GT(CountPixels(surface, {split + 1, 0, 300, 40}, IsDarkInk), 10);
  EXPECT_EQ(0, CountPixels(surface, {split + 1, 0, 300, 40}, IsReddish));
}

TEST_F(FormattedTextTest, SingleLineAlignmentPlacesTheWholeText) {
  const std::wstring bar = WriteRedBar();
  ASSERT_FALSE(bar.empty());
  const std::wstring text = L"{i " + bar + L"}";
  const int top = (50 - line_height_) / 2 + (line_height_ - 10) / 2;
  for (const UINT horizontal : {UINT{DT_CENTER}, UINT{DT_RIGHT}}) {
    DibSurface surface(120, 60);
    surface.Fill(kWhite);
    Draw(&surface, {0, 0, 100, 50}, text, DT_SINGLELINE | DT_VCENTER | horizontal);
    const int left = horizontal == DT_CENTER ? 30 : 60;  // A 40-pixel image in 100 pixels.
    EXPECT_EQ(400, CountPixels(surface, {left, top, left + 40, top + 10}, IsRedInk));
    EXPECT_EQ(400, CountPixels(surface, {0, 0, 120, 60}, [](uint32_t p) { return !IsWhite(p); }));
  }

  // A text is placed by its measured width: the link covering it starts half the free width in.
  Links links;
  DibSurface surface(120, 60);
  Draw(&surface, {0, 0, 100, 50}, L"{a t}Hi{/a}", DT_SINGLELINE | DT_CENTER, kBlack, &links);
  ASSERT_EQ(1, links.count);
  const int width = Width(L"Hi");
  EXPECT_TRUE(RectEq(CUIRect((100 - width) / 2, 0, (100 - width) / 2 + width, line_height_), links.rects[0]));
}

TEST_F(FormattedTextTest, ImageTagsDrawTheChosenCellAndOutOfRangeIndexesTheFirst) {
  const std::wstring strip = WriteCellStrip();
  ASSERT_FALSE(strip.empty());
  const int top = (line_height_ - 10) / 2;
  auto colour_at = [&](const wchar_t* arguments, int x) {
    DibSurface surface(100, 40);
    surface.Fill(kWhite);
    Draw(&surface, {0, 0, 100, 40}, L"{i " + strip + arguments + L"}");
    EXPECT_TRUE(IsWhite(surface.Pixel(12, top + 5))) << "the cell is 10 pixels wide";
    if (top > 0) {
      EXPECT_TRUE(IsWhite(surface.Pixel(5, top - 1)));
    }
    return surface.Pixel(x, top + 5) & 0xFFFFFF;
  };
  EXPECT_EQ(0x0000FFu, colour_at(L" 4 2", 5));
  EXPECT_EQ(0xFF0000u, colour_at(L" 4 7", 5));
  EXPECT_EQ(0xFFFF00u, colour_at(L" 4 3", 9));

  // The image raises the line; a line height set below it leaves the image's bottom as the extent.
  EXPECT_EQ(line_height_, Measure(L"{i " + strip + L" 4 2}").bottom);
  EXPECT_EQ(10, Measure(L"{i " + strip + L" 4 2}").right);
  EXPECT_EQ(top + 10, Measure(L"{i " + strip + L" 4 2}{y 4}").bottom);
  // Images that do not fit go to the next line, unless they start it.
  EXPECT_EQ(2 * line_height_, Measure(L"ab{i " + strip + L"}", DT_WORDBREAK, Width(L"ab") + 20).bottom);
  EXPECT_EQ(line_height_, Measure(L"{i " + strip + L"}", 0, 20).bottom);
}

TEST_F(FormattedTextTest, RawTextAndEscapesKeepTheirBrackets) {
  EXPECT_EQ(Width(L"{b}x{/b}"), Measure(L"{r}{b}x{/b}{/r}").right);
  EXPECT_EQ(nullptr, manager_.FindFontHandle(L"Tahoma", 20, FontStyle::kBold));
  EXPECT_EQ(Width(L"{b}<x>"), Measure(L"<{>b<}>{<}x{>}").right);
  EXPECT_EQ(Width(L"a{B}b"), Measure(L"a{B}b").right);
}

TEST_F(FormattedTextTest, HoveredLinkUsesTheHoverColour) {
  const std::wstring text = L"{a first}First{/a} {a second}Second{/a}";
  Links links;
  DibSurface first_paint(300, 40);
  first_paint.Fill(kWhite);
  Draw(&first_paint, {0, 0, 300, 40}, text, 0, 0, &links);
  ASSERT_EQ(2, links.count);
  EXPECT_EQ(L"first", links.texts[0]);
  EXPECT_EQ(L"second", links.texts[1]);
  const RECT second = links.rects[1];
  EXPECT_TRUE(RectEq(CUIRect(Width(L"First "), 0, Width(L"First Second"), line_height_), second));
  EXPECT_GT(CountPixels(first_paint, second, IsBlueInk), 10);

  DibSurface surface(300, 40);
  surface.Fill(kWhite);
  const POINT pointer = {(second.left + second.right) / 2, (second.top + second.bottom) / 2};
  Draw(&surface, {0, 0, 300, 40}, text, 0, 0, &links, pointer);
  ASSERT_EQ(2, links.count);
  EXPECT_GT(CountPixels(surface, links.rects[0], IsBlueInk), 10);
  EXPECT_EQ(0, CountPixels(surface, links.rects[0], IsHoverInk));
  EXPECT_GT(CountPixels(surface, links.rects[1], IsHoverInk), 10);
  EXPECT_EQ(0, CountPixels(surface, links.rects[1], IsBlueInk));
}

TEST_F(FormattedTextTest, LinkCountIsTheNumberOfLinksThatFit) {
  const std::wstring text = L"{a 1}one{/a}{n}{a 2}two{/a}{n}{a 3}three{/a}";
  Links links;
  DibSurface surface(200, 100);
  Draw(&surface, {0, 0, 200, 2 * line_height_}, text, 0, kBlack, &links);
  EXPECT_EQ(2, links.count);
  EXPECT_TRUE(RectEq(CUIRect(0, line_height_, Width(L"two"), 2 * line_height_), links.rects[1]));
  // One line: {n} is ignored, a line break ends the drawing.
  Draw(&surface, {0, 0, 200, 100}, text, DT_SINGLELINE, kBlack, &links);
  EXPECT_EQ(3, links.count);
  EXPECT_TRUE(RectEq(CUIRect(Width(L"one"), 0, Width(L"onetwo"), line_height_), links.rects[1]));
  Draw(&surface, {0, 0, 200, 100}, L"{a 1}one{/a}\n{a 2}two{/a}", DT_SINGLELINE, kBlack, &links);
  EXPECT_EQ(1, links.count);

  RECT rect = {0, 0, 200, 100};
  RECT one_rect;
  CUIString one_text;
  int capacity = 1;
  DrawFormattedText(surface.dc(), &manager_, &rect, text.c_str(), kBlack, &one_rect, &one_text, &capacity,
                    kBaseFont, 0);
  EXPECT_EQ(1, capacity);
  EXPECT_EQ(L"1", one_text);
}

TEST_F(FormattedTextTest, WordsBreakAtTheLastBlankOrPunctuationAndWrappedLinksGetOneRectanglePerLine) {
  const int width = Width(L"alpha be") + 1;  // "alpha bet" does not fit.
  DibSurface surface(200, 100);
  const auto lay_out = [&](const wchar_t* words, UINT format) {
    Links links;
    Draw(&surface, {0, 0, width, 100}, std::wstring(L"{a go}") + words + L"{/a}", format, kBlack, &links);
    EXPECT_EQ(2, links.count);
    EXPECT_EQ(L"go", links.texts[0]);
    EXPECT_EQ(L"go", links.texts[1]);
    EXPECT_EQ(2 * line_height_, links.rects[1].bottom);
    return std::make_pair(static_cast<int>(links.rects[0].right), static_cast<int>(links.rects[1].right));
  };
  EXPECT_EQ(std::make_pair(Width(L"alpha "), Width(L"beta")), lay_out(L"alpha beta", DT_WORDBREAK));
  EXPECT_EQ(std::make_pair(Width(L"alpha,"), Width(L"beta")), lay_out(L"alpha,beta", DT_WORDBREAK));
  EXPECT_EQ(std::make_pair(Width(L"alpha be"), Width(L"ta")), lay_out(L"alpha beta", 0));
  // A word after a tag moves to the next line as a whole when a blank came before it.
  EXPECT_EQ(std::make_pair(Width(L"alpha "), Width(L"beta")), lay_out(L"alpha {u}{/u}beta", DT_WORDBREAK));
}

TEST_F(FormattedTextTest, BlanksAtTheRightEdgeNeverStartTheNextLine) {
  const int width = Width(L"alpha") + 1;
  DibSurface surface(200, 100);
  for (const UINT format : {UINT{0}, UINT{DT_WORDBREAK}}) {
    for (const wchar_t* words : {L"alpha beta", L"alpha   beta"}) {
      SCOPED_TRACE(words);
      Links links;
      Draw(&surface, {0, 0, width, 100}, std::wstring(L"{a go}") + words + L"{/a}", format, kBlack, &links);
      ASSERT_EQ(2, links.count);
      EXPECT_TRUE(RectEq(CUIRect(0, line_height_, Width(L"beta"), 2 * line_height_), links.rects[1]));
    }
  }
  // However many blanks there are, they end the line they reach.
  const std::wstring blanks = L"a" + std::wstring(5000, L' ') + L"b";
  EXPECT_EQ(2 * line_height_, Measure(blanks, 0, 4).bottom);
  EXPECT_EQ(2 * line_height_, Measure(blanks, DT_WORDBREAK, 4).bottom);
}

TEST_F(FormattedTextTest, LinesParagraphsAndPenTags) {
  EXPECT_EQ(2 * line_height_, Measure(L"A{n}B").bottom);
  EXPECT_EQ(2 * line_height_, Measure(L"A\r\nB").bottom);
  const CUIRect single = Measure(L"A{n}B", DT_SINGLELINE);
  EXPECT_EQ(line_height_, single.bottom);
  EXPECT_EQ(Width(L"AB"), single.right);
  EXPECT_EQ(line_height_, Measure(L"A\nB", DT_SINGLELINE).bottom);

  EXPECT_EQ(2 * line_height_ + 10, Measure(L"{p 10}A{/p}B").bottom);
  EXPECT_EQ(3 * line_height_ + 6, Measure(L"A{p 6}B{/p}C").bottom);
  EXPECT_EQ(40, Measure(L"{y 40}A").bottom);
  EXPECT_EQ(25 + Width(L"A"), Measure(L"{x 25}A").right);
  const CUIRect empty = Measure(L"");
  EXPECT_EQ(0, empty.right);
  EXPECT_EQ(0, empty.bottom);
  // The measured width never passes the rectangle.
  EXPECT_EQ(30, Measure(L"{x 25}ABCDEF", DT_SINGLELINE, 30).right);
}

TEST_F(FormattedTextTest, FontTagsFindOrRegisterFonts) {
  Measure(L"{f Tahoma 30 bold}A");
  HFONT large = manager_.FindFontHandle(L"Tahoma", 30, FontStyle::kBold);
  ASSERT_NE(nullptr, large);
  EXPECT_EQ(LineHeight(large), Measure(L"{f Tahoma 30 bold}A").bottom);
  EXPECT_EQ(TextWidth(L"A", large) + Width(L"B"), Measure(L"{f Tahoma 30 bold}A{/f}B").right);

  HFONT by_id = manager_.RegisterFont(7, L"Tahoma", 32, FontStyle::kRegular, false);
  ASSERT_NE(nullptr, by_id);
  EXPECT_EQ(LineHeight(by_id), Measure(L"{f 7}A{/f}B").bottom);
  // An unknown id is the default font.
  EXPECT_EQ(std::max(line_height_, LineHeight(manager_.GetDefaultFontRecord()->handle.get())),
            Measure(L"{f 99}A").bottom);

  // Leaving italic moves the pen by half the blank's C width.
  Measure(L"{i}A{/i}");
  HFONT italic = manager_.FindFontHandle(L"Tahoma", 20, FontStyle::kItalic);
  ASSERT_NE(nullptr, italic);
  int half_c = 0;
  {
    const ScopedSelection selection(measure_dc_.dc(), italic);
    ABC blank = {};
    half_c = GetCharABCWidthsW(measure_dc_.dc(), L' ', L' ', &blank) ? blank.abcC / 2 : 0;
  }
  EXPECT_EQ(TextWidth(L"A", italic) + half_c + Width(L"B"), Measure(L"{i}A{/i}B").right);
  // Asking for a style the font has changes nothing.
  EXPECT_EQ(TextWidth(L"AB", italic), Measure(L"{i}A{i}B").right);
}

TEST_F(FormattedTextTest, EllipsisAndSelection) {
  const int width = Width(L"abcdef") + 1;
  const CUIRect cut = Measure(L"abcdefghijkl", DT_SINGLELINE | DT_END_ELLIPSIS, width);
  EXPECT_EQ(std::min(width, Width(L"abcd...")), cut.right);

  DibSurface surface(200, 40);
  surface.Fill(kWhite);
  Draw(&surface, {0, 0, 200, 40}, L"{s}AB{/s} CD");
  const auto is_selected = [](uint32_t p) { return (p & 0xFFFFFF) == 0xBAE4FF; };
  EXPECT_GT(CountPixels(surface, {0, 0, Width(L"AB"), line_height_}, is_selected), 50);
  EXPECT_EQ(0, CountPixels(surface, {Width(L"AB"), 0, 200, 40}, is_selected));
}

TEST_F(FormattedTextTest, MultiLineAlignmentCentresEachLineAndTheWholeText) {
  Links links;
  DibSurface surface(240, 200);
  const int height = 150;
  Draw(&surface, {0, 0, 200, height}, L"{a 1}ab{/a}{n}{a 2}abcd{/a}{n}{a 3}x{/a}", DT_CENTER | DT_VCENTER,
       kBlack, &links);
  ASSERT_EQ(3, links.count);
  const int top = (height - 3 * line_height_) / 2;
  EXPECT_TRUE(RectEq(
      CUIRect((200 - Width(L"ab")) / 2, top, (200 - Width(L"ab")) / 2 + Width(L"ab"), top + line_height_),
      links.rects[0]));
  EXPECT_EQ((200 - Width(L"abcd")) / 2, links.rects[1].left);
  EXPECT_EQ(top + 3 * line_height_, links.rects[2].bottom);
}

TEST_F(FormattedTextTest, DeviceContextStateAndClipAreRestored) {
  DibSurface surface(200, 60);
  surface.Fill(kWhite);
  HDC dc = surface.dc();
  HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
  SelectObject(dc, font);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  SetBkMode(dc, OPAQUE);
  IntersectClipRect(dc, 0, 0, 150, 50);

  Draw(&surface, {10, 10, 60, 30}, L"{c #FF0000}{s}several{/s} {b}words{/b} that wrap{/c}", DT_WORDBREAK);
  EXPECT_GT(CountInk(surface, {10, 10, 60, 30}), 20);
  EXPECT_EQ(CountInk(surface, {10, 10, 60, 30}), CountInk(surface, {0, 0, 200, 60}));

  EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
  EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
  EXPECT_EQ(RGB(4, 5, 6), GetBkColor(dc));
  EXPECT_EQ(OPAQUE, GetBkMode(dc));
  RECT clip = {};
  GetClipBox(dc, &clip);
  EXPECT_TRUE(RectEq(CUIRect(0, 0, 150, 50), clip));
}

TEST_F(FormattedTextTest, MissingInputsDrawNothingAndReportNoLinks) {
  DibSurface surface(100, 40);
  surface.Fill(kWhite);
  RECT rects[2] = {};
  CUIString texts[2];
  RECT rect = {0, 0, 100, 40};
  RECT empty = {10, 10, 10, 40};
  const struct {
    CPaintManagerUI* manager;
    RECT* rect;
    const wchar_t* text;
  } cases[] = {
      {nullptr, &rect, L"{a x}x{/a}"}, {&manager_, &rect, nullptr}, {&manager_, &empty, L"{a x}x{/a}"}};
  for (const auto& c : cases) {
    int count = 2;
    DrawFormattedText(surface.dc(), c.manager, c.rect, c.text, kBlack, rects, texts, &count, kBaseFont, 0);
    EXPECT_EQ(0, count);
  }
  EXPECT_EQ(0, CountInk(surface, rect));
}

TEST_F(FormattedTextTest, HostileTextsDrawWhatTheyCanAndEnd) {
  std::wstring nested_fonts, nested_colours, many_faces, zero_lines;
  for (int i = 0; i < 5000; ++i) nested_fonts += L"{b}{i}{u}";
  nested_fonts += L"deep";
  for (int i = 0; i < 5000; ++i) nested_fonts += L"{/u}{/i}{/b}";
  for (int i = 0; i < 5000; ++i) nested_colours += L"{c #FF0000}";
  nested_colours += L"red";
  for (int i = 1; i <= 2000; ++i) many_faces += L"{f Tahoma " + std::to_wstring(i) + L"}";
  many_faces += L"x";
  for (int i = 0; i < 2000; ++i) zero_lines += L"{y 0}a{n}";

  const std::wstring texts[] = {nested_fonts,
                                nested_colours,
                                many_faces,
                                zero_lines,
                                L"abc {b unclosed",
                                L"abc{",
                                L"abc<b",
                                L"{a x}unclosed link",
                                L"{/b}{/c}{/a}{/p}{/f}{/i}{/u}{/r}{/s}{/}x",
                                L"{i missing_image.png 4 2}x",
                                L"{x -100000}a{x 2000000000}b{x 2000000000}c",
                                L"{p 2000000000}a{/p}{y -5}b",
                                L"{r}never closed {b}",
                                L"{p -100}abcdef",
                                std::wstring(20000, L'w')};
  for (const std::wstring& text : texts) {
    SCOPED_TRACE(text.substr(0, 40));
    for (const UINT format : {UINT{0}, UINT{DT_WORDBREAK | DT_END_ELLIPSIS}, UINT{DT_SINGLELINE | DT_CENTER},
                              UINT{DT_VCENTER | DT_RIGHT}}) {
      DibSurface surface(100, 100);
      Links links;
      Draw(&surface, {0, 0, 100, 100}, text, format, kBlack, &links);
      Measure(text, format, 4, 100);
    }
  }

  DibSurface surface(200, 40);
  surface.Fill(kWhite);
  Draw(&surface, {0, 0, 200, 40}, nested_colours);
  EXPECT_GT(CountPixels(surface, {0, 0, 200, 40}, IsRedInk), 10);
  surface.Fill(kWhite);
  Draw(&surface, {0, 0, 200, 40}, L"{i missing_image.png 4 2}x");
  EXPECT_GT(CountInk(surface, {0, 0, 200, 40}), 5);
  EXPECT_EQ(nullptr, manager_.FindImage(L"missing_image.png"));
  const FontStyle all_three = FontStyle::kBold | FontStyle::kUnderline | FontStyle::kItalic;
  EXPECT_NE(nullptr, manager_.FindFontHandle(L"Tahoma", 20, all_three));
}

// Repainting a text registers no further fonts, whatever the text: a face longer than the platform keeps
// is found again under its stored (cut) name, and a text asking for more variants than a window may hold
// stops at the window's limit on its first paint.
TEST_F(FormattedTextTest, RepaintsKeepTheFontCountWhereTheFirstPaintLeftIt) {
  std::wstring many_sizes;
  for (int i = 101; i <= 500; ++i) many_sizes += L"{f Tahoma " + std::to_wstring(i) + L"}";
  const std::wstring texts[] = {L"{f ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij 12}x{/f}",
                                L"{f ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij 12 bold}{i}x{/i}{/f}",
                                many_sizes + L"x"};
  for (const std::wstring& text : texts) {
    SCOPED_TRACE(text.substr(0, 50));
    DibSurface surface(100, 40);
    Draw(&surface, {0, 0, 100, 40}, text);
    const int after_first_paint = manager_.GetFontCount();
    for (int repaint = 0; repaint < 20; ++repaint) Draw(&surface, {0, 0, 100, 40}, text);
    EXPECT_EQ(after_first_paint, manager_.GetFontCount());
    EXPECT_LE(after_first_paint, 256);
  }
  EXPECT_EQ(256, manager_.GetFontCount());
  EXPECT_NE(nullptr, manager_.FindFontHandle(L"Tahoma", 101, FontStyle::kRegular));
  EXPECT_EQ(nullptr, manager_.FindFontHandle(L"Tahoma", 500, FontStyle::kRegular));
}

}  // namespace
}  // namespace veneer::test
