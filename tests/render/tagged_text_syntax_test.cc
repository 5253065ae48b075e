#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "ui/render/persistent_stack.h"
#include "ui/render/tagged_text_layout.h"
#include "ui/render/tagged_text_syntax.h"

namespace veneer {
namespace {

using test::RectEq;

TaggedToken Scan(const wchar_t* text, int position = 0, bool raw = false) {
  return TaggedTextScanner(text, static_cast<int>(wcslen(text))).Scan(position, raw);
}

bool SameToken(const TaggedToken& a, const TaggedToken& b) {
  return a.kind == b.kind && a.length == b.length && a.letter == b.letter && a.character == b.character &&
         a.arguments_start == b.arguments_start && a.arguments_length == b.arguments_length;
}

CUIString Arguments(const wchar_t* text, const TaggedToken& token) {
  return CUIString(text + token.arguments_start, token.arguments_length);
}

TEST(TaggedTextSyntaxTest, OpeningTagsTakeEitherBracketAndEndAtEitherCloser) {
  const wchar_t* text = L"<c  #FF0000}red";
  const TaggedToken tag = Scan(text);
  EXPECT_EQ(TaggedTokenKind::kOpenTag, tag.kind);
  EXPECT_EQ(L'c', tag.letter);
  EXPECT_EQ(12, tag.length);
  EXPECT_EQ(L"#FF0000", Arguments(text, tag));

  const TaggedToken bare = Scan(L"{b>x");
  EXPECT_EQ(TaggedTokenKind::kOpenTag, bare.kind);
  EXPECT_EQ(3, bare.length);
  EXPECT_EQ(0, bare.arguments_length);
}

TEST(TaggedTextSyntaxTest, BracketsThatAreNotTagsAreText) {
  // Upper-case letter, two letters, a digit, no closing bracket, a bracket at the very end.
  for (const wchar_t* text : {L"{B}x", L"{bx}", L"{1}", L"{b abc", L"{", L"<b"}) {
    SCOPED_TRACE(text);
    const TaggedToken token = Scan(text);
    EXPECT_EQ(TaggedTokenKind::kText, token.kind);
    EXPECT_GE(token.length, 1);
  }
  // The run takes the bracket and stops at the next bracket or line break.
  EXPECT_EQ(5, Scan(L"{B}xy{b}").length);
  EXPECT_EQ(3, Scan(L"abc\ndef").length);
  EXPECT_EQ(2, Scan(L"ab\r\n").length);
  EXPECT_EQ(4, Scan(L"ab\rc").length);
}

TEST(TaggedTextSyntaxTest, ClosingTagsLineBreaksAndEscapes) {
  const TaggedToken close = Scan(L"{/b>");
  EXPECT_EQ(TaggedTokenKind::kCloseTag, close.kind);
  EXPECT_EQ(L'b', close.letter);
  EXPECT_EQ(4, close.length);
  EXPECT_EQ(0, Scan(L"</>").letter);
  EXPECT_EQ(TaggedTokenKind::kText, Scan(L"{/b").kind);

  EXPECT_EQ(TaggedTokenKind::kNewline, Scan(L"\nx").kind);
  EXPECT_EQ(2, Scan(L"\r\nx").length);

  const wchar_t* escapes[][2] = {{L"<{>", L"{"}, {L"<}>", L"}"}, {L"{<}", L"<"}, {L"{>}", L">"}};
  for (const auto& escape : escapes) {
    SCOPED_TRACE(escape[0]);
    const TaggedToken token = Scan(escape[0]);
    EXPECT_EQ(TaggedTokenKind::kEscape, token.kind);
    EXPECT_EQ(3, token.length);
    EXPECT_EQ(escape[1][0], token.character);
  }
  EXPECT_EQ(TaggedTokenKind::kText, Scan(L"<<>").kind);
}

TEST(TaggedTextSyntaxTest, RawModeKnowsOnlyTheClosingRawTag) {
  EXPECT_EQ(TaggedTokenKind::kText, Scan(L"{b}", 0, true).kind);
  EXPECT_EQ(TaggedTokenKind::kText, Scan(L"{/b}", 0, true).kind);
  EXPECT_EQ(TaggedTokenKind::kText, Scan(L"<{>", 0, true).kind);
  const TaggedToken close = Scan(L"x{/r}", 1, true);
  EXPECT_EQ(TaggedTokenKind::kCloseTag, close.kind);
  EXPECT_EQ(L'r', close.letter);
}

// One scanner asked for positions in the order a layout asks (forward, then back to a line's start for
// its drawing pass, then on) finds what a fresh scanner finds at each position, although it remembers
// where closing brackets are not.
TEST(TaggedTextSyntaxTest, AScannerAskedAgainAndAgainFindsWhatAFreshOneFinds) {
  const std::wstring texts[] = {L"{/{/{/{x {/", L"{b}x{/b}{/{x {/",   L"{/{x a}{/b}{/{/}",
                                L"}}{/{x }{/",  L"{r}{/ {/ {/r}{/ }", L"ab{/\n{x {/\r\n}{/"};
  for (const std::wstring& text : texts) {
    const int length = static_cast<int>(text.size());
    for (const bool raw : {false, true}) {
      SCOPED_TRACE(testing::Message() << std::string(text.begin(), text.end()) << (raw ? " raw" : ""));
      TaggedTextScanner scanner(text.c_str(), length);
      std::vector<int> order;
      for (int line_start = 0; line_start < length; line_start += 3) {
        for (int pass = 0; pass < 2; ++pass) {
          for (int position = line_start; position < length; ++position) order.push_back(position);
        }
      }
      for (int position = length - 1; position >= 0; --position) order.push_back(position);
      for (const int position : order) {
        EXPECT_TRUE(SameToken(TaggedTextScanner(text.c_str(), length).Scan(position, raw),
                              scanner.Scan(position, raw)))
            << position;
      }
    }
  }
}

TEST(TaggedTextSyntaxTest, FontTagsNameAnIdOrAFaceWithSizeAndStyles) {
  const FontTagArguments by_id = ParseFontTagArguments(L"12");
  EXPECT_TRUE(by_id.by_id);
  EXPECT_EQ(12, by_id.id);

  const FontTagArguments face = ParseFontTagArguments(L"Tahoma 14 Bold ITALIC");
  EXPECT_FALSE(face.by_id);
  EXPECT_EQ(L"Tahoma", face.face);
  EXPECT_EQ(14, face.size);
  EXPECT_TRUE(face.style == (FontStyle::kBold | FontStyle::kItalic));

  const FontTagArguments no_size = ParseFontTagArguments(L"Arial underline");
  EXPECT_EQ(L"Arial", no_size.face);
  EXPECT_EQ(10, no_size.size);
  EXPECT_TRUE(no_size.style == FontStyle::kUnderline);

  // Sizes no window can show are drawn at the largest one.
  EXPECT_EQ(kMaxFontTagSize, ParseFontTagArguments(L"Tahoma 2048").size);
  EXPECT_EQ(kMaxFontTagSize, ParseFontTagArguments(L"Tahoma 65535").size);
  EXPECT_EQ(kMaxFontTagSize, ParseFontTagArguments(L"Tahoma 99999999999 bold").size);

  EXPECT_TRUE(ParseFontTagArguments(L"").face.IsEmpty());
  EXPECT_FALSE(ParseFontTagArguments(L"12px").by_id);
}

TEST(TaggedTextSyntaxTest, ImageTagsNameAnImageAndACell) {
  const ImageTagArguments cell = ParseImageTagArguments(L"icons.png 4 2");
  EXPECT_EQ(L"icons.png", cell.name);
  EXPECT_EQ(4, cell.count);
  EXPECT_EQ(2, cell.index);

  EXPECT_EQ(0, ParseImageTagArguments(L"icons.png 4 7").index);
  EXPECT_EQ(0, ParseImageTagArguments(L"icons.png 4 -1").index);
  EXPECT_EQ(1, ParseImageTagArguments(L"icons.png 0").count);
  EXPECT_EQ(1, ParseImageTagArguments(L"icons.png").count);

  const ImageTagArguments described = ParseImageTagArguments(L"file='my icons.png' restype='PNG' fade='9'");
  EXPECT_EQ(L"my icons.png", described.name);
  EXPECT_EQ(L"PNG", described.resource_type);
  EXPECT_EQ(1, described.count);
  EXPECT_EQ(L"101", ParseImageTagArguments(L"res='101'").name);
}

// Cumulative widths of characters that are each `width` pixels wide.
std::vector<int> Extents(const wchar_t* chars, int width) {
  std::vector<int> extents;
  for (size_t index = 0; index < wcslen(chars); ++index)
    extents.push_back(static_cast<int>(index + 1) * width);
  return extents;
}

RunFit Fit(const wchar_t* chars, int available, bool has_content, wchar_t previous, UINT format) {
  const std::vector<int> extents = Extents(chars, 10);
  return FitRun(chars, extents.data(), static_cast<int>(extents.size()), available, has_content, previous,
                format);
}

TEST(TaggedTextLayoutTest, RunsKeepTheCharactersThatFit) {
  const RunFit whole = Fit(L"abcd", 40, true, L'x', 0);
  EXPECT_EQ(4, whole.count);
  EXPECT_FALSE(whole.cut);

  const RunFit cut = Fit(L"abcd", 35, true, L'x', 0);
  EXPECT_EQ(3, cut.count);
  EXPECT_TRUE(cut.cut);

  // Nothing fits: nothing moves after other content, one character moves at the line start.
  EXPECT_EQ(0, Fit(L"abcd", 5, true, L'x', 0).count);
  EXPECT_EQ(1, Fit(L"abcd", 5, false, 0, 0).count);
}

TEST(TaggedTextLayoutTest, WordBreaksFallAfterTheLastNonLetter) {
  EXPECT_EQ(6, Fit(L"alpha beta", 85, false, 0, DT_WORDBREAK).count);  // "alpha " of "alpha be".
  EXPECT_EQ(6, Fit(L"alpha,beta", 85, false, 0, DT_WORDBREAK).count);
  EXPECT_EQ(3, Fit(L"ab7cdef", 55, false, 0, DT_WORDBREAK).count);
  // No break inside: cut at the last character that fits, or the whole run moves on after a blank.
  EXPECT_EQ(5, Fit(L"alphabet", 55, false, 0, DT_WORDBREAK).count);
  EXPECT_EQ(0, Fit(L"alphabet", 55, true, L' ', DT_WORDBREAK).count);
  EXPECT_EQ(5, Fit(L"alphabet", 55, true, L'x', DT_WORDBREAK).count);
  // A blank that would start the next line stays on this one.
  EXPECT_EQ(6, Fit(L"alpha beta", 50, false, 0, DT_WORDBREAK).count);
}

TEST(TaggedTextLayoutTest, BlanksAfterTheCharactersThatFitStayOnTheLine) {
  // All of them, with or without DT_WORDBREAK; the rest of the run moves on.
  EXPECT_EQ(8, Fit(L"alpha   beta", 50, false, 0, DT_WORDBREAK).count);
  const RunFit cut = Fit(L"alpha beta", 50, true, L'x', 0);
  EXPECT_EQ(6, cut.count);
  EXPECT_TRUE(cut.cut);
  EXPECT_EQ(1, Fit(L" beta", 0, true, L'x', 0).count);
  // Blanks up to the run's end: the whole run is laid out and the line goes on.
  const RunFit trailing = Fit(L"ab  ", 25, true, L'x', 0);
  EXPECT_EQ(4, trailing.count);
  EXPECT_FALSE(trailing.cut);
  // The character that starts a line without room keeps its blanks too.
  EXPECT_EQ(3, Fit(L"a  b", 5, false, 0, 0).count);
  // The ellipsis needs the room: no blank is kept past the edge for it.
  EXPECT_EQ(3, Fit(L"alpha beta", 50, true, L'x', DT_END_ELLIPSIS).count);
}

TEST(TaggedTextLayoutTest, EllipsisGivesBackTwoMoreCharacters) {
  const RunFit fit = Fit(L"abcdefgh", 55, true, L'x', DT_END_ELLIPSIS);
  EXPECT_EQ(3, fit.count);
  EXPECT_TRUE(fit.cut && fit.ellipsis);
  EXPECT_EQ(0, Fit(L"abcdefgh", 15, false, 0, DT_END_ELLIPSIS).count);
  EXPECT_FALSE(Fit(L"ab", 55, true, L'x', DT_END_ELLIPSIS).ellipsis);
}

TEST(TaggedTextLayoutTest, ImageCellsAndPlaces) {
  EXPECT_TRUE(RectEq(CUIRect(20, 0, 30, 12), ImageCellSource(40, 12, 4, 2)));
  EXPECT_TRUE(RectEq(CUIRect(0, 0, 13, 5), CUIRect(ImageCellSource(40, 5, 3, 0))));
  // Lower than the line: centred; taller than the line: on its bottom.
  EXPECT_TRUE(RectEq(CUIRect(7, 15, 17, 25), InlineImageDest(7, 10, 20, 10, 10)));
  EXPECT_TRUE(RectEq(CUIRect(7, 0, 17, 30), InlineImageDest(7, 10, 20, 10, 30)));
}

TEST(TaggedTextLayoutTest, WholeTextAlignment) {
  const RECT rect = {0, 0, 100, 50};
  EXPECT_TRUE(RectEq(CUIRect(30, 0, 70, 20), AlignTextArea(rect, SIZE{40, 20}, DT_SINGLELINE | DT_CENTER)));
  EXPECT_TRUE(RectEq(CUIRect(60, 15, 100, 35),
                     AlignTextArea(rect, SIZE{40, 20}, DT_SINGLELINE | DT_RIGHT | DT_VCENTER)));
  EXPECT_TRUE(RectEq(CUIRect(0, 30, 100, 50), AlignTextArea(rect, SIZE{40, 20}, DT_CENTER | DT_BOTTOM)));
  // A text larger than the rectangle keeps the rectangle.
  EXPECT_TRUE(RectEq(CUIRect(0, 0, 100, 50),
                     AlignTextArea(rect, SIZE{400, 200}, DT_SINGLELINE | DT_CENTER | DT_VCENTER)));

  EXPECT_EQ(20, LineShift(rect, 60, DT_CENTER));
  EXPECT_EQ(40, LineShift(rect, 60, DT_RIGHT));
  EXPECT_EQ(0, LineShift(rect, 60, DT_RIGHT | DT_SINGLELINE));
  EXPECT_EQ(0, LineShift(rect, 130, DT_CENTER));
}

TEST(TaggedTextLayoutTest, LinkColoursAndHover) {
  EXPECT_EQ(0xFF112233u, LinkColour(0xFF112233, false, 0xFF0000FF, 0xFFD3215F));
  EXPECT_EQ(0xFF0000FFu, LinkColour(0, false, 0xFF0000FF, 0xFFD3215F));
  EXPECT_EQ(0xFFD3215Fu, LinkColour(0xFF112233, true, 0xFF0000FF, 0xFFD3215F));

  const RECT rects[] = {{0, 0, 10, 10}, {20, 0, 30, 10}, {20, 0, 30, 10}};
  const CUIString texts[] = {L"one", L"two", L"three"};
  EXPECT_EQ(&texts[1], FindHoverLink(POINT{25, 5}, rects, texts, 3));
  EXPECT_EQ(nullptr, FindHoverLink(POINT{25, 5}, rects, texts, 1));
  EXPECT_EQ(nullptr, FindHoverLink(POINT{-1, -1}, rects, texts, 3));
  EXPECT_EQ(nullptr, FindHoverLink(POINT{5, 5}, nullptr, texts, 3));
  EXPECT_EQ(RGB(0x11, 0x22, 0x33), ToColorRef(0x80112233));
}

TEST(PersistentStackTest, SavedTopsSeeTheirOwnEntries) {
  PersistentStack<int> stack;
  PersistentStack<int>::Top top = PersistentStack<int>::kEmpty;
  EXPECT_EQ(-7, stack.Peek(top, -7));
  top = stack.Push(top, 1);
  const PersistentStack<int>::Top saved = stack.Push(top, 2);
  top = stack.Pop(saved);
  top = stack.Push(top, 3);
  EXPECT_EQ(3, stack.Peek(top, 0));
  EXPECT_EQ(2, stack.Peek(saved, 0));
  EXPECT_EQ(1, stack.Peek(stack.Pop(saved), 0));
  EXPECT_EQ(PersistentStack<int>::kEmpty, stack.Pop(stack.Pop(stack.Pop(saved))));
}

}  // namespace
}  // namespace veneer
