#ifndef UI_RUNTIME_CONTROL_H_
#define UI_RUNTIME_CONTROL_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"
#include "ui/runtime/control_event.h"
#include "ui/runtime/event_source.h"
#include "ui/runtime/float_placement.h"
#include "ui/runtime/notify_record.h"
#include "ui/runtime/owned_value_map.h"

namespace veneer {

class CPaintManagerUI;

// FindMatching flags. The control base tests the first three; containers add the others.
constexpr uint32_t kFindVisible = 0x1;           // Only visible controls.
constexpr uint32_t kFindEnabled = 0x2;           // Only enabled controls.
constexpr uint32_t kFindHitTest = 0x4;           // The context is a POINT: mouse-enabled controls holding it.
constexpr uint32_t kFindUpdateTest = 0x8;        // Containers the visitor accepts are not entered.
constexpr uint32_t kFindLastToFirst = 0x10;      // Children from the last to the first.
constexpr uint32_t kFindSelfFirst = 0x80000000;  // A container before its children.

// GetBehaviourFlags bits.
constexpr uint32_t kBehaviourTabStop = 0x1;         // Takes part in Tab navigation.
constexpr uint32_t kBehaviourCursorRequests = 0x2;  // Wants CursorRequest events.

// The root class of every element of a skinned window: a rectangle in the window's client area with its
// look (background colours and gradient, images, foreground colour, border), its sizing wishes (fixed,
// minimum and maximum size, padding, floating placement), state flags, a text and a tool tip, five
// listener lists and the handling of input events. Containers and every leaf control derive from it.
//
// It does not own a native window, lay itself out or paint on its own: the paint manager of its window
// (not owned) routes events to it and paints it, its parent (not owned) places it. Setters never paint:
// they mark an area for repainting or the layout as dirty. Whoever creates a control owns it until it
// is added to a container; the container then owns it. A destroyed control tells its manager to forget
// it. UI thread only.
//
// The virtual operations are declared in a fixed order (slots 0 to 90); derived classes append theirs
// after PaintAfterChildren.
class CControlUI {
 public:
  // Visits one control during FindMatching; a non-null result ends the search with that control.
  using FindVisitor = CControlUI* (*)(CControlUI* control, void* context);

  CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // 0: fires the destroy listeners, then asks the manager (when attached) to forget this control.
  virtual ~CControlUI();

  // 1-9: identity and place in the tree.
  virtual CUIString GetName() const;
  virtual void SetName(const wchar_t* name);
  virtual const wchar_t* GetClassName() const;  // "ControlUI"; each class answers its own.
  // This control (as the interface asked for) for "Control", letter case ignored; null otherwise.
  // Derived classes answer their own names and pass the rest on.
  virtual void* FindInterface(const wchar_t* name);
  virtual uint32_t GetBehaviourFlags() const;  // kBehaviour* bits; 0 here.
  virtual bool TryActivate();                  // Visible and enabled.
  virtual CPaintManagerUI* GetPaintManager() const;
  // Binds the control to a manager and a parent (either may be null). Detaching from a manager first
  // makes that manager forget the control. With `initialise` and a parent, runs Initialize.
  virtual void AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise);
  virtual CControlUI* GetParentControl() const;

  // 10-17: text and drag and drop.
  virtual CUIString GetText() const;  // The text, or with IsTextKey the text table's text for it.
  // Stores the text with every "{\n}" (brace, backslash, n, brace) turned into a line feed; an
  // unchanged text returns at once.
  virtual void SetText(const wchar_t* text);
  virtual bool IsTextKey() const;
  virtual void SetTextIsKey(bool is_key);
  virtual bool IsDragSource() const;
  virtual void SetDragSource(bool enabled);
  virtual bool IsDropTarget() const;
  virtual void SetDropTarget(bool enabled);

  // 18-26: position, in window client coordinates.
  virtual CUIRect GetRelativeBounds() const;  // Relative to the parent's top-left; empty without parent.
  virtual CUIRect GetClientBounds() const;    // The bounds here; containers take off inset and bars.
  virtual const CUIRect& GetBounds() const;
  // Sets the bounds (right and bottom edges pulled back to left and top when inverted). Attached: fires
  // the size listeners, clears the layout-dirty flag and, with `invalidate`, has the union of the old and
  // new bounds repainted as far as every parent shows it.
  virtual void Place(const RECT& rect, bool invalidate);
  // Moves the fixed offset by (dx, dy) and marks the parent's layout dirty.
  virtual void Shift(int dx, int dy, bool invalidate);
  virtual int GetWidth() const;
  virtual int GetHeight() const;
  virtual int GetLeft() const;
  virtual int GetTop() const;

  // 27-46: sizing wishes. Getters are scaled by the manager's display scale (unscaled when detached);
  // setters store unscaled values and mark the parent's layout dirty.
  virtual CUIRect GetPadding() const;  // Left, top, right and bottom spacing.
  virtual void SetPadding(const RECT& padding);
  virtual CUISize GetFixedOffset() const;  // A floating control's offset from its parent's top-left.
  virtual void SetFixedOffset(int x, int y);
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int width);  // Negative widths are ignored; 0 lets the layout stretch.
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int height);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int width);  // The limit setters ignore negative and unchanged values.
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int width);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int height);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int height);
  virtual FloatFractions GetFloatFractions() const;
  virtual void SetFloatFractions(const FloatFractions& fractions);
  virtual void SetFloatAlign(uint32_t align);  // kFloatAlign* bits.
  virtual uint32_t GetFloatAlign() const;

  // 47-60: tool tip, cursor, shortcut, context menu and application data.
  virtual CUIString GetToolTip() const;  // The tool tip, or with IsTextKey the text table's text for it.
  virtual void SetToolTip(const wchar_t* tool_tip);  // Every "<n>" becomes CR LF.
  virtual void SetToolTipWidth(int width);
  virtual int GetToolTipWidth() const;  // Scaled.
  virtual WORD GetCursorId() const;     // A system cursor id (IDC_*); 0 means the arrow.
  virtual void SetCursorId(WORD cursor_id);
  virtual wchar_t GetShortcutKey() const;
  virtual void SetShortcutKey(wchar_t key);
  virtual bool IsContextMenuEnabled() const;
  virtual void SetContextMenuEnabled(bool enabled);
  virtual CUIString GetUserData() const;
  virtual void SetUserData(const wchar_t* data);
  virtual UINT_PTR GetTag() const;
  virtual void SetTag(UINT_PTR tag);

  // 61-73: state.
  virtual bool IsVisible() const;  // Visible itself and not under a hidden ancestor.
  // Stores the visibility and clears the focused flag; hiding the manager's focus clears that focus; a
  // change of IsVisible marks the parent's layout dirty.
  virtual void SetVisible(bool visible);
  // Set by containers while an ancestor is hidden; clearing it removes the manager's focus from here.
  virtual void SetParentVisible(bool visible);
  virtual bool IsEnabled() const;
  virtual void SetEnabled(bool enabled);
  virtual bool IsMouseEnabled() const;
  virtual void SetMouseEnabled(bool enabled);
  virtual bool IsKeyboardEnabled() const;
  virtual void SetKeyboardEnabled(bool enabled);
  virtual bool IsFocused() const;
  virtual void TakeFocus();  // Asks the manager to move its focus here.
  virtual bool IsFloat() const;
  virtual void SetFloat(bool floating);

  // 74: the first non-null visitor answer in the subtree, under the kFind* flags. Here: null when a
  // requested condition fails (hidden, disabled, or for a hit test not mouse-enabled or the point
  // outside the bounds), else the visitor's answer for this control.
  virtual CControlUI* FindMatching(FindVisitor visitor, void* context, uint32_t flags);

  // 75-79: life cycle, events and attributes.
  virtual void Initialize();      // InitializeSelf, then the init listeners.
  virtual void InitializeSelf();  // Nothing here.
  // Fires the event listeners; only when all of them accept, HandleEvent. The control may be destroyed
  // by a listener or the handler: callers must not use it afterwards unless they know it lives.
  virtual void DispatchEvent(EventRecord& event);
  // Cursor requests, focus changes, timers and (with the context menu enabled) context menus are handled
  // here; any other event goes to the parent's HandleEvent.
  virtual void HandleEvent(EventRecord& event);
  // One skin attribute; names ignore letter case. A value naming a registered style applies that
  // style instead. Unknown names are kept as custom attributes.
  virtual void ApplyAttribute(const wchar_t* name, const wchar_t* value);

  // 80-90: measuring and painting.
  virtual CUISize MeasureDesiredSize(SIZE available);  // The scaled fixed size here.
  // False (stop the paint pass) when this control is `stop_control`. Otherwise paints the part of the
  // bounds inside `paint_area`, if any, with PaintLayers and returns its answer.
  virtual bool PaintInto(HDC dc, const RECT& paint_area, CControlUI* stop_control);
  // The seven layers, clipped to the rounded bounds when the control has round corners.
  virtual bool PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control);
  virtual void DrawBackColour(HDC dc);
  virtual void DrawBackImage(HDC dc);
  virtual void DrawStateImage(HDC dc);
  virtual void DrawForeColour(HDC dc);
  virtual void DrawForeImage(HDC dc);
  virtual void DrawTextContent(HDC dc);
  virtual void DrawBorder(HDC dc);
  // Called by the manager after the whole tree is painted, for controls registered with it.
  virtual void PaintAfterChildren(HDC dc, const RECT& paint_area);

  // Listener lists. Init: after InitializeSelf, with the control. Destroy: at the start of destruction,
  // with the control. Size: when Place runs on an attached control, with the control. Event: before
  // each event, with the EventRecord; a false answer suppresses HandleEvent. Notify: for each
  // notification about this control, with the NotifyRecord.
  EventSource& InitListeners() { return init_listeners_; }
  EventSource& DestroyListeners() { return destroy_listeners_; }
  EventSource& SizeListeners() { return size_listeners_; }
  EventSource& EventListeners() { return event_listeners_; }
  EventSource& NotifyListeners() { return notify_listeners_; }

  // Repaints the bounds, clipped by every ancestor's bounds; nothing while hidden or detached.
  void RequestRepaint();
  bool IsLayoutDirty() const { return layout_dirty_; }
  // The control's own visibility, whatever its ancestors' (IsVisible combines both).
  bool IsSelfVisible() const { return visible_; }
  // When visible: flags the own layout, requests a repaint and tells the manager a layout is due.
  void MarkLayoutDirty();
  // Marks the parent's layout dirty (the own one without parent) and tells the manager.
  void MarkParentLayoutDirty();

  // The nearest virtual window name on the way up the tree; empty when none.
  CUIString GetVirtualWindowName() const;
  void SetVirtualWindowName(const wchar_t* name);

  // The colour through the process-wide hue/saturation/lightness adjustment when IsHslAdjusted.
  uint32_t AdjustColour(uint32_t colour) const;
  // Draws an image draw string (with an optional modifier) into the bounds, restricted to the paint
  // rectangle of the current pass. False when nothing could be drawn (no manager, no image).
  bool DrawImageText(HDC dc, const wchar_t* draw_string, const wchar_t* modifier = nullptr);

  // Applies an attribute list: a registered style's list when the whole text names one, else the pairs
  // of the list (see CAttributeListReader) after turning "&quot;" into double quotes.
  void ApplyAttributeText(const wchar_t* list);
  // Keeps an unknown attribute; empty names and values are ignored and the first value of a name stays.
  void StoreCustomAttribute(const wchar_t* name, const wchar_t* value);
  // The custom attribute of that exact name, or null.
  const wchar_t* GetCustomAttribute(const wchar_t* name);

  // Look. Colours are 0xAARRGGBB, 0 meaning none. The colour, image and gradient setters and
  // SetBorderSize and SetHslAdjusted return at once for an unchanged value; the others always repaint.
  uint32_t GetBackColour() const { return back_colour_; }
  void SetBackColour(uint32_t colour);
  uint32_t GetBackColour2() const { return back_colour2_; }
  void SetBackColour2(uint32_t colour);
  uint32_t GetBackColour3() const { return back_colour3_; }
  void SetBackColour3(uint32_t colour);
  uint32_t GetForeColour() const { return fore_colour_; }
  void SetForeColour(uint32_t colour);
  uint32_t GetBorderColour() const { return border_colour_; }
  void SetBorderColour(uint32_t colour);
  uint32_t GetFocusBorderColour() const { return focus_border_colour_; }
  void SetFocusBorderColour(uint32_t colour);
  bool IsHslAdjusted() const { return hsl_adjusted_; }
  void SetHslAdjusted(bool adjusted);
  const CUIString& GetGradient() const { return gradient_; }
  void SetGradient(const wchar_t* gradient);  // "hor": left to right; anything else top to bottom.
  const CUIString& GetBackImage() const { return back_image_; }
  // Also drops the window's cached image of that name (even for an unchanged value), so that a file
  // rewritten under the same name is loaded afresh.
  void SetBackImage(const wchar_t* image);
  const CUIString& GetForeImage() const { return fore_image_; }
  void SetForeImage(const wchar_t* image);
  int GetBorderSize() const;  // Scaled.
  void SetBorderSize(int size);
  int GetBorderStyle() const { return border_style_; }
  void SetBorderStyle(int pen_style);
  CUISize GetBorderRound() const;  // Scaled corner ellipse size.
  void SetBorderRound(int cx, int cy);
  CUIRect GetBorderSides() const;  // Scaled per-side widths.
  void SetBorderSides(const RECT& sides);
  void SetLeftBorder(int width);
  void SetTopBorder(int width);
  void SetRightBorder(int width);
  void SetBottomBorder(int width);

 protected:
  // The bounds' part being painted in the current pass (set by PaintInto).
  const CUIRect& GetPaintRect() const { return paint_rect_; }
  // The control base's Place. False when a size listener destroyed the control: the caller must then
  // return without touching it (derived classes place their children only after a true answer).
  bool PlaceBounds(const RECT& rect, bool invalidate);
  // The focused flag alone, without repainting (for classes whose look does not show the focus).
  void SetFocusedFlag(bool focused) { focused_ = focused; }
  // A value scaled by the manager's display scale; unchanged when detached.
  int Scaled(int value) const;
  // A mouse event that reaches a control which is not mouse-enabled goes to its parent (or, at the top,
  // to the control base's handling) instead: true when the event was passed on that way, false when the
  // caller handles it.
  bool PassOnMouseEventWhenNotMouseEnabled(EventRecord& event);
  // Sends a notification about this control through its manager; nothing when detached.
  void Notify(const wchar_t* type, WPARAM wparam = 0, LPARAM lparam = 0);

 private:
  // The style's list applied in place of a value that names one; false when `value` names no style.
  bool ApplyStyleNamed(const wchar_t* value);
  // The pairs of an attribute list, after "&quot;" has become a double quote.
  void ApplyAttributePairs(const wchar_t* list);
  // Invalidates `area` clipped by every ancestor's bounds; nothing when an ancestor is hidden or the
  // clipped area is empty.
  void InvalidateClippedByParents(CUIRect area);
  // Stores a sizing value and marks the parent's layout dirty.
  void SetSizingValue(int* field, int value);
  // The same for a size limit, ignoring negative and unchanged values.
  void SetLimit(int* field, int value);
  // Stores a value that shows and requests a repaint; an unchanged value returns at once.
  template <typename T>
  void RepaintIfChanged(T* field, T value) {
    if (*field == value) return;
    *field = value;
    RequestRepaint();
  }
  void RepaintIfChanged(CUIString* field, const wchar_t* value);
  // Clears the manager's focus when this control holds it (which sends focus events).
  void ReleaseManagerFocus();
  void SetBorderSide(LONG* side, int width);

  EventSource init_listeners_;
  EventSource destroy_listeners_;
  EventSource size_listeners_;
  EventSource event_listeners_;
  EventSource notify_listeners_;

  CPaintManagerUI* manager_ = nullptr;  // Not owned.
  CControlUI* parent_ = nullptr;        // Not owned.
  CUIString virtual_window_name_;
  CUIString name_;
  bool layout_dirty_ = true;
  bool context_menu_enabled_ = false;
  CUIRect bounds_;
  CUIRect padding_;
  CUISize fixed_offset_;
  int fixed_width_ = 0;
  int fixed_height_ = 0;
  int min_width_ = 0;
  int min_height_ = 0;
  int max_width_ = 9999;
  int max_height_ = 9999;
  bool visible_ = true;
  bool parent_visible_ = true;
  bool enabled_ = true;
  bool mouse_enabled_ = true;
  bool keyboard_enabled_ = true;
  bool focused_ = false;
  bool floating_ = false;
  FloatFractions float_fractions_;
  uint32_t float_align_ = 0;
  bool in_size_callback_ = false;
  bool drag_source_ = false;
  bool drop_target_ = false;
  bool text_is_key_ = false;
  CUIString text_;
  CUIString tool_tip_;
  wchar_t shortcut_ = 0;
  CUIString user_data_;
  UINT_PTR tag_ = 0;
  CUIString gradient_;
  uint32_t back_colour_ = 0;
  uint32_t back_colour2_ = 0;
  uint32_t back_colour3_ = 0;
  uint32_t fore_colour_ = 0;
  CUIString back_image_;
  CUIString fore_image_;
  uint32_t border_colour_ = 0;
  uint32_t focus_border_colour_ = 0;
  bool hsl_adjusted_ = false;
  int border_size_ = 0;
  int border_style_ = 0;
  int tool_tip_width_ = 300;
  WORD cursor_id_ = 0;
  CUISize border_round_;
  CUIRect paint_rect_;
  CUIRect border_sides_;
  COwnedValueMap<CUIString> custom_attributes_;
  // Styles being applied inside one another, and how many the outermost application has applied:
  // limits against styles that name themselves or fan out.
  struct {
    int depth = 0;
    int expansions = 0;
  } style_nesting_;
};

}  // namespace veneer

#endif  // UI_RUNTIME_CONTROL_H_
