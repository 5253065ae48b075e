#include "ui/markup/markup_encoding.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace veneer {
namespace {

// Takes over a block from ConvertMarkupBytes; empty text for null.
struct Converted {
  Converted(const std::string& bytes, MarkupEncoding encoding)
      : text(ConvertMarkupBytes(bytes.data(), bytes.size(), encoding, &length)) {}
  ~Converted() { free(text); }
  std::wstring Text() const { return std::wstring(text, length); }

  size_t length = 0;
  wchar_t* text;  // Owned block from ConvertMarkupBytes, freed with free().
};

std::wstring PlatformUtf8(const std::string& bytes) {
  std::wstring text(bytes.size() + 1, L'\0');
  int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0],
                                   static_cast<int>(text.size()));
  text.resize(length);
  return text;
}

// UTF-8 is decoded by our own code where it is well-formed; whatever the bytes, the result must be
// the platform's conversion of the whole text.
TEST(MarkupEncodingTest, Utf8MatchesThePlatformForAnyBytes) {
  // clang-format off
  const std::string pieces[] = {
      "\xC3\xA9", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF", "\xEF\xBF\xBF",  // Well-formed.
      "\xC3", "\xE4\xB8", "\xC3\xC3\xA9",                                                  // Cut short.
      "\xE0\x80\x80", "\xC0\xAF", "\xF0\x80\x80\x80",                                      // Overlong.
      "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80",                          // Out of range.
      "\x80", "\xBF\xFE\xFF",                                                              // Stray bytes.
  };
  // clang-format on
  // Each piece at every offset of an ASCII text, across the eight-byte steps of the ASCII path.
  for (const std::string& piece : pieces) {
    for (size_t offset = 0; offset <= 17; ++offset) {
      std::string bytes = std::string(offset, 'a') + piece + std::string(17 - offset, 'b') + piece;
      Converted converted(bytes, MarkupEncoding::Utf8);
      ASSERT_NE(nullptr, converted.text);
      EXPECT_EQ(PlatformUtf8(bytes), converted.Text()) << offset;
      EXPECT_EQ(L'\0', converted.text[converted.length]);
    }
  }
}

TEST(MarkupEncodingTest, Utf8MarkIsSkippedOnlyAtTheStart) {
  Converted marked("\xEF\xBB\xBF<a/>\xEF\xBB\xBF", MarkupEncoding::Utf8);
  EXPECT_EQ(L"<a/>\xFEFF", marked.Text());
  Converted short_mark("\xEF\xBB", MarkupEncoding::Utf8);  // Two bytes are not a mark.
  EXPECT_EQ(PlatformUtf8("\xEF\xBB"), short_mark.Text());
}

TEST(MarkupEncodingTest, Utf16InBothByteOrders) {
  Converted little(std::string("\xFF\xFE<\0\xE9\0\x2D\x4E", 8), MarkupEncoding::Utf16);
  EXPECT_EQ(L"<\xE9\x4E2D", little.Text());
  const std::string big_bytes(
      "\xFE\xFF\0<\0\xE9\x4E\x2D"
      "x",
      9);  // The odd last byte is ignored.
  Converted big(big_bytes, MarkupEncoding::Utf16);
  EXPECT_EQ(L"<\xE9\x4E2D", big.Text());
  EXPECT_EQ(L'\0', big.text[3]);
  Converted mark_only("\xFF\xFE", MarkupEncoding::Utf16);
  EXPECT_EQ(L"", mark_only.Text());
}

TEST(MarkupEncodingTest, Utf16WithoutMarkIsRefused) {
  EXPECT_EQ(nullptr, Converted(std::string("<\0a\0", 4), MarkupEncoding::Utf16).text);
  EXPECT_EQ(nullptr, Converted("\xFF", MarkupEncoding::Utf16).text);
  EXPECT_EQ(nullptr, Converted("", MarkupEncoding::Utf16).text);
}

TEST(MarkupEncodingTest, AnsiIsThePlatformConversion) {
  const char bytes[] = "caf\xE9 \x80";
  wchar_t expected[16] = {};
  int length = MultiByteToWideChar(CP_ACP, 0, bytes, 6, expected, 15);
  Converted converted(bytes, MarkupEncoding::Ansi);
  EXPECT_EQ(std::wstring(expected, length), converted.Text());
  Converted marked("\xEF\xBB\xBFx", MarkupEncoding::Ansi);  // No mark handling.
  EXPECT_EQ(4u, marked.length);
}

TEST(MarkupEncodingTest, NullAndEmptyBytes) {
  size_t length = 7;
  EXPECT_EQ(nullptr, ConvertMarkupBytes(nullptr, 3, MarkupEncoding::Utf8, &length));
  wchar_t* empty = ConvertMarkupBytes(nullptr, 0, MarkupEncoding::Utf8, &length);
  ASSERT_NE(nullptr, empty);
  EXPECT_EQ(0u, length);
  EXPECT_EQ(L'\0', empty[0]);
  free(empty);
}

}  // namespace
}  // namespace veneer
