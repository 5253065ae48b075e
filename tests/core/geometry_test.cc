#include "ui/core/geometry.h"

#include <gtest/gtest.h>

namespace veneer {
namespace {

TEST(CUIRectTest, ArithmeticFollowsTheEdges) {
  CUIRect rc(10, 20, 110, 70);
  EXPECT_EQ(100, rc.GetWidth());
  EXPECT_EQ(50, rc.GetHeight());

  rc.Offset(5, -5);
  EXPECT_EQ(CUIRect(15, 15, 115, 65).left, rc.left);
  EXPECT_EQ(65, rc.bottom);

  rc.MoveToOrigin();
  EXPECT_EQ(0, rc.left);
  EXPECT_EQ(0, rc.top);
  EXPECT_EQ(100, rc.right);
  EXPECT_EQ(50, rc.bottom);

  rc.Deflate(10, 5);
  EXPECT_EQ(10, rc.left);
  EXPECT_EQ(5, rc.top);
  EXPECT_EQ(90, rc.right);
  EXPECT_EQ(45, rc.bottom);
  rc.Inflate(10, 5);
  EXPECT_EQ(100, rc.GetWidth());
  EXPECT_EQ(50, rc.GetHeight());
}

TEST(CUIRectTest, JoinTakesTheOuterEdges) {
  CUIRect rc(10, 10, 20, 20);
  rc.Join(CUIRect(5, 15, 30, 18));
  EXPECT_EQ(5, rc.left);
  EXPECT_EQ(10, rc.top);
  EXPECT_EQ(30, rc.right);
  EXPECT_EQ(20, rc.bottom);
}

TEST(CUIRectTest, PassesWherePlatformTakesRects) {
  CUIRect rc(1, 2, 3, 4);
  RECT other = {0, 0, 2, 3};
  RECT both;
  ASSERT_TRUE(IntersectRect(&both, &rc, &other));
  EXPECT_EQ(1, both.left);
  EXPECT_EQ(2, both.top);
  EXPECT_EQ(2, both.right);
  EXPECT_EQ(3, both.bottom);

  CUIPoint pt(2, 3);
  EXPECT_TRUE(PtInRect(&rc, pt));
  pt.Empty();
  EXPECT_EQ(0, pt.x);
  CUISize size(7, 8);
  size.Empty();
  EXPECT_EQ(0, size.cy);
}

}  // namespace
}  // namespace veneer
