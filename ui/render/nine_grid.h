#ifndef UI_RENDER_NINE_GRID_H_
#define UI_RENDER_NINE_GRID_H_

#include <functional>

#include "ui/core/geometry.h"

namespace veneer {

// How the middle cell of a nine-grid is filled: stretched over the destination middle, tiled with
// unscaled tiles along x, y or both, or left undrawn (a hole).
enum class NineGridMiddle { kStretch, kTileX, kTileY, kTileXY, kHole };

// One blit of a nine-grid drawing: the destination area and the bitmap area stretched (or copied,
// when the sizes agree) into it. A plain value.
struct BitmapPiece {
  CUIRect dest;
  CUIRect source;
};

// The geometry of drawing the `source` area of a bitmap into `dest` as a nine-grid with border widths
// `corner` (left, top, right, bottom, in bitmap pixels). It only computes pieces; it draws nothing.
// `emit` receives, in drawing order, every piece whose destination intersects `paint`:
//   1. the middle cell as `middle` says: stretched over the destination middle, tiled along x and/or y
//      with unscaled tiles, the last tile of a row or column cut together with its source, or not at all;
//   2. the border pieces top-left, top, top-right, left, right, bottom-left, bottom, bottom-right, each
//      only when its border widths are positive; edges and corners are stretched to their destination.
// Pieces with an empty destination or source (borders wider than the area) are left out. Tiles that
// lie outside `paint` are skipped without being visited, so that painting a small area of a large
// tiled surface costs only the visible tiles.
void LayoutNineGrid(const RECT& dest, const RECT& source, const RECT& corner, NineGridMiddle middle,
                    const RECT& paint, const std::function<void(const BitmapPiece&)>& emit);

}  // namespace veneer

#endif  // UI_RENDER_NINE_GRID_H_
