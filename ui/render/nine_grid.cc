#include "ui/render/nine_grid.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <vector>

namespace veneer {
namespace {

// One row or column of the middle cell along one axis: destination [dest_start, dest_end) taking
// source [source_start, source_end).
struct Span {
  LONG dest_start;
  LONG dest_end;
  LONG source_start;
  LONG source_end;
};

// The spans of the middle cell along one axis: a single stretched span, or tiles of the source length
// laid from dest_start, the last one cut at dest_end. Tiles outside [paint_start, paint_end) are skipped.
std::vector<Span> MiddleSpans(LONG dest_start, LONG dest_end, LONG source_start, LONG source_length,
                              bool tiled, LONG paint_start, LONG paint_end) {
  std::vector<Span> spans;
  if (dest_end <= dest_start || source_length <= 0) return spans;
  if (!tiled) {
    spans.push_back({dest_start, dest_end, source_start, source_start + source_length});
    return spans;
  }
  const LONG first_visible = std::max(dest_start, paint_start);
  const LONG end_visible = std::min(dest_end, paint_end);
  if (first_visible >= end_visible) return spans;
  // 64-bit steps: a tile as wide as the whole 32-bit range must end the loop, not wrap around into it.
  const int64_t skipped = (static_cast<int64_t>(first_visible) - dest_start) / source_length * source_length;
  int64_t tile_start = dest_start + skipped;
  for (; tile_start < end_visible; tile_start += source_length) {
    const LONG start = static_cast<LONG>(tile_start);
    const LONG length = static_cast<LONG>(std::min<int64_t>(source_length, dest_end - tile_start));
    assert(length > 0 && start >= dest_start && start + length <= dest_end);
    spans.push_back({start, start + length, source_start, source_start + length});
  }
  return spans;
}

bool Intersects(const RECT& a, const RECT& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

class PieceSink {
 public:
  PieceSink(const RECT& paint, const std::function<void(const BitmapPiece&)>& emit)
      : paint_(paint), emit_(emit) {}

  void Add(const CUIRect& dest, const CUIRect& source) const {
    if (dest.IsEmpty() || source.IsEmpty() || !Intersects(dest, paint_)) return;
    emit_(BitmapPiece{dest, source});
  }

 private:
  const RECT& paint_;
  const std::function<void(const BitmapPiece&)>& emit_;
};

}  // namespace

void LayoutNineGrid(const RECT& dest, const RECT& source, const RECT& corner, NineGridMiddle middle,
                    const RECT& paint, const std::function<void(const BitmapPiece&)>& emit) {
  const CUIRect d(dest);
  const CUIRect s(source);
  const LONG cl = corner.left;
  const LONG ct = corner.top;
  const LONG cr = corner.right;
  const LONG cb = corner.bottom;
  const PieceSink sink(paint, emit);

  if (middle != NineGridMiddle::kHole) {
    const bool xtiled = middle == NineGridMiddle::kTileX || middle == NineGridMiddle::kTileXY;
    const bool ytiled = middle == NineGridMiddle::kTileY || middle == NineGridMiddle::kTileXY;
    const CUIRect cell(d.left + cl, d.top + ct, d.right - cr, d.bottom - cb);
    const std::vector<Span> rows = MiddleSpans(cell.top, cell.bottom, s.top + ct, s.GetHeight() - ct - cb,
                                               ytiled, paint.top, paint.bottom);
    const std::vector<Span> columns = MiddleSpans(cell.left, cell.right, s.left + cl, s.GetWidth() - cl - cr,
                                                  xtiled, paint.left, paint.right);
    for (const Span& row : rows) {
      for (const Span& column : columns) {
        sink.Add(CUIRect(column.dest_start, row.dest_start, column.dest_end, row.dest_end),
                 CUIRect(column.source_start, row.source_start, column.source_end, row.source_end));
      }
    }
  }

  if (cl > 0 && ct > 0) {
    sink.Add(CUIRect(d.left, d.top, d.left + cl, d.top + ct),
             CUIRect(s.left, s.top, s.left + cl, s.top + ct));
  }
  if (ct > 0) {
    sink.Add(CUIRect(d.left + cl, d.top, d.right - cr, d.top + ct),
             CUIRect(s.left + cl, s.top, s.right - cr, s.top + ct));
  }
  if (cr > 0 && ct > 0) {
    sink.Add(CUIRect(d.right - cr, d.top, d.right, d.top + ct),
             CUIRect(s.right - cr, s.top, s.right, s.top + ct));
  }
  if (cl > 0) {
    sink.Add(CUIRect(d.left, d.top + ct, d.left + cl, d.bottom - cb),
             CUIRect(s.left, s.top + ct, s.left + cl, s.bottom - cb));
  }
  if (cr > 0) {
    sink.Add(CUIRect(d.right - cr, d.top + ct, d.right, d.bottom - cb),
             CUIRect(s.right - cr, s.top + ct, s.right, s.bottom - cb));
  }
  if (cl > 0 && cb > 0) {
    sink.Add(CUIRect(d.left, d.bottom - cb, d.left + cl, d.bottom),
             CUIRect(s.left, s.bottom - cb, s.left + cl, s.bottom));
  }
  if (cb > 0) {
    sink.Add(CUIRect(d.left + cl, d.bottom - cb, d.right - cr, d.bottom),
             CUIRect(s.left + cl, s.bottom - cb, s.right - cr, s.bottom));
  }
  if (cr > 0 && cb > 0) {
    sink.Add(CUIRect(d.right - cr, d.bottom - cb, d.right, d.bottom),
             CUIRect(s.right - cr, s.bottom - cb, s.right, s.bottom));
  }
}

}  // namespace veneer
