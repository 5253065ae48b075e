#ifndef UI_RUNTIME_CONTAINER_ARITHMETIC_H_
#define UI_RUNTIME_CONTAINER_ARITHMETIC_H_

#include <windows.h>

#include <vector>

#include "ui/core/geometry.h"
#include "ui/runtime/layout_child.h"
#include "ui/runtime/scroll_arithmetic.h"

namespace veneer {

// The placing rules every container shares (floating children) and those of the plain container and
// the tab layout, which place children over their whole client area. Plain functions over LayoutChild
// values; the containers feed them and place the children.

// Where a floating child goes in a container with `container_bounds` (W x H). The child keeps its fixed
// size (w x h) and offset (x, y); inset, padding and scrolling do not move it.
//   - With alignment bits: horizontally (W - w) / 2 for 0x1, W - w for 0x2, else x; vertically
//     (H - h) / 2 for 0x4, H - h for 0x8, else y; from the container's top-left corner.
//   - Without: each edge also moves by its fraction of the container's size, truncated:
//       left = W * fl + x,  right = W * fr + x + w,  top = H * ft + y,  bottom = H * fb + y + h.
//     All fractions 0 give (x, y, x + w, y + h) from the container's top-left corner.
// A fraction that is not a number counts as 0; products beyond 2^53 stop there (then clamped).
CUIRect FloatingChildRect(const RECT& container_bounds, const LayoutChild& child);

// The entry of every layout for a child outside the flow: a floating child placed by FloatingChildRect,
// a hidden one not placed.
PlacedChild PlaceOutsideFlow(const RECT& container_bounds, const LayoutChild& child);

// The plain container: every shown flow child covers the scrollable area (ScrollableArea with the raw
// inset), its width and height each raised to its minimum and lowered to its maximum, anchored at the
// area's top-left; floating children go where FloatingChildRect says. Nothing is measured. The result's
// content is that area; it needs nothing (the plain container never updates its bars).
LayoutResult LayoutFill(const RECT& bounds, const RECT& raw_inset, const ScrollBars& bars,
                        const std::vector<LayoutChild>& children);

// The size a tab layout offers its selected child when measuring it: its bounds less the raw inset and
// less the child's padding, never below 0.
CUISize TabMeasureOffer(const RECT& bounds, const RECT& raw_inset, const LayoutChild& child);

// The tab layout: only the child at `selected` (when it is a flow child) is placed, in the content
// rectangle (bounds less the raw inset; a tab layout has no scroll bars) less its padding, anchored at
// the top-left, with its measured size, where a 0 width or height takes the full one, raised to its
// minimum and lowered to its maximum. Floating children go where FloatingChildRect says; the others are
// not placed. The result needs nothing.
//
//   content +------------------------+
//           | padding                |
//           |   +----------+         |
//           |   | selected |         |   measured 0 x 0: the whole padded area
//           |   +----------+         |
//           +------------------------+
LayoutResult LayoutTab(const RECT& bounds, const RECT& raw_inset, int selected,
                       const std::vector<LayoutChild>& children);

}  // namespace veneer

#endif  // UI_RUNTIME_CONTAINER_ARITHMETIC_H_
