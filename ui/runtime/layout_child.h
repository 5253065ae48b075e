#ifndef UI_RUNTIME_LAYOUT_CHILD_H_
#define UI_RUNTIME_LAYOUT_CHILD_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/core/geometry.h"
#include "ui/runtime/float_placement.h"

namespace veneer {

// The values that the layout arithmetic (container_arithmetic.h, stack_arithmetic.h, tile_arithmetic.h)
// reads and returns. Plain values: they know no control and no window, so that tests can lay out
// children without either. A container fills one LayoutChild per child, asks the layout for the size to
// offer each child, measures every child once with that offer, hands the measurements back and places
// each child at the rectangle it gets. For a vertical layout:
//
//   StackFrame frame = MakeStackFrame(LayoutAxis::kVertical, options, bounds, scaled_inset, bars);
//   std::vector<CUISize> offers = StackMeasureOffers(frame, children);
//   for each flow child i: children[i].desired = item(i)->MeasureDesiredSize(offers[i]);
//   LayoutResult result = LayoutStack(frame, children);
//   for each placed child i: item(i)->Place(result.children[i].rect, false);
//   UpdateScrollBars(result.content, result.needed.cx, result.needed.cy);
//
// Arithmetic rule of the whole family: sums and differences are taken in 64 bits and every coordinate
// and size that comes out is clamped into the 32-bit range, so hostile skins (sizes of 2^31 - 1,
// thousands of children) give defined, clamped rectangles instead of wrapped ones.

// The two directions a layout can run in or scroll along.
enum class LayoutAxis { kVertical, kHorizontal };

// How a layout pass treats one child.
enum class LayoutRole {
  kHidden,    // Not visible: neither measured nor placed.
  kFlow,      // Measured and placed by the layout's own rule.
  kFloating,  // Placed by its FloatAnchor relative to the container's bounds, outside the flow.
};

// Where a floating child goes. `align` holds the control's kFloatAlign* bits; with none set, the
// fractions of the container's width (left, right) and height (top, bottom) move the edges instead, see
// FloatingChildRect.
struct FloatAnchor {
  CUISize offset;  // Fixed offset from the container's top-left corner (scaled).
  uint32_t align = 0;
  FloatFractions fractions;
};

// One child as a layout pass sees it; every size is scaled, as the control's getters return it.
struct LayoutChild {
  LayoutRole role = LayoutRole::kFlow;
  // The child's answer to MeasureDesiredSize for the offer its layout computed; taken once per pass.
  CUISize desired;
  CUISize fixed;  // Fixed width and height; 0 = none (a floating child's size).
  CUISize min_size;
  CUISize max_size{9999, 9999};
  CUIRect padding;  // Outer spacing the layout keeps around the child (left, top, right, bottom).
  FloatAnchor anchor;
};

// Where one child goes: `placed` is false for children the pass leaves where they are (hidden ones,
// the tab layout's unselected ones).
struct PlacedChild {
  bool placed = false;
  CUIRect rect;
};

// The outcome of one layout pass: one entry per child, in the children's order, and what the container
// hands to its scroll bar update (the content rectangle and the size the children need).
struct LayoutResult {
  std::vector<PlacedChild> children;
  CUIRect content;
  CUISize needed;
};

// The 64-bit value clamped into LONG's range.
LONG ClampToLong(int64_t value);

// A child's size along one axis: raised to `min_size`, then lowered to `max_size` (so the maximum wins
// when they cross), and never below 0.
int64_t ClampToLimits(int64_t size, int64_t min_size, int64_t max_size);

// A rectangle from 64-bit edges, each clamped into LONG's range.
CUIRect RectFromEdges(int64_t left, int64_t top, int64_t right, int64_t bottom);

// Width and height without 32-bit overflow (a rectangle may span the whole LONG range).
inline int64_t WidthOf(const RECT& rect) { return int64_t{rect.right} - rect.left; }
inline int64_t HeightOf(const RECT& rect) { return int64_t{rect.bottom} - rect.top; }

}  // namespace veneer

#endif  // UI_RUNTIME_LAYOUT_CHILD_H_
