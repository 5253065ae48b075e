#ifndef UI_RUNTIME_TILE_ARITHMETIC_H_
#define UI_RUNTIME_TILE_ARITHMETIC_H_

#include <windows.h>

#include <vector>

#include "ui/core/geometry.h"
#include "ui/runtime/layout_child.h"
#include "ui/runtime/scroll_arithmetic.h"

namespace veneer {

// The arithmetic of the tile layout: flow children fill a grid of equal columns row by row, each row as
// tall as its tallest child with that child's padding, each child centred in its tile. One pass:
//   1. MakeTileFrame: the content rectangle, the column count and the tile width;
//   2. TileMeasureOffers: the size to offer each flow child; the container measures each child once;
//   3. LayoutTile: the rectangles, and what the container hands to its scroll bar update.
//
// A tile is its column less the child's padding and half the child padding (the gap) on each inner
// side; the outer sides of the first and last columns keep no gap, so neighbouring tiles are one whole
// gap apart. Three columns of 100 with a gap of 10:
//
//   0          95 105        195 205         300
//   |  tile 0   |   | tile 1   |   |  tile 2   |
//   row 1 starts at row 0's height + gap

struct TileOptions {
  CUISize item_size;      // "itemsize": a width above 0 sets the column count from the content width.
  int columns = 1;        // "columns": used when the item width is 0; below 1 counts as 1.
  int child_padding = 0;  // The raw gap; a negative gap counts as 0.
};

struct TileFrame {
  int child_padding = 0;  // The gap, at least 0.
  CUIRect bounds;         // The container's bounds: floating children are placed in them.
  CUIRect content;        // ContentArea of the bounds with the raw inset.
  int columns = 1;        // The column count of this pass; the container keeps it as its "columns".
  int tile_width = 0;     // The content width (grown by a shown horizontal bar's range) / columns.
  ScrollBars bars;
};

TileFrame MakeTileFrame(const TileOptions& options, const RECT& bounds, const RECT& raw_inset,
                        const ScrollBars& bars);

// The size to measure each flow child with (zero for the others): the width of its tile, raised to the
// child's minimum width and lowered to its maximum, never below 0, and a height of 9999.
std::vector<CUISize> TileMeasureOffers(const TileFrame& frame, const std::vector<LayoutChild>& children);

// Places the flow children tile by tile from the content's top-left corner (less shown bars' positions);
// floating children go where FloatingChildRect says. A row's height is the largest measured height of
// its children, each raised to its minimum and lowered to its maximum, plus its top and bottom padding.
// A tile runs from the child's top padding to the row's bottom. The child's size is its measured size,
// 0 taking the tile's, raised to its minimum and lowered to its maximum, centred in the tile. needed:
// width 0, height from the content's top (before scrolling) to the last tile's bottom.
LayoutResult LayoutTile(const TileFrame& frame, const std::vector<LayoutChild>& children);

}  // namespace veneer

#endif  // UI_RUNTIME_TILE_ARITHMETIC_H_
