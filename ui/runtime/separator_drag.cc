#include "ui/runtime/separator_drag.h"

#include <algorithm>
#include <cstdint>

namespace veneer {
namespace {

// A rectangle's two edges along an axis.
struct Edges {
  int64_t start;
  int64_t end;
};

Edges EdgesAlong(LayoutAxis axis, const RECT& rect) {
  return axis == LayoutAxis::kVertical ? Edges{rect.top, rect.bottom} : Edges{rect.left, rect.right};
}

CUIRect WithEdges(LayoutAxis axis, const RECT& rect, const Edges& edges) {
  return axis == LayoutAxis::kVertical ? RectFromEdges(rect.left, edges.start, rect.right, edges.end)
                                       : RectFromEdges(edges.start, rect.top, edges.end, rect.bottom);
}

}  // namespace

CUIRect SeparatorBand(LayoutAxis axis, const RECT& rect, int separator) {
  const Edges edges = EdgesAlong(axis, rect);
  if (separator >= 0) return WithEdges(axis, rect, {std::max(edges.start, edges.end - separator), edges.end});
  return WithEdges(axis, rect, {edges.start, std::min(edges.end, edges.start - int64_t{separator})});
}

CUIRect DragSeparator(LayoutAxis axis, const RECT& rect, int separator, int last, int point, int min_size,
                      int max_size) {
  const int64_t move = int64_t{point} - last;
  if (move == 0) return rect;
  const Edges band = EdgesAlong(axis, SeparatorBand(axis, rect, separator));
  if ((move > 0 && point < band.start) || (move < 0 && point > band.end)) return rect;
  const Edges edges = EdgesAlong(axis, rect);
  const int64_t size = edges.end - edges.start;
  // The far edge grows the layout as it moves on; the near edge shrinks it.
  const int64_t wanted = separator >= 0 ? size + move : size - move;
  const int64_t limited = std::min<int64_t>(std::max<int64_t>(wanted, min_size), max_size);
  if (limited == size) return rect;
  if (separator >= 0) return WithEdges(axis, rect, {edges.start, edges.start + limited});
  return WithEdges(axis, rect, {edges.end - limited, edges.end});
}

}  // namespace veneer
