#include "ui/render/nine_grid.h"

#include <gtest/gtest.h>

#include <vector>

namespace veneer {
namespace {

constexpr RECT kEverywhere = {-100000, -100000, 100000, 100000};

std::vector<BitmapPiece> Layout(const RECT& dest, const RECT& source, const RECT& corner,
                                NineGridMiddle middle, const RECT& paint = kEverywhere) {
  std::vector<BitmapPiece> pieces;
  LayoutNineGrid(dest, source, corner, middle, paint,
                 [&pieces](const BitmapPiece& piece) { pieces.push_back(piece); });
  return pieces;
}

void ExpectPiece(const BitmapPiece& piece, const RECT& dest, const RECT& source) {
  EXPECT_EQ(dest.left, piece.dest.left);
  EXPECT_EQ(dest.top, piece.dest.top);
  EXPECT_EQ(dest.right, piece.dest.right);
  EXPECT_EQ(dest.bottom, piece.dest.bottom);
  EXPECT_EQ(source.left, piece.source.left);
  EXPECT_EQ(source.top, piece.source.top);
  EXPECT_EQ(source.right, piece.source.right);
  EXPECT_EQ(source.bottom, piece.source.bottom);
}

TEST(NineGridTest, StretchedGridKeepsCornersAtBitmapSizeInDrawingOrder) {
  // An 8 x 8 progress image with 2-pixel borders stretched to 300 x 8.
  const auto pieces = Layout({10, 20, 310, 28}, {0, 0, 8, 8}, {2, 2, 2, 2}, NineGridMiddle::kStretch);
  ASSERT_EQ(9u, pieces.size());
  ExpectPiece(pieces[0], {12, 22, 308, 26}, {2, 2, 6, 6});   // Middle.
  ExpectPiece(pieces[1], {10, 20, 12, 22}, {0, 0, 2, 2});    // Top-left.
  ExpectPiece(pieces[2], {12, 20, 308, 22}, {2, 0, 6, 2});   // Top.
  ExpectPiece(pieces[3], {308, 20, 310, 22}, {6, 0, 8, 2});  // Top-right.
  ExpectPiece(pieces[4], {10, 22, 12, 26}, {0, 2, 2, 6});    // Left.
  ExpectPiece(pieces[5], {308, 22, 310, 26}, {6, 2, 8, 6});  // Right.
  ExpectPiece(pieces[6], {10, 26, 12, 28}, {0, 6, 2, 8});    // Bottom-left.
  ExpectPiece(pieces[7], {12, 26, 308, 28}, {2, 6, 6, 8});   // Bottom.
  ExpectPiece(pieces[8], {308, 26, 310, 28}, {6, 6, 8, 8});  // Bottom-right.
}

TEST(NineGridTest, OnlyBordersWithPositiveWidthsAreDrawnAndAHoleSkipsTheMiddle) {
  // Only a left border: the middle and the left edge.
  auto pieces = Layout({0, 0, 50, 10}, {0, 0, 10, 10}, {3, 0, 0, 0}, NineGridMiddle::kStretch);
  ASSERT_EQ(2u, pieces.size());
  ExpectPiece(pieces[0], {3, 0, 50, 10}, {3, 0, 10, 10});
  ExpectPiece(pieces[1], {0, 0, 3, 10}, {0, 0, 3, 10});

  pieces = Layout({0, 0, 40, 40}, {0, 0, 20, 20}, {5, 5, 5, 5}, NineGridMiddle::kHole);
  ASSERT_EQ(8u, pieces.size());
  for (const BitmapPiece& piece : pieces) {
    EXPECT_FALSE(piece.dest.left >= 5 && piece.dest.right <= 35 && piece.dest.top >= 5 &&
                 piece.dest.bottom <= 35);
  }
}

TEST(NineGridTest, VerticalTilesAreUnscaledAndTheLastIsCutWithItsSource) {
  // A 10-pixel middle over a 25-pixel destination middle: 10, 10 and 5, the last from the top 5 rows.
  const auto pieces = Layout({0, 0, 30, 25}, {0, 0, 6, 10}, {0, 0, 0, 0}, NineGridMiddle::kTileY);
  ASSERT_EQ(3u, pieces.size());
  ExpectPiece(pieces[0], {0, 0, 30, 10}, {0, 0, 6, 10});
  ExpectPiece(pieces[1], {0, 10, 30, 20}, {0, 0, 6, 10});
  ExpectPiece(pieces[2], {0, 20, 30, 25}, {0, 0, 6, 5});

  // With borders the tiles start inside them and take the source middle.
  const auto bordered = Layout({0, 0, 30, 29}, {0, 0, 6, 14}, {0, 2, 0, 2}, NineGridMiddle::kTileY);
  ASSERT_EQ(5u, bordered.size());
  ExpectPiece(bordered[0], {0, 2, 30, 12}, {0, 2, 6, 12});
  ExpectPiece(bordered[1], {0, 12, 30, 22}, {0, 2, 6, 12});
  ExpectPiece(bordered[2], {0, 22, 30, 27}, {0, 2, 6, 7});
}

TEST(NineGridTest, TilingBothWaysLaysRowsOfColumnsCutAtTheRightAndBottom) {
  const auto pieces = Layout({0, 0, 25, 15}, {0, 0, 10, 10}, {0, 0, 0, 0}, NineGridMiddle::kTileXY);
  ASSERT_EQ(6u, pieces.size());
  ExpectPiece(pieces[0], {0, 0, 10, 10}, {0, 0, 10, 10});
  ExpectPiece(pieces[1], {10, 0, 20, 10}, {0, 0, 10, 10});
  ExpectPiece(pieces[2], {20, 0, 25, 10}, {0, 0, 5, 10});
  ExpectPiece(pieces[3], {0, 10, 10, 15}, {0, 0, 10, 5});
  ExpectPiece(pieces[4], {10, 10, 20, 15}, {0, 0, 10, 5});
  ExpectPiece(pieces[5], {20, 10, 25, 15}, {0, 0, 5, 5});

  // Horizontal tiles each span the middle's full height.
  const auto row = Layout({0, 0, 15, 40}, {0, 0, 10, 10}, {0, 0, 0, 0}, NineGridMiddle::kTileX);
  ASSERT_EQ(2u, row.size());
  ExpectPiece(row[0], {0, 0, 10, 40}, {0, 0, 10, 10});
  ExpectPiece(row[1], {10, 0, 15, 40}, {0, 0, 5, 10});
}

TEST(NineGridTest, PiecesOutsideThePaintAreaAreNeverVisited) {
  // One-pixel tiles over a huge area: only the tiles meeting the paint rectangle are produced.
  const auto tiles = Layout({0, 0, 1000000, 1000000}, {0, 0, 1, 1}, {0, 0, 0, 0}, NineGridMiddle::kTileXY,
                            {500, 700, 503, 702});
  ASSERT_EQ(6u, tiles.size());
  ExpectPiece(tiles[0], {500, 700, 501, 701}, {0, 0, 1, 1});
  ExpectPiece(tiles[5], {502, 701, 503, 702}, {0, 0, 1, 1});

  // A paint area over the bottom-right corner only.
  const auto corner =
      Layout({0, 0, 100, 100}, {0, 0, 10, 10}, {4, 4, 4, 4}, NineGridMiddle::kStretch, {97, 97, 100, 100});
  ASSERT_EQ(1u, corner.size());
  ExpectPiece(corner[0], {96, 96, 100, 100}, {6, 6, 10, 10});
}

TEST(NineGridTest, BordersWiderThanTheImageOrAreaProduceNoInvertedPieces) {
  // Corners 6 + 6 on an 8-pixel source and a 10-pixel destination: no middle, no inverted edges.
  const auto pieces = Layout({0, 0, 10, 10}, {0, 0, 8, 8}, {6, 6, 6, 6}, NineGridMiddle::kTileXY);
  for (const BitmapPiece& piece : pieces) {
    EXPECT_GT(piece.dest.GetWidth(), 0);
    EXPECT_GT(piece.dest.GetHeight(), 0);
    EXPECT_GT(piece.source.GetWidth(), 0);
    EXPECT_GT(piece.source.GetHeight(), 0);
  }
  EXPECT_EQ(4u, pieces.size());  // The four corners only.
  // An empty source gives nothing at all, even tiled (no endless loop over zero-sized tiles).
  EXPECT_TRUE(Layout({0, 0, 10, 10}, {0, 0, 0, 0}, {0, 0, 0, 0}, NineGridMiddle::kTileXY).empty());
}

TEST(NineGridTest, ATileSpanningTheWholeIntegerRangeIsLaidOnce) {
  // A hostile source 2^31 - 1 pixels wide: the step to a second tile must not wrap back into view.
  const auto pieces = Layout({5, 0, 100, 10}, {-2147483637, 0, 10, 10}, {0, 0, 0, 0}, NineGridMiddle::kTileX,
                             {0, 0, 100, 10});
  ASSERT_EQ(1u, pieces.size());
  ExpectPiece(pieces[0], {5, 0, 100, 10}, {-2147483637, 0, -2147483542, 10});
}

}  // namespace
}  // namespace veneer
