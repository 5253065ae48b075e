#ifndef UI_RUNTIME_SEPARATOR_DRAG_H_
#define UI_RUNTIME_SEPARATOR_DRAG_H_

#include <windows.h>

#include "ui/core/geometry.h"
#include "ui/runtime/layout_child.h"

namespace veneer {

// The arithmetic of the separator a vertical or horizontal layout may offer for resizing itself: a band
// along one edge that the user drags. `separator` is the band's thickness along the layout's axis
// (y for vertical layouts, x for horizontal ones): positive for the far edge (bottom or right), which
// the drag moves; negative for the near edge (top or left). Plain functions; the layouts apply them.

// The band: the last `separator` pixels of `rect` along `axis`, or for a negative value the first
// -`separator` pixels, never beyond the rectangle.
CUIRect SeparatorBand(LayoutAxis axis, const RECT& rect, int separator);

// One move of a drag along `axis` from `last` to `point` (coordinates along the axis). The dragged edge
// follows the move, keeping the size between `min_size` and `max_size`; a move is ignored while the
// pointer is on the far side of the band from where the move goes (after the edge stopped at a
// limit, the pointer has to come back to the band before the edge follows again), and when it would
// push the size further past a limit that it already sits at. Returns the new rectangle (`rect` itself
// when the move is ignored).
CUIRect DragSeparator(LayoutAxis axis, const RECT& rect, int separator, int last, int point, int min_size,
                      int max_size);

}  // namespace veneer

#endif  // UI_RUNTIME_SEPARATOR_DRAG_H_
