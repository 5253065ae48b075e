#include "ui/core/attribute_values.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace veneer {
namespace {

TEST(ParseIntValueTest, ReadsLeadingDecimal) {
  EXPECT_EQ(42, ParseIntValue(L"42"));
  EXPECT_EQ(-7, ParseIntValue(L"  -7px"));
  EXPECT_EQ(5, ParseIntValue(L"+5"));
  EXPECT_EQ(0, ParseIntValue(L"px"));
  EXPECT_EQ(0, ParseIntValue(L""));
  EXPECT_EQ(0, ParseIntValue(nullptr));
  EXPECT_EQ(0, ParseIntValue(L"- 5"));
  EXPECT_EQ(2147483647, ParseIntValue(L"99999999999999"));
  EXPECT_EQ(-2147483647 - 1, ParseIntValue(L"-99999999999999"));
}

TEST(ParseInt64ValueTest, HoldsByteCountsAndSaturatesAtTheEnds) {
  const struct {
    const wchar_t* text;
    int64_t expected;
  } cases[] = {
      {L"4000000000", 4000000000LL},
      {L" -4000000000x", -4000000000LL},
      {L"9223372036854775807", INT64_MAX},
      {L"9223372036854775808", INT64_MAX},
      {L"-9223372036854775808", INT64_MIN},
      {L"99999999999999999999999", INT64_MAX},  // Past the unsigned range too.
      {L"-99999999999999999999999", INT64_MIN},
      {L"x", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, ParseInt64Value(c.text)) << c.text;
}

TEST(ParseIntListTest, SeparatorsAreAnySingleCharacter) {
  int v[4];
  EXPECT_EQ(4, ParseIntList(L"18,19,20,20", v, 4));
  EXPECT_EQ(18, v[0]);
  EXPECT_EQ(19, v[1]);
  EXPECT_EQ(20, v[2]);
  EXPECT_EQ(20, v[3]);

  EXPECT_EQ(2, ParseIntList(L"960,720", v, 2));
  EXPECT_EQ(960, v[0]);
  EXPECT_EQ(720, v[1]);

  EXPECT_EQ(4, ParseIntList(L"1, 2;-3x4", v, 4));  // The blank after a comma is skipped.
  EXPECT_EQ(2, v[1]);
  EXPECT_EQ(-3, v[2]);
  EXPECT_EQ(4, v[3]);
}

TEST(ParseIntListTest, ShortTextsStopAtTheEnd) {
  int v[4] = {9, 9, 9, 9};
  EXPECT_EQ(1, ParseIntList(L"960", v, 4));
  EXPECT_EQ(960, v[0]);
  EXPECT_EQ(0, v[1]);
  EXPECT_EQ(0, v[3]);

  EXPECT_EQ(1, ParseIntList(L"", v, 2));
  EXPECT_EQ(0, v[0]);
  EXPECT_EQ(1, ParseIntList(nullptr, v, 2));

  // Text buffer with nothing readable after the terminator: reading must stop at it.
  const wchar_t guarded[] = {L'5', L',', L'\0', L'7', L'7'};
  EXPECT_EQ(2, ParseIntList(guarded, v, 4));
  EXPECT_EQ(5, v[0]);
  EXPECT_EQ(0, v[1]);
  EXPECT_EQ(0, v[2]);
}

TEST(ParseIntListTest, ANonNumberIsReadAsZeroAndSkippedByOneCharacter) {
  int v[3];
  EXPECT_EQ(3, ParseIntList(L"a,5", v, 3));
  EXPECT_EQ(0, v[0]);  // Nothing read at 'a'; the next reading starts at ','.
  EXPECT_EQ(0, v[1]);  // Nothing read at ','; the next reading starts at '5'.
  EXPECT_EQ(5, v[2]);
}

TEST(ParseDoubleListTest, FractionsAndHostileNumbers) {
  const struct {
    const wchar_t* text;
    int read;
    double values[4];
  } cases[] = {
      {L"0.5,0,1,0.25", 4, {0.5, 0, 1, 0.25}},
      {L"1,,3", 3, {1, 0, 3, 0}},
      {L" -0.5;2e-1|1 1", 4, {-0.5, 0.2, 1, 1}},
      {L"inf,nan,1e999,2", 4, {0, 0, 0, 2}},
      {nullptr, 1, {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text ? c.text : L"(null)");
    double values[4] = {9, 9, 9, 9};
    EXPECT_EQ(c.read, ParseDoubleList(c.text, values, 4));
    for (int i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(c.values[i], values[i]) << i;
  }
}

TEST(ParseValueTest, RectSizeAndPoint) {
  const CUIRect rc = ParseRectValue(L"0,0,0,36");
  EXPECT_EQ(36, rc.bottom);
  EXPECT_EQ(0, rc.right);
  const CUISize size = ParseSizeValue(L"960,720");
  EXPECT_EQ(960, size.cx);
  EXPECT_EQ(720, size.cy);
  const CUIPoint pt = ParsePointValue(L"-4");
  EXPECT_EQ(-4, pt.x);
  EXPECT_EQ(0, pt.y);
}

TEST(ParseColorValueTest, HexAsWritten) {
  EXPECT_EQ(0xFF2196F3u, ParseColorValue(L"#ff2196F3"));
  EXPECT_EQ(0xFF10183Fu, ParseColorValue(L"#ff10183F"));
  EXPECT_EQ(0x0010183Fu, ParseColorValue(L"#10183F"));
  EXPECT_EQ(0xABCDEFu, ParseColorValue(L"abcdef"));
  EXPECT_EQ(0x12u, ParseColorValue(L"#12g4"));
  EXPECT_EQ(0u, ParseColorValue(L"##12"));
  EXPECT_EQ(0u, ParseColorValue(L" #12"));
  EXPECT_EQ(0u, ParseColorValue(L"0x12")) << "reading stops at the x";
  EXPECT_EQ(0u, ParseColorValue(L""));
  EXPECT_EQ(0u, ParseColorValue(nullptr));
  EXPECT_EQ(0xFFFFFFFFu, ParseColorValue(L"#123456789"));
}

TEST(ParseBoolValueTest, OnlyTrueIsTrue) {
  EXPECT_TRUE(ParseBoolValue(L"true"));
  EXPECT_TRUE(ParseBoolValue(L"TRUE"));
  EXPECT_FALSE(ParseBoolValue(L"TRUE", true));
  EXPECT_TRUE(ParseBoolValue(L"true", true));
  EXPECT_FALSE(ParseBoolValue(L"1"));
  EXPECT_FALSE(ParseBoolValue(L"yes"));
  EXPECT_FALSE(ParseBoolValue(L"true "));
  EXPECT_FALSE(ParseBoolValue(L""));
  EXPECT_FALSE(ParseBoolValue(nullptr));
}

}  // namespace
}  // namespace veneer
