#include "ui/runtime/scroll_arithmetic.h"

#include <algorithm>

namespace veneer {
namespace {

int64_t LengthAlong(LayoutAxis axis, const RECT& rect) {
  return axis == LayoutAxis::kVertical ? HeightOf(rect) : WidthOf(rect);
}

// The bar's place beside the content: right of it for a vertical bar, below it for a horizontal one.
CUIRect BarBeside(LayoutAxis axis, const RECT& content, int thickness) {
  if (axis == LayoutAxis::kVertical) {
    return RectFromEdges(content.right, content.top, int64_t{content.right} + thickness, content.bottom);
  }
  return RectFromEdges(content.left, content.bottom, content.right, int64_t{content.bottom} + thickness);
}

}  // namespace

CUIRect ContentArea(const RECT& bounds, const RECT& inset, const ScrollBars& bars) {
  const int64_t left = int64_t{bounds.left} + inset.left;
  const int64_t top = int64_t{bounds.top} + inset.top;
  const int64_t right = int64_t{bounds.right} - inset.right - bars.vertical.ShownThickness();
  const int64_t bottom = int64_t{bounds.bottom} - inset.bottom - bars.horizontal.ShownThickness();
  return RectFromEdges(left, top, std::max(left, right), std::max(top, bottom));
}

CUIRect ScrollableArea(const RECT& bounds, const RECT& inset, const ScrollBars& bars) {
  const CUIRect area = ContentArea(bounds, inset, bars);
  const ScrollBarState& vertical = bars.vertical;
  const ScrollBarState& horizontal = bars.horizontal;
  return RectFromEdges(int64_t{area.left} - horizontal.ShownPosition(),
                       int64_t{area.top} - vertical.ShownPosition(),
                       int64_t{area.right} + horizontal.ShownRange() - horizontal.ShownPosition(),
                       int64_t{area.bottom} + vertical.ShownRange() - vertical.ShownPosition());
}

ScrollBarUpdate UpdateScrollBar(LayoutAxis axis, const ScrollBarState& bar, const RECT& content,
                                int64_t needed) {
  ScrollBarUpdate update;
  update.bar = bar;
  if (bar.presence == ScrollBarPresence::kAbsent) return update;
  const int64_t overflow = ClampToLong(needed) - LengthAlong(axis, content);
  const int range = ClampToLong(std::max<int64_t>(0, overflow));
  if (!bar.IsShown()) {
    if (overflow > 0) {
      update.bar = {ScrollBarPresence::kShown, bar.thickness, range, 0};
      update.place_again = true;
    }
    return update;
  }
  if (overflow <= 0) {
    update.bar = {ScrollBarPresence::kHidden, bar.thickness, 0, 0};
    update.place_again = true;
    return update;
  }
  update.place_bar = true;
  update.bar_rect = BarBeside(axis, content, bar.thickness);
  if (bar.range != range) {
    update.bar.range = range;
    if (bar.position > range) {
      update.bar.position = range;
      update.place_again = true;
    }
  }
  return update;
}

ScrollMove MoveScrollBar(const ScrollBarState& bar, int64_t requested) {
  if (!bar.IsShown()) return {bar.position, 0};
  const int64_t position = std::clamp<int64_t>(requested, 0, std::max(0, bar.range));
  return {ClampToLong(position), ClampToLong(position - bar.position)};
}

CUIRect ScrolledRect(const RECT& rect, int dx, int dy) {
  return RectFromEdges(int64_t{rect.left} - dx, int64_t{rect.top} - dy, int64_t{rect.right} - dx,
                       int64_t{rect.bottom} - dy);
}

ScrollSteps ScrollStepsOf(LayoutAxis axis, int step_size, std::optional<int> default_font_height,
                          const RECT& bounds, const RECT& inset, const ScrollBars& bars) {
  const bool vertical = axis == LayoutAxis::kVertical;
  int64_t line = 8;
  if (step_size > 0) {
    line = step_size;
  } else if (vertical && default_font_height) {
    line = int64_t{*default_font_height} + 8;
  }
  const int64_t page =
      vertical ? LengthAlong(axis, bounds) - inset.top - inset.bottom - bars.horizontal.ShownThickness()
               : LengthAlong(axis, bounds) - inset.left - inset.right - bars.vertical.ShownThickness();
  return {ClampToLong(line), ClampToLong(std::max<int64_t>(0, page))};
}

int64_t ScrollTarget(ScrollCommand command, const ScrollBarState& bar, const ScrollSteps& steps) {
  const int64_t position = bar.position;
  switch (command) {
    case ScrollCommand::kLineBack:
      return position - steps.line;
    case ScrollCommand::kLineForward:
      return position + steps.line;
    case ScrollCommand::kPageBack:
      return position - steps.page;
    case ScrollCommand::kPageForward:
      return position + steps.page;
    case ScrollCommand::kHome:
      return 0;
    case ScrollCommand::kEnd:
      return bar.range;
  }
  return position;
}

int ScrollNotificationLine(int position, int line_size) {
  const int64_t line = std::max(1, line_size);
  return ClampToLong((int64_t{position} + line) / line);
}

}  // namespace veneer
