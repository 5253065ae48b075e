#include "ui/runtime/container_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace veneer {
namespace {

// length x fraction truncated toward zero; not-a-number gives 0 and huge products stop at +-2^53.
int64_t FractionOf(int64_t length, double fraction) {
  const double product = static_cast<double>(length) * fraction;
  if (std::isnan(product)) return 0;
  constexpr double kLimit = 9007199254740992.0;
  return static_cast<int64_t>(std::clamp(product, -kLimit, kLimit));
}

// A floating child's offset along one axis of its container: centred, at the far end, or its own.
int64_t AlignedOffset(uint32_t align, uint32_t center_bit, uint32_t end_bit, int64_t outer, int64_t inner,
                      int64_t offset) {
  if (align & center_bit) return (outer - inner) / 2;
  if (align & end_bit) return outer - inner;
  return offset;
}

}  // namespace

CUIRect FloatingChildRect(const RECT& container_bounds, const LayoutChild& child) {
  const FloatAnchor& anchor = child.anchor;
  const int64_t outer_width = WidthOf(container_bounds);
  const int64_t outer_height = HeightOf(container_bounds);
  const int64_t width = child.fixed.cx;
  const int64_t height = child.fixed.cy;
  const int64_t x = anchor.offset.cx;
  const int64_t y = anchor.offset.cy;
  if (anchor.align & kFloatAlignAny) {
    const int64_t left = container_bounds.left + AlignedOffset(anchor.align, kFloatAlignCenter,
                                                               kFloatAlignRight, outer_width, width, x);
    const int64_t top = container_bounds.top + AlignedOffset(anchor.align, kFloatAlignVCenter,
                                                             kFloatAlignBottom, outer_height, height, y);
    return RectFromEdges(left, top, left + width, top + height);
  }
  return RectFromEdges(FractionOf(outer_width, anchor.fractions.left) + x + container_bounds.left,
                       FractionOf(outer_height, anchor.fractions.top) + y + container_bounds.top,
                       FractionOf(outer_width, anchor.fractions.right) + x + width + container_bounds.left,
                       FractionOf(outer_height, anchor.fractions.bottom) + y + height + container_bounds.top);
}

PlacedChild PlaceOutsideFlow(const RECT& container_bounds, const LayoutChild& child) {
  if (child.role != LayoutRole::kFloating) return PlacedChild{};
  return PlacedChild{true, FloatingChildRect(container_bounds, child)};
}

LayoutResult LayoutFill(const RECT& bounds, const RECT& raw_inset, const ScrollBars& bars,
                        const std::vector<LayoutChild>& children) {
  LayoutResult result;
  result.content = ScrollableArea(bounds, raw_inset, bars);
  result.children.resize(children.size());
  const CUIRect& area = result.content;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) {
      result.children[i] = PlaceOutsideFlow(bounds, child);
      continue;
    }
    const int64_t width = ClampToLimits(WidthOf(area), child.min_size.cx, child.max_size.cx);
    const int64_t height = ClampToLimits(HeightOf(area), child.min_size.cy, child.max_size.cy);
    result.children[i] = {true, RectFromEdges(area.left, area.top, area.left + width, area.top + height)};
  }
  return result;
}

namespace {

// The tab layout's content less the child's padding, never inverted.
CUIRect PaddedTabArea(const RECT& bounds, const RECT& raw_inset, const LayoutChild& child) {
  return ContentArea(ContentArea(bounds, raw_inset, ScrollBars{}), child.padding, ScrollBars{});
}

}  // namespace

CUISize TabMeasureOffer(const RECT& bounds, const RECT& raw_inset, const LayoutChild& child) {
  const CUIRect area = PaddedTabArea(bounds, raw_inset, child);
  return CUISize(ClampToLong(WidthOf(area)), ClampToLong(HeightOf(area)));
}

LayoutResult LayoutTab(const RECT& bounds, const RECT& raw_inset, int selected,
                       const std::vector<LayoutChild>& children) {
  LayoutResult result;
  result.content = ContentArea(bounds, raw_inset, ScrollBars{});
  result.children.resize(children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) {
      result.children[i] = PlaceOutsideFlow(bounds, child);
      continue;
    }
    if (selected < 0 || i != static_cast<size_t>(selected)) continue;
    const CUIRect area = PaddedTabArea(bounds, raw_inset, child);
    const int64_t measured_width = child.desired.cx == 0 ? WidthOf(area) : child.desired.cx;
    const int64_t measured_height = child.desired.cy == 0 ? HeightOf(area) : child.desired.cy;
    const int64_t width = ClampToLimits(measured_width, child.min_size.cx, child.max_size.cx);
    const int64_t height = ClampToLimits(measured_height, child.min_size.cy, child.max_size.cy);
    result.children[i] = {true, RectFromEdges(area.left, area.top, area.left + width, area.top + height)};
  }
  return result;
}

}  // namespace veneer
