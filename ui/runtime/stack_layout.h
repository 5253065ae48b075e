#ifndef UI_RUNTIME_STACK_LAYOUT_H_
#define UI_RUNTIME_STACK_LAYOUT_H_

#include <windows.h>

#include "ui/core/geometry.h"
#include "ui/runtime/container.h"
#include "ui/runtime/layout_child.h"
#include "ui/runtime/separator_drag.h"

namespace veneer {

// The vertical and horizontal layouts: containers that stack their children along one axis (top to
// bottom, or left to right) and align them across it, sharing what the fixed-size children leave among
// the stretchable ones (stack_arithmetic.h). Either may offer a separator: a band along one edge that
// the user drags to resize the layout (separator_drag.h), shown as a translucent line while dragged
// unless the drag resizes live ("sepimm"). A drag ends with the button, or when the layout is hidden,
// destroyed or sees the mouse move without the left button (it lost the capture); the layout then
// leaves the manager's paint-after-children list. Owned like any control; UI thread only.
class CStackLayoutUI : public CContainerUI {
 public:
  ~CStackLayoutUI() override;

  const wchar_t* GetClassName() const override;  // "VerticalLayoutUI" or "HorizontalLayoutUI".
  // "VerticalLayout" or "HorizontalLayout", then the container.
  void* FindInterface(const wchar_t* name) override;
  // kBehaviourCursorRequests while enabled with a separator.
  uint32_t GetBehaviourFlags() const override;
  // Describes, measures once and places the children along the axis, then fits the scroll bars.
  void Place(const RECT& rect, bool invalidate) override;
  void SetVisible(bool visible) override;  // Hiding ends a drag.
  void SetParentVisible(bool visible) override;
  // The separator's cursor, drag start, moves and end; everything else goes to the container.
  void HandleEvent(EventRecord& event) override;
  // "sepheight" (vertical) or "sepwidth" (horizontal) and "sepimm", then the container's attributes.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // During a drag that is not live: the band at its new place, translucent black.
  void PaintAfterChildren(HDC dc, const RECT& paint_area) override;

  // The separator's thickness along the axis: positive at the bottom or right edge, negative at the top
  // or left, 0 for none.
  int GetSeparator() const { return separator_; }
  void SetSeparator(int separator) { separator_ = separator; }
  bool IsSeparatorLive() const { return separator_live_; }  // Dragging resizes at once.
  void SetSeparatorLive(bool live) { separator_live_ = live; }
  bool IsDraggingSeparator() const { return drag_.active; }

 protected:
  explicit CStackLayoutUI(LayoutAxis axis);

 private:
  // Handles the event when it belongs to the separator; false to let the container have it.
  bool HandleSeparatorEvent(const EventRecord& event);
  CUIRect Band(const RECT& rect) const { return SeparatorBand(axis_, rect, separator_); }
  bool InBand(const POINT& point) const {
    const CUIRect band = Band(GetBounds());
    return PtInRect(&band, point) != FALSE;
  }
  int AlongAxis(const POINT& point) const { return axis_ == LayoutAxis::kVertical ? point.y : point.x; }
  void StartDrag(const POINT& point);
  void DragTo(const POINT& point);
  // Applies the dragged rectangle and tells the parent to lay out again.
  void EndDrag();
  // Stops dragging without applying (hidden, destroyed).
  void CancelDrag();

  const LayoutAxis axis_;
  int separator_ = 0;
  bool separator_live_ = false;
  struct {
    bool active = false;
    int last = 0;  // The pointer's last coordinate along the axis.
    CUIRect rect;  // The layout's rectangle as the drag has it.
  } drag_;
};

class CVerticalLayoutUI : public CStackLayoutUI {
 public:
  CVerticalLayoutUI() : CStackLayoutUI(LayoutAxis::kVertical) {}
};

class CHorizontalLayoutUI : public CStackLayoutUI {
 public:
  CHorizontalLayoutUI() : CStackLayoutUI(LayoutAxis::kHorizontal) {}
};

}  // namespace veneer

#endif  // UI_RUNTIME_STACK_LAYOUT_H_
