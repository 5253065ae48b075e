#include "ui/render/display_scale.h"

#include <gtest/gtest.h>

#include <climits>

namespace veneer {
namespace {

TEST(DisplayScaleTest, ScalesWithRoundingAwayFromZero) {
  CDisplayScale scale;
  EXPECT_EQ(100, scale.GetScale());
  EXPECT_EQ(13, scale.ScaleForDpi(13));

  scale.SetScale(125);
  EXPECT_EQ(16, scale.ScaleForDpi(13));  // 16.25
  EXPECT_EQ(-16, scale.ScaleForDpi(-13));
  EXPECT_EQ(3, scale.ScaleForDpi(2));    // 2.5 rounds up
  EXPECT_EQ(-3, scale.ScaleForDpi(-2));  // -2.5 rounds down
  const CUISize size = scale.ScaleSize(CUISize(10, 2));
  EXPECT_EQ(13, size.cx);  // 12.5
  EXPECT_EQ(3, size.cy);

  // Left and top scale as positions, width and height as lengths.
  const CUIRect rect = scale.ScaleRect(CUIRect(2, 2, 4, 5));
  EXPECT_EQ(3, rect.left);
  EXPECT_EQ(3, rect.top);
  EXPECT_EQ(6, rect.right);   // 3 + 2.5 -> 3 + 3
  EXPECT_EQ(7, rect.bottom);  // 3 + 3.75 -> 3 + 4

  scale.SetScale(0);
  EXPECT_EQ(1, scale.GetScale());
}

TEST(DisplayScaleTest, UnscalingRoundsBackToSkinUnits) {
  const struct {
    int value, scale, expected;
  } cases[] = {
      {15, 150, 10},
      {16, 150, 11},  // 10.67
      {-16, 150, -11},
      {13, 100, 13},
      {3, 0, 300},  // A scale below 1 counts as 1.
      {2000000000, 50, INT_MAX},
      {INT_MIN, 1, INT_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, UnscaleByPercent(c.value, c.scale)) << c.value << "@" << c.scale;
}

TEST(DisplayScaleTest, SaturatesInsteadOfWrapping) {
  CDisplayScale scale;
  scale.SetScale(150);
  EXPECT_EQ(INT_MAX, scale.ScaleForDpi(1500000000));
  EXPECT_EQ(INT_MIN, scale.ScaleForDpi(INT_MIN));
  const CUIRect wide = scale.ScaleRect(CUIRect(-2000000000, 0, 2000000000, 10));  // Wider than INT_MAX.
  EXPECT_EQ(INT_MIN, wide.left);
  EXPECT_EQ(INT_MAX, wide.right);
}

}  // namespace
}  // namespace veneer
