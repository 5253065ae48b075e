#include "ui/runtime/tile_arithmetic.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/runtime/layout_children.h"

namespace veneer::test {
namespace {

constexpr RECT kNoInset = {0, 0, 0, 0};
constexpr LONG kMax = LONG_MAX;

ScrollBars BothBars() {
  ScrollBars bars;
  bars.vertical = {ScrollBarPresence::kShown, 10, 100, 30};
  bars.horizontal = {ScrollBarPresence::kShown, 10, 40, 20};
  return bars;
}

void ExpectTiles(const char* name, const TileOptions& options, const RECT& bounds,
                 const std::vector<LayoutChild>& children, const std::vector<RECT>& expected,
                 LONG needed_height, int columns, const RECT& inset = kNoInset, const ScrollBars& bars = {}) {
  SCOPED_TRACE(name);
  const TileFrame frame = MakeTileFrame(options, bounds, inset, bars);
  EXPECT_EQ(columns, frame.columns);
  const LayoutResult result = LayoutTile(frame, children);
  EXPECT_TRUE(PlacedAt(expected, result));
  EXPECT_EQ(0, result.needed.cx);
  EXPECT_EQ(needed_height, result.needed.cy);
}

TEST(TileArithmeticTest, TilesPlaceExactRectangles) {
  // Three columns of 100: tiles 0-95, 105-195, 205-300; row 0 as tall as its 40 px child.
  ExpectTiles(
      "columns from itemsize, half gaps inside, rows as tall as their tallest child", {{100, 0}, 1, 10},
      {0, 0, 300, 200}, {Sized(0, 20), Sized(0, 40), Sized(0, 30), Sized(0, 10), Sized(50, 0)},
      {{0, 10, 95, 30}, {105, 0, 195, 40}, {205, 5, 300, 35}, {0, 50, 95, 60}, {125, 50, 175, 60}}, 60, 3);
  // Row 0: 30 + padding 4 + 6 = 40, and 80 lowered to the second child's own maximum of 50.
  ExpectTiles("columns, padding inside the tile, each child's own limits", {{0, 0}, 2, 0}, {0, 0, 320, 220},
              {Padded(Sized(0, 30), {5, 4, 5, 6}), Limited(Sized(0, 80), {0, 0}, {9999, 50}), Sized(60, 20)},
              {{15, 22, 155, 52}, {160, 10, 310, 60}, {55, 60, 115, 80}}, 70, 2, {10, 10, 10, 10});
  ExpectTiles("floating children ignore the inset, hidden ones take no tile", {}, {100, 50, 580, 350},
              {Floating({444, 8}, {28, 28}), Hidden(), Sized(0, 40)},
              {{544, 58, 572, 86}, kNotPlaced, {110, 60, 570, 100}}, 40, 1, {10, 10, 10, 10});
  // Tiles of (190 + 40) / 2 = 115 from (-20, -30): the bars' positions move every tile.
  ExpectTiles("shown bars shrink the content and scroll the tiles", {{0, 0}, 2, 0}, {0, 0, 200, 100},
              {Sized(0, 20), Sized(0, 20), Sized(0, 20)},
              {{-20, -30, 95, -10}, {95, -30, 210, -10}, {-20, -10, 95, 10}}, 40, 2, kNoInset, BothBars());
}

TEST(TileArithmeticTest, HostileNumbersGiveDefinedGrids) {
  ExpectTiles("a 1 px item gives 300 columns; a negative gap counts as 0", {{1, 1}, 1, -8}, {0, 0, 300, 50},
              {Sized(0, 10), Sized(0, 10)}, {{0, 0, 1, 10}, {1, 0, 2, 10}}, 10, 300);
  ExpectTiles("an item wider than the content gives one column", {{500, 0}, 1, 10}, {0, 0, 300, 50},
              {Sized(0, 10), Sized(0, 10)}, {{0, 0, 300, 10}, {0, 20, 300, 30}}, 30, 1);
  ExpectTiles("a column count of 0 counts as 1", {{0, 0}, 0, 0}, {0, 0, 300, 50}, {Sized(0, 10)},
              {{0, 0, 300, 10}}, 10, 1);
  const LayoutChild huge = Limited(Sized(0, kMax), {0, 0}, {kMax, kMax});
  ExpectTiles("rows and gaps of 2^31 - 1 clamp", {{0, 0}, 1, kMax}, {0, 0, 300, 50}, {huge, huge},
              {{0, 0, 300, kMax}, {0, kMax, 300, kMax}}, kMax, 1);
}

TEST(TileArithmeticTest, OffersAreTheTileWidthWithinTheChildsLimits) {
  const TileFrame frame = MakeTileFrame({{100, 0}, 1, 10}, {0, 0, 300, 200}, kNoInset, {});
  const std::vector<LayoutChild> children = {Sized(0, 20), Hidden(), Padded(Sized(0, 40), {3, 0, 4, 0}),
                                             Limited(Sized(0, 30), {120, 0}, {9999, 9999}),
                                             Limited(Sized(0, 30), {0, 0}, {60, 9999})};
  const std::vector<CUISize> offers = TileMeasureOffers(frame, children);
  const SIZE expected[] = {{95, 9999}, {0, 0}, {83, 9999}, {120, 9999}, {60, 9999}};
  ASSERT_EQ(5u, offers.size());
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(expected[i].cx, offers[i].cx) << i;
    EXPECT_EQ(expected[i].cy, offers[i].cy) << i;
  }
}

}  // namespace
}  // namespace veneer::test
