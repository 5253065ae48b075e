#ifndef UI_RUNTIME_SCROLL_ARITHMETIC_H_
#define UI_RUNTIME_SCROLL_ARITHMETIC_H_

#include <windows.h>

#include <cstdint>
#include <optional>

#include "ui/core/geometry.h"
#include "ui/runtime/layout_child.h"

namespace veneer {

// The arithmetic of a container's scroll bars: the areas they leave for the children, their ranges when
// the content overflows, and where line, page, home and end commands move them. Plain functions over
// the state a container reads from its bars; the container applies the answers to the bar controls.

enum class ScrollBarPresence { kAbsent, kHidden, kShown };

// What a container knows of one of its scroll bars. The bar keeps `position` within 0..range.
struct ScrollBarState {
  ScrollBarPresence presence = ScrollBarPresence::kAbsent;
  int thickness = 0;  // A vertical bar's fixed width, a horizontal bar's fixed height (scaled).
  int range = 0;
  int position = 0;

  bool IsShown() const { return presence == ScrollBarPresence::kShown; }
  // The thickness, range and position the layouts count: those of a shown bar, 0 otherwise.
  int ShownThickness() const { return IsShown() ? thickness : 0; }
  int ShownRange() const { return IsShown() ? range : 0; }
  int ShownPosition() const { return IsShown() ? position : 0; }
};

struct ScrollBars {
  ScrollBarState vertical;
  ScrollBarState horizontal;
};

// The area children are painted and hit-tested in: `bounds` less `inset`, less a shown vertical bar's
// width on the right and a shown horizontal bar's height at the bottom. Insets and bars larger than the
// bounds leave an empty area (right = left, bottom = top), never an inverted one.
//
//   bounds +---------------------------+
//          | inset                     |
//          |   +-----------------+--+  |
//          |   | content area    |v |  |   v: the vertical bar, placed right of the area
//          |   +-----------------+--+  |   h: the horizontal bar, placed below it
//          |   | h               |     |
//          |   +-----------------+     |
//          +---------------------------+
CUIRect ContentArea(const RECT& bounds, const RECT& inset, const ScrollBars& bars);

// The whole scrollable content in window coordinates: the content area grown by the part of each shown
// bar's range that lies before its position (up or left) and after it (down or right).
CUIRect ScrollableArea(const RECT& bounds, const RECT& inset, const ScrollBars& bars);

// What one scroll bar update decided for a bar; the container applies it to the bar control.
struct ScrollBarUpdate {
  ScrollBarState bar;        // The bar's new presence, range and position.
  bool place_bar = false;    // Place the bar at `bar_rect` (it stays shown and the content overflows).
  CUIRect bar_rect;          // Beside `content`: right of it (vertical) or below it (horizontal).
  bool place_again = false;  // Place the container again at its bounds (invalidating): its room changed.
};

// The update of the bar along `axis` after a layout pass whose children need `needed` pixels along that
// axis in `content`. Overflow = needed - content length:
//   - a hidden bar with overflow is shown with range = overflow and position 0 (place again);
//   - a shown bar with overflow is placed beside the content; a changed range is set, and when that
//     lowers the position, the container is placed again;
//   - a shown bar without overflow is hidden with range and position 0 (place again);
//   - an absent bar, or a hidden one without overflow, is left alone.
ScrollBarUpdate UpdateScrollBar(LayoutAxis axis, const ScrollBarState& bar, const RECT& content,
                                int64_t needed);

// A scroll of one bar: the position it lands on and how far it moved.
struct ScrollMove {
  int position = 0;
  int delta = 0;
};

// Moves a shown bar towards `requested`, kept within 0..range; a bar that is not shown does not move.
// The container then moves every shown, non-floating child by -delta along the bar's axis.
ScrollMove MoveScrollBar(const ScrollBarState& bar, int64_t requested);

// `rect` moved against a scroll by (dx, dy): by (-dx, -dy), clamped.
CUIRect ScrolledRect(const RECT& rect, int dx, int dy);

enum class ScrollCommand { kLineBack, kLineForward, kPageBack, kPageForward, kHome, kEnd };

// The distances of one line and one page along a bar.
struct ScrollSteps {
  int line = 0;
  int page = 0;
};

// The steps of a container's bar along `axis`. A line is `step_size` when it is above 0; otherwise the
// vertical line is the window's default font height + 8 (8 without a window) and the horizontal line 8.
// A page is the container's length less its inset on both sides and less the other bar's thickness when
// that bar is shown, never below 0.
ScrollSteps ScrollStepsOf(LayoutAxis axis, int step_size, std::optional<int> default_font_height,
                          const RECT& bounds, const RECT& inset, const ScrollBars& bars);

// The position a command asks for: back and forward by a line or a page from the bar's position, home
// to 0, end to the range. MoveScrollBar then keeps it within the range.
int64_t ScrollTarget(ScrollCommand command, const ScrollBarState& bar, const ScrollSteps& steps);

// The line number the "scroll" notification carries: (position + line size) / line size, where a line
// size below 1 counts as 1 (a bar without a line size must not divide by zero).
int ScrollNotificationLine(int position, int line_size);

}  // namespace veneer

#endif  // UI_RUNTIME_SCROLL_ARITHMETIC_H_
