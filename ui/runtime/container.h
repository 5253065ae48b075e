#ifndef UI_RUNTIME_CONTAINER_H_
#define UI_RUNTIME_CONTAINER_H_

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "ui/core/geometry.h"
#include "ui/core/pointer_array.h"
#include "ui/core/ui_string.h"
#include "ui/runtime/control.h"
#include "ui/runtime/layout_child.h"
#include "ui/runtime/scroll_arithmetic.h"
#include "ui/runtime/scroll_bar.h"

namespace veneer {

// The notification a container sends when it scrolled: wParam the vertical line number, lParam 0.
constexpr wchar_t kNotifyScroll[] = L"scroll";

// The child list of a control that holds children, reached through FindInterface(L"IContainer").
// Implemented by CContainerUI; whoever asks for it borrows it. UI thread only.
class IContainerUI {
 public:
  virtual ~IContainerUI() = default;

  virtual CControlUI* GetItemAt(int index) const = 0;       // Null when out of range.
  virtual int GetItemIndex(CControlUI* control) const = 0;  // -1 when not a child.
  // Moves a child to `new_index` (0 .. count - 1); false, nothing changed, for anything else.
  virtual bool SetItemIndex(CControlUI* control, int new_index) = 0;
  virtual int GetCount() const = 0;
  // Takes ownership of `control` and appends it. Refused (false, nothing changed, still the caller's)
  // for null, for a control that is already in a container, and for this container or one of its
  // ancestors.
  virtual bool Add(CControlUI* control) = 0;
  // The same, inserting at `index` (0 .. count); any other index is refused.
  virtual bool AddAt(CControlUI* control, int index) = 0;
  // Unlinks the child, then destroys it (see SetAutoDestroy and SetDelayedDestroy); false for a control
  // that is not a child.
  virtual bool Remove(CControlUI* control) = 0;
  virtual bool RemoveAt(int index) = 0;
  virtual void RemoveAll() = 0;
};

// The plain container and the base of every layout: a control that owns an ordered list of children,
// places them inside its bounds less its inset (the plain container stretches every child over that
// area), paints them clipped to it, routes searches and mouse input into them and scrolls them with its
// own scroll bars (created on demand, owned). Layouts derive from it and replace Place.
//
// Ownership: Add hands a control over; from then on its parent names this container, even before the
// container has a manager. Removed children are unlinked first and then destroyed: at once, or through
// the paint manager's delayed clean-up (the default, so that a child may remove itself from its own
// event handler), or with SetAutoDestroy(false) handed back detached from parent and manager. The
// destructor destroys every child at once. UI thread only.
//
// The virtual operations continue the control base's slots (91 to 127), in the order declared here.
class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI();
  ~CContainerUI() override;

  // IContainerUI.
  CControlUI* GetItemAt(int index) const override;
  int GetItemIndex(CControlUI* control) const override;
  bool SetItemIndex(CControlUI* control, int new_index) override;
  int GetCount() const override;
  bool Add(CControlUI* control) override;
  bool AddAt(CControlUI* control, int index) override;
  bool Remove(CControlUI* control) override;
  bool RemoveAt(int index) override;
  void RemoveAll() override;

  // The control base's operations that a container extends.
  const wchar_t* GetClassName() const override;  // "ContainerUI".
  // "IContainer" (this as IContainerUI), "Container" (this), then the control base.
  void* FindInterface(const wchar_t* name) override;
  // Attaches every child with this container as parent, then the bars, then the container itself.
  void AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) override;
  CUIRect GetClientBounds() const override;  // The whole scrollable area: ScrollableArea, raw inset.
  // Places the container, then every shown child over the scrollable area (LayoutFill).
  void Place(const RECT& rect, bool invalidate) override;
  // The base's shift, then every shown bar and child by the same amounts.
  void Shift(int dx, int dy, bool invalidate) override;
  void SetVisible(bool visible) override;  // Children follow through SetParentVisible.
  void SetParentVisible(bool visible) override;
  void SetEnabled(bool enabled) override;       // Passed on to every child.
  void SetMouseEnabled(bool enabled) override;  // Passed on to the bars.
  // The base's conditions, then: the container first with kFindSelfFirst; the bars; the children (in
  // order, or last to first with kFindLastToFirst), where a hit-test answer counts only for a floating
  // child or a point inside the content area; the container itself last otherwise. Hit tests ask
  // about the container and its bars only when it is mouse-enabled, about children only when
  // SetMouseChildEnabled.
  CControlUI* FindMatching(FindVisitor visitor, void* context, uint32_t flags) override;
  // Mouse events of a mouse-disabled container go to its parent; focus changes only set the flag; a
  // shown, enabled vertical bar scrolls with Page Up/Down, Home, End, the Up and Down arrows and the
  // wheel; a shown, enabled horizontal bar with the same keys and the wheel, sideways. The rest goes to
  // the control base.
  void HandleEvent(EventRecord& event) override;
  // The container's attributes ("inset", "mousechild", "vscrollbar", "vscrollbarstyle", "hscrollbar",
  // "hscrollbarstyle", "childpadding", "childalign", "childvalign", "scrollstepsize"), then the base's.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The own layers under a clip to the bounds, then the children under a clip to the content area
  // (floating children under the container's clip: they may cover the inset), then the shown bars.
  bool PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control) override;

  // 91-104: inner spacing, alignment and the fate of removed children.
  virtual CUIRect GetInset() const;  // Scaled.
  virtual void SetInset(const RECT& inset);
  virtual int GetChildPadding() const;  // Scaled.
  virtual void SetChildPadding(int padding);
  virtual int GetChildAlign() const;  // 0 left, 1 centre, 2 right (vertical layouts).
  virtual void SetChildAlign(int align);
  virtual int GetChildVAlign() const;  // 0 top, 4 centre, 8 bottom (horizontal layouts).
  virtual void SetChildVAlign(int align);
  virtual bool IsAutoDestroy() const;  // Removed children are destroyed (default).
  virtual void SetAutoDestroy(bool destroy);
  virtual bool IsDelayedDestroy() const;  // ... by the manager's delayed clean-up (default).
  virtual void SetDelayedDestroy(bool delayed);
  virtual bool IsMouseChildEnabled() const;  // Children take part in hit tests (default).
  virtual void SetMouseChildEnabled(bool enabled);

  // 105: the first child at or after `index` (clamped into the list) that answers "ListItem" and is
  // visible and enabled; backwards the last one at or before it, else the first from the start. -1 when
  // none.
  virtual int FindSelectableChild(int index, bool forward) const;

  // 106-122: scrolling. Positions and ranges are (horizontal, vertical), 0 for a bar that is not shown.
  virtual CUISize GetScrollPosition() const;
  virtual CUISize GetScrollRange() const;
  // Moves the shown bars (each kept within its range) and every shown, non-floating child against the
  // move; with `notify` and a vertical bar, sends kNotifyScroll.
  virtual void SetScrollPosition(const SIZE& position, bool notify);
  virtual void SetScrollStepSize(int step);  // Values below 1 are ignored.
  virtual int GetScrollStepSize() const;     // Scaled; 0 = the default line (ScrollStepsOf).
  virtual void LineUp();
  virtual void LineDown();
  virtual void PageUp();
  virtual void PageDown();
  virtual void HomeUp();
  virtual void EndDown();
  virtual void LineLeft();
  virtual void LineRight();
  virtual void PageLeft();
  virtual void PageRight();
  virtual void HomeLeft();
  virtual void EndRight();

  // 123-127: the bars and the placing that every layout shares.
  // Creates the requested bars that do not exist yet (given the skin's default list for "VScrollBar" or
  // "HScrollBar" and the container's stored bar style) and destroys the others.
  virtual void EnableScrollBars(bool vertical, bool horizontal);
  virtual CScrollBarUI* GetVerticalScrollBar() const;
  virtual CScrollBarUI* GetHorizontalScrollBar() const;
  // Places a shown floating child where FloatingChildRect says, without invalidation.
  virtual void PlaceFloatingChild(int index);
  // After a layout pass whose children need `needed_width` x `needed_height` in `content`: shows, hides
  // and sizes the bars (horizontal first, then vertical, see UpdateScrollBar). When a bar's change
  // changes the children's room, the container is placed again at its bounds and the update stops there.
  virtual void UpdateScrollBars(const RECT& content, int needed_width, int needed_height);

 protected:
  // What the layout arithmetic needs to know of the bars.
  ScrollBars GetScrollBarStates() const;
  // The raw (unscaled) values the layouts use where the scaled getters do not apply.
  const CUIRect& GetRawInset() const { return inset_; }
  int GetRawChildPadding() const { return child_padding_; }

  // A layout pass over the children: one LayoutChild per child from its scaled getters.
  std::vector<LayoutChild> DescribeChildren() const;
  // Measures each flow child once with its offer and stores the answer as its `desired` size.
  void MeasureFlowChildren(const std::vector<CUISize>& offers, std::vector<LayoutChild>* children);
  // Places every child the pass placed; flow children with `invalidate_flow`, floating ones never. Stops
  // when a child's placing changed the list (the change has marked the layout dirty again).
  void PlaceChildren(const LayoutResult& result, const std::vector<LayoutChild>& children,
                     bool invalidate_flow);

 private:
  static LayoutChild DescribeChild(const CControlUI* child);
  // Adds after the checks of Add; no index is valid for a refused control.
  bool InsertChild(CControlUI* control, int index);
  bool CanTake(const CControlUI* control) const;
  // Destroys an unlinked child, hands it to the delayed clean-up, or detaches it (without auto-destroy).
  void DisposeRemoved(CControlUI* child);
  void PassParentVisibility();
  std::unique_ptr<CScrollBarUI> CreateScrollBar(bool horizontal);
  // Applies one bar's update; true when the container was placed again (the pass's sizes are stale).
  bool ApplyScrollBarUpdate(LayoutAxis axis, CScrollBarUI* bar, const RECT& content, int needed);
  void ApplyBarStyle(bool horizontal, const wchar_t* style);
  // One line, page, home or end command along `axis`.
  void ScrollBy(LayoutAxis axis, ScrollCommand command);
  std::optional<int> DefaultFontHeight() const;
  // The area children are hit-tested (raw inset) or painted (scaled inset) in.
  CUIRect HitTestArea() const;
  // Children, floating or not, painted inside the content area and the bounds.
  bool PaintChildren(HDC dc, const RECT& paint_area, CControlUI* stop_control);
  bool PaintScrollBars(HDC dc, const RECT& paint_area, CControlUI* stop_control);

  CPointerArray items_;  // CControlUI*, owned.
  // Counts changes of the list, so that a pass notices children added or removed while it places.
  uint32_t list_changes_ = 0;
  CUIRect inset_;
  int child_padding_ = 0;
  int child_align_ = 0;
  int child_valign_ = 0;
  bool auto_destroy_ = true;
  bool delayed_destroy_ = true;
  bool mouse_child_enabled_ = true;
  int scroll_step_size_ = 0;
  std::unique_ptr<CScrollBarUI> vertical_bar_;
  std::unique_ptr<CScrollBarUI> horizontal_bar_;
  CUIString vertical_bar_style_;
  CUIString horizontal_bar_style_;
  // UpdateScrollBars placing the container again inside itself: bounded, so that children whose
  // measured size swings with the room they get cannot show and hide a bar without end.
  int place_again_depth_ = 0;
};

}  // namespace veneer

#endif  // UI_RUNTIME_CONTAINER_H_
