#include "ui/runtime/stack_arithmetic.h"

#include <algorithm>
#include <cstdint>

#include "ui/runtime/container_arithmetic.h"

namespace veneer {
namespace {

// A size read along the stack: `main` along its axis, `cross` across it.
struct AxisPair {
  int64_t main;
  int64_t cross;
};

// Two edges or two amounts along one axis: top and bottom, or left and right.
struct Span {
  int64_t start;
  int64_t end;
};

AxisPair Along(LayoutAxis axis, const SIZE& size) {
  return axis == LayoutAxis::kVertical ? AxisPair{size.cy, size.cx} : AxisPair{size.cx, size.cy};
}

CUISize SizeOf(LayoutAxis axis, int64_t main, int64_t cross) {
  const LONG along = ClampToLong(main);
  const LONG across = ClampToLong(cross);
  return axis == LayoutAxis::kVertical ? CUISize(across, along) : CUISize(along, across);
}

Span MainSpan(LayoutAxis axis, const RECT& rect) {
  return axis == LayoutAxis::kVertical ? Span{rect.top, rect.bottom} : Span{rect.left, rect.right};
}

Span CrossSpan(LayoutAxis axis, const RECT& rect) {
  return axis == LayoutAxis::kVertical ? Span{rect.left, rect.right} : Span{rect.top, rect.bottom};
}

CUIRect RectOf(LayoutAxis axis, const Span& main, const Span& cross) {
  return axis == LayoutAxis::kVertical ? RectFromEdges(cross.start, main.start, cross.end, main.end)
                                       : RectFromEdges(main.start, cross.start, main.end, cross.end);
}

// The bar that scrolls along the stack, and the one that scrolls across it.
const ScrollBarState& MainBar(const StackFrame& frame) {
  return frame.axis == LayoutAxis::kVertical ? frame.bars.vertical : frame.bars.horizontal;
}
const ScrollBarState& CrossBar(const StackFrame& frame) {
  return frame.axis == LayoutAxis::kVertical ? frame.bars.horizontal : frame.bars.vertical;
}

// What a child is offered on each axis (possibly below 0): the available size, less the padding across
// the axis, lowered to the child's limit (its fixed size when at least 1, else its maximum).
AxisPair OfferFor(const StackFrame& frame, const LayoutChild& child) {
  const AxisPair available = Along(frame.axis, frame.available);
  const AxisPair fixed = Along(frame.axis, child.fixed);
  const AxisPair maximum = Along(frame.axis, child.max_size);
  const Span padding = CrossSpan(frame.axis, child.padding);
  const auto limit = [](int64_t fixed_size, int64_t max_size) {
    return fixed_size >= 1 ? fixed_size : max_size;
  };
  return {std::min(available.main, limit(fixed.main, maximum.main)),
          std::min(available.cross - padding.start - padding.end, limit(fixed.cross, maximum.cross))};
}

bool IsStretchable(LayoutAxis axis, const LayoutChild& child) { return Along(axis, child.desired).main == 0; }

// A measured (not stretchable) child's main size.
int64_t MeasuredMainSize(LayoutAxis axis, const LayoutChild& child) {
  return ClampToLimits(Along(axis, child.desired).main, Along(axis, child.min_size).main,
                       Along(axis, child.max_size).main);
}

// The gaps between `count` children; none for fewer than two.
int64_t GapsBetween(int64_t count, int64_t gap) { return std::max<int64_t>(0, count - 1) * gap; }

// What the measuring pass learns about the flow children.
struct StackTotals {
  int64_t fixed = 0;   // Measured main sizes, every main-axis padding and the gaps.
  int64_t widest = 0;  // The largest measured cross size with its padding.
  int64_t count = 0;
  int64_t stretchable = 0;
  size_t last_stretchable = SIZE_MAX;
};

StackTotals SumMeasurements(const StackFrame& frame, const std::vector<LayoutChild>& children) {
  const LayoutAxis axis = frame.axis;
  StackTotals totals;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) continue;
    const Span main_padding = MainSpan(axis, child.padding);
    const Span cross_padding = CrossSpan(axis, child.padding);
    if (IsStretchable(axis, child)) {
      ++totals.stretchable;
      totals.last_stretchable = i;
    } else {
      totals.fixed += MeasuredMainSize(axis, child);
    }
    totals.fixed += main_padding.start + main_padding.end;
    const int64_t cross = ClampToLimits(Along(axis, child.desired).cross, Along(axis, child.min_size).cross,
                                        Along(axis, child.max_size).cross);
    totals.widest = std::max(totals.widest, cross + cross_padding.start + cross_padding.end);
    ++totals.count;
  }
  totals.fixed += GapsBetween(totals.count, frame.options.child_padding);
  return totals;
}

// Where a flow child lies across the stack: its size from its maximum (or the room between its padding
// when the maximum is 0) lowered to its offer and raised to its minimum; its place by the alignment.
Span CrossPlacement(const StackFrame& frame, const LayoutChild& child) {
  const LayoutAxis axis = frame.axis;
  const Span padding = CrossSpan(axis, child.padding);
  const int64_t max_size = Along(axis, child.max_size).cross;
  const int64_t room = Along(axis, frame.available).cross - padding.start - padding.end;
  const int64_t capped =
      std::min(std::max<int64_t>(0, max_size != 0 ? max_size : room), OfferFor(frame, child).cross);
  const int64_t size = std::max<int64_t>(0, std::max<int64_t>(capped, Along(axis, child.min_size).cross));

  const Span content = CrossSpan(axis, frame.content);
  const ScrollBarState& bar = CrossBar(frame);
  switch (frame.options.align) {
    case CrossAlign::kCenter: {
      const int64_t center = (content.start + content.end) / 2 + bar.ShownRange() / 2 - bar.ShownPosition();
      return {center - size / 2, center + size - size / 2};
    }
    case CrossAlign::kEnd: {
      const int64_t end = content.end + bar.ShownRange() - bar.ShownPosition() - padding.end;
      return {end - size, end};
    }
    case CrossAlign::kStart:
      break;
  }
  const int64_t start = content.start - bar.ShownPosition() + padding.start;
  return {start, start + size};
}

}  // namespace

CrossAlign CrossAlignOfChildAlign(int child_align) {
  if (child_align == 1) return CrossAlign::kCenter;
  if (child_align == 2) return CrossAlign::kEnd;
  return CrossAlign::kStart;
}

CrossAlign CrossAlignOfChildVAlign(int child_valign) {
  if (child_valign == 4) return CrossAlign::kCenter;
  if (child_valign == 8) return CrossAlign::kEnd;
  return CrossAlign::kStart;
}

StackFrame MakeStackFrame(LayoutAxis axis, const StackOptions& options, const RECT& bounds,
                          const RECT& scaled_inset, const ScrollBars& bars) {
  StackFrame frame;
  frame.axis = axis;
  frame.options = options;
  frame.options.child_padding = std::max(0, options.child_padding);
  frame.bounds = bounds;
  frame.content = ContentArea(bounds, scaled_inset, bars);
  frame.bars = bars;
  const int64_t width_range = axis == LayoutAxis::kVertical ? bars.horizontal.ShownRange() : 0;
  frame.available = CUISize(ClampToLong(WidthOf(frame.content) + width_range),
                            ClampToLong(HeightOf(frame.content) + bars.vertical.ShownRange()));
  return frame;
}

std::vector<CUISize> StackMeasureOffers(const StackFrame& frame, const std::vector<LayoutChild>& children) {
  std::vector<CUISize> offers(children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i].role != LayoutRole::kFlow) continue;
    const AxisPair offer = OfferFor(frame, children[i]);
    offers[i] = SizeOf(frame.axis, std::max<int64_t>(0, offer.main), std::max<int64_t>(0, offer.cross));
  }
  return offers;
}

LayoutResult LayoutStack(const StackFrame& frame, const std::vector<LayoutChild>& children) {
  const LayoutAxis axis = frame.axis;
  LayoutResult result;
  result.content = frame.content;
  result.children.resize(children.size());
  if (children.empty()) return result;

  const int64_t gap = frame.options.child_padding;
  const StackTotals totals = SumMeasurements(frame, children);
  const int64_t available = Along(axis, frame.available).main;
  const int64_t share =
      totals.stretchable > 0 ? std::max<int64_t>(0, (available - totals.fixed) / totals.stretchable) : 0;

  // The running start, the room left for this child and those after it, and what of that room the
  // measured children, paddings and gaps after this point take.
  int64_t running = MainSpan(axis, frame.content).start - MainBar(frame).ShownPosition();
  int64_t remaining = available;
  int64_t fixed_remaining = totals.fixed;
  int64_t needed = 0;
  bool first = true;
  for (size_t i = 0; i < children.size(); ++i) {
    const LayoutChild& child = children[i];
    if (child.role != LayoutRole::kFlow) {
      result.children[i] = PlaceOutsideFlow(frame.bounds, child);
      continue;
    }
    const Span padding = MainSpan(axis, child.padding);
    remaining -= padding.start;
    fixed_remaining -= padding.start + padding.end + (first ? 0 : gap);
    int64_t size = 0;
    if (!IsStretchable(axis, child)) {
      size = MeasuredMainSize(axis, child);
      fixed_remaining -= size;
    } else {
      const int64_t wanted = i == totals.last_stretchable
                                 ? std::max<int64_t>(0, remaining - padding.end - fixed_remaining)
                                 : share;
      size = ClampToLimits(wanted, Along(axis, child.min_size).main, Along(axis, child.max_size).main);
    }
    const int64_t start = running + padding.start;
    result.children[i] = {true, RectOf(axis, {start, start + size}, CrossPlacement(frame, child))};
    running += size + gap + padding.start + padding.end;
    needed += size + padding.start + padding.end;
    remaining -= size + gap + padding.end;
    first = false;
  }
  needed += GapsBetween(totals.count, gap);
  result.needed = SizeOf(axis, needed, totals.widest);
  return result;
}

}  // namespace veneer
