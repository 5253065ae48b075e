#include "ui/runtime/tile_arithmetic.h"

#include <algorithm>
#include <cstdint>

#include "ui/runtime/container_arithmetic.h"

namespace veneer {
namespace {

// What a tile offers a measured child in height: as good as unlimited.
constexpr LONG kTileOfferHeight = 9999;

// The left and right edges of the tile of `child` in column `column`, which starts at `column_left`: the
// column less the child's padding, and less half the gap on each side that has a neighbour.
struct TileEdges {
  int64_t left;
  int64_t right;
};

TileEdges TileAcross(const TileFrame& frame, int64_t column_left, int64_t column, const LayoutChild& child) {
  const int64_t half_gap = frame.child_padding / 2;
  const int64_t left = column_left + child.padding.left + (column == 0 ? 0 : half_gap);
  const int64_t right =
      column_left + frame.tile_width - child.padding.right - (column == frame.columns - 1 ? 0 : half_gap);
  return {left, right};
}

int64_t MeasuredHeight(const LayoutChild& child) {
  return ClampToLimits(child.desired.cy, child.min_size.cy, child.max_size.cy);
}

// Each row's height: the largest measured height of its children with their top and bottom padding.
std::vector<int64_t> RowHeights(const TileFrame& frame, const std::vector<LayoutChild>& children) {
  std::vector<int64_t> heights;
  int64_t flow_index = 0;
  for (const LayoutChild& child : children) {
    if (child.role != LayoutRole::kFlow) continue;
    if (flow_index % frame.columns == 0) heights.push_back(0);
    const int64_t height = MeasuredHeight(child) + child.padding.top + child.padding.bottom;
    heights.back() = std::max(heights.back(), height);
    ++flow_index;
  }
  return heights;
}

}  // namespace

TileFrame MakeTileFrame(const TileOptions& options, const RECT& bounds, const RECT& raw_inset,
                        const ScrollBars& bars) {
  TileFrame frame;
  frame.child_padding = std::max(0, options.child_padding);
  frame.bounds = bounds;
  frame.content = ContentArea(bounds, raw_inset, bars);
  frame.bars = bars;
  const int64_t width = WidthOf(frame.content);
  int64_t columns = options.columns;
  if (options.item_size.cx > 0) columns = width / options.item_size.cx;
  frame.columns = ClampToLong(std::max<int64_t>(1, columns));
  frame.tile_width = ClampToLong((width + bars.horizontal.ShownRange()) / frame.columns);
  return frame;
}

std::vector<CUISize> TileMeasureOffers(const TileFrame& frame, const std::vector<LayoutChild>& children) {
  std::vector<CUISize> offers(children.size());
  int64_t flow_index = 0;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) continue;
    const TileEdges tile = TileAcross(frame, 0, flow_index % frame.columns, child);
    const int64_t width = ClampToLimits(tile.right - tile.left, child.min_size.cx, child.max_size.cx);
    offers[i] = CUISize(ClampToLong(width), kTileOfferHeight);
    ++flow_index;
  }
  return offers;
}

LayoutResult LayoutTile(const TileFrame& frame, const std::vector<LayoutChild>& children) {
  LayoutResult result;
  result.content = frame.content;
  result.children.resize(children.size());
  const std::vector<int64_t> row_heights = RowHeights(frame, children);
  const int64_t content_top = int64_t{frame.content.top} - frame.bars.vertical.ShownPosition();
  const int64_t first_column_left = int64_t{frame.content.left} - frame.bars.horizontal.ShownPosition();
  const int64_t gap = frame.child_padding;

  int64_t column_left = first_column_left;
  int64_t row_top = content_top;
  int64_t flow_index = 0;
  int64_t needed = 0;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) {
      result.children[i] = PlaceOutsideFlow(frame.bounds, child);
      continue;
    }
    const int64_t column = flow_index % frame.columns;
    const int64_t row_height = row_heights[flow_index / frame.columns];
    const TileEdges across = TileAcross(frame, column_left, column, child);
    const int64_t top = row_top + child.padding.top;
    const int64_t bottom = row_top + row_height;
    const int64_t wanted_width = child.desired.cx == 0 ? across.right - across.left : child.desired.cx;
    const int64_t wanted_height = child.desired.cy == 0 ? bottom - top : child.desired.cy;
    const int64_t width = ClampToLimits(wanted_width, child.min_size.cx, child.max_size.cx);
    const int64_t height = ClampToLimits(wanted_height, child.min_size.cy, child.max_size.cy);
    const int64_t left = (across.left + across.right - width) / 2;
    const int64_t child_top = (top + bottom - height) / 2;
    result.children[i] = {true, RectFromEdges(left, child_top, left + width, child_top + height)};
    needed = bottom - content_top;

    if (column == frame.columns - 1) {
      column_left = first_column_left;
      row_top += row_height + gap;
    } else {
      column_left += frame.tile_width;
    }
    ++flow_index;
  }
  result.needed = CUISize(0, ClampToLong(needed));
  return result;
}

}  // namespace veneer
