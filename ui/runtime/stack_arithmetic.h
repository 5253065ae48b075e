#ifndef UI_RUNTIME_STACK_ARITHMETIC_H_
#define UI_RUNTIME_STACK_ARITHMETIC_H_

#include <windows.h>

#include <vector>

#include "ui/core/geometry.h"
#include "ui/runtime/layout_child.h"
#include "ui/runtime/scroll_arithmetic.h"

namespace veneer {

// The arithmetic of the vertical and horizontal layouts, which stack their children along one axis (the
// main axis: y for vertical, x for horizontal) and align them across it. One pass:
//   1. MakeStackFrame: the content rectangle and the size the children share;
//   2. StackMeasureOffers: the size to offer each flow child; the container measures each child once;
//   3. LayoutStack: the rectangles, and what the container hands to its scroll bar update.
// Children whose measured main size is 0 are stretchable: they share what the others leave, and the
// last of them takes the remainder of the division, so that together they fill the layout exactly.
//
//   vertical, 300 px, fixed 32 and 54, two stretchable: (300 - 86) / 2 = 107 each
//   +--------+ 0
//   | fixed  |
//   +--------+ 32        With a child padding of 10 the gaps add (4 - 1) x 10 to the
//   | stretch|           fixed total and each share becomes (300 - 116) / 2 = 92.
//   +--------+ 139
//   | fixed  |
//   +--------+ 193
//   | stretch|
//   +--------+ 300

// Where children sit across the main axis.
enum class CrossAlign { kStart, kCenter, kEnd };

// The vertical layout's "childalign" value (1 centre, 2 right, else left) and the horizontal layout's
// "childvalign" value (4 centre, 8 bottom, else top) as a cross alignment.
CrossAlign CrossAlignOfChildAlign(int child_align);
CrossAlign CrossAlignOfChildVAlign(int child_valign);

struct StackOptions {
  int child_padding = 0;  // The raw gap between neighbouring children; a negative gap counts as 0.
  CrossAlign align = CrossAlign::kStart;
};

// What a stacking layout offers its children in one pass.
struct StackFrame {
  LayoutAxis axis = LayoutAxis::kVertical;
  StackOptions options;
  CUIRect bounds;   // The container's bounds: floating children are placed in them.
  CUIRect content;  // ContentArea of the bounds with the scaled inset.
  // The content size grown by shown ranges: the vertical layout adds the horizontal bar's range to the
  // width and the vertical bar's to the height; the horizontal layout adds only the vertical bar's range
  // to the height.
  CUISize available;
  ScrollBars bars;
};

StackFrame MakeStackFrame(LayoutAxis axis, const StackOptions& options, const RECT& bounds,
                          const RECT& scaled_inset, const ScrollBars& bars);

// The size to measure each flow child with (zero for the others): the available size less the child's
// padding across the axis, each side lowered to the child's limit (its fixed size when that is at least
// 1, else its maximum), never below 0.
std::vector<CUISize> StackMeasureOffers(const StackFrame& frame, const std::vector<LayoutChild>& children);

// Places the flow children one after the other from the content's start (less a shown main-axis bar's
// position), each with its padding and the gap after it; floating children go where FloatingChildRect
// says. Main size: a measured size raised to the minimum and lowered to the maximum, or for stretchable
// children the share (the last one: the remainder) likewise limited. Cross size: the child's maximum
// (or the available size less padding when the maximum is 0) lowered to its offer and raised to its
// minimum. Cross position by the frame's alignment:
//
//   kStart                kCenter                     kEnd
//   |pad|child|           |   child   |   (padding    |child|pad|
//   ^ content start          centred on the content,  content end ^
//     (less the bar's        grown by the shown bar's   (grown by the range
//      position)             range, less its position)   less the position)
//
// needed: along the main axis the children, their padding and the gaps; across it the widest measured
// child with its padding.
LayoutResult LayoutStack(const StackFrame& frame, const std::vector<LayoutChild>& children);

}  // namespace veneer

#endif  // UI_RUNTIME_STACK_ARITHMETIC_H_
