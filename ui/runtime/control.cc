#include "ui/runtime/control.h"

#include <cstdint>

#include "ui/core/clamp_to_int.h"
#include "ui/runtime/control_text_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  destroy_listeners_.Fire(this);
  if (manager_) manager_->ForgetControl(this);
}

// Identity and place in the tree ---------------------------------------------------------------------

CUIString CControlUI::GetName() const { return name_; }

void CControlUI::SetName(const wchar_t* name) { name_ = name; }

const wchar_t* CControlUI::GetClassName() const { return L"ControlUI"; }

void* CControlUI::FindInterface(const wchar_t* name) {
  return CUIString(name).CompareNoCase(L"Control") == 0 ? this : nullptr;
}

uint32_t CControlUI::GetBehaviourFlags() const { return 0; }

bool CControlUI::TryActivate() { return IsVisible() && IsEnabled(); }

CPaintManagerUI* CControlUI::GetPaintManager() const { return manager_; }

void CControlUI::AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) {
  // A manager that loses the control would otherwise keep pointers that the destructor no longer
  // clears.
  if (manager_ && manager_ != manager) manager_->ForgetControl(this);
  manager_ = manager;
  parent_ = parent;
  if (initialise && parent_) Initialize();
}

CControlUI* CControlUI::GetParentControl() const { return parent_; }

// Text -----------------------------------------------------------------------------------------------

CUIString CControlUI::GetText() const { return text_is_key_ ? CControlTextTable::Resolve(text_) : text_; }

void CControlUI::SetText(const wchar_t* text) {
  CUIString stored(text);
  stored.Replace(L"{\\n}", L"\n");
  if (stored.Compare(text_) == 0) return;
  text_ = stored;
  RequestRepaint();
}

bool CControlUI::IsTextKey() const { return text_is_key_; }

void CControlUI::SetTextIsKey(bool is_key) { RepaintIfChanged(&text_is_key_, is_key); }

bool CControlUI::IsDragSource() const { return drag_source_; }

void CControlUI::SetDragSource(bool enabled) { drag_source_ = enabled; }

bool CControlUI::IsDropTarget() const { return drop_target_; }

void CControlUI::SetDropTarget(bool enabled) { drop_target_ = enabled; }

// Position -------------------------------------------------------------------------------------------

CUIRect CControlUI::GetRelativeBounds() const {
  if (!parent_) return CUIRect();
  const CUIRect& origin = parent_->GetBounds();
  return CUIRect(ClampToInt(static_cast<int64_t>(bounds_.left) - origin.left),
                 ClampToInt(static_cast<int64_t>(bounds_.top) - origin.top),
                 ClampToInt(static_cast<int64_t>(bounds_.right) - origin.left),
                 ClampToInt(static_cast<int64_t>(bounds_.bottom) - origin.top));
}

CUIRect CControlUI::GetClientBounds() const { return bounds_; }

const CUIRect& CControlUI::GetBounds() const { return bounds_; }

void CControlUI::Place(const RECT& rect, bool invalidate) { PlaceBounds(rect, invalidate); }

bool CControlUI::PlaceBounds(const RECT& rect, bool invalidate) {
  CUIRect placed(rect);
  if (placed.right < placed.left) placed.right = placed.left;
  if (placed.bottom < placed.top) placed.bottom = placed.top;
  CUIRect repaint = bounds_.IsEmpty() ? placed : bounds_;
  bounds_ = placed;
  if (!manager_) return true;
  if (!in_size_callback_) {
    in_size_callback_ = true;
    bool destroyed = false;
    size_listeners_.Fire(this, &destroyed);
    if (destroyed) return false;
    in_size_callback_ = false;
  }
  layout_dirty_ = false;
  if (invalidate && IsVisible()) {
    repaint.Join(bounds_);
    InvalidateClippedByParents(repaint);
  }
  return true;
}

void CControlUI::Shift(int dx, int dy, bool /*invalidate*/) {
  fixed_offset_.cx = ClampToInt(static_cast<int64_t>(fixed_offset_.cx) + dx);
  fixed_offset_.cy = ClampToInt(static_cast<int64_t>(fixed_offset_.cy) + dy);
  MarkParentLayoutDirty();
}

int CControlUI::GetWidth() const { return ClampToInt(static_cast<int64_t>(bounds_.right) - bounds_.left); }

int CControlUI::GetHeight() const { return ClampToInt(static_cast<int64_t>(bounds_.bottom) - bounds_.top); }

int CControlUI::GetLeft() const { return bounds_.left; }

int CControlUI::GetTop() const { return bounds_.top; }

// Sizing wishes --------------------------------------------------------------------------------------

bool CControlUI::PassOnMouseEventWhenNotMouseEnabled(EventRecord& event) {
  if (IsMouseEnabled() || !IsMouseEvent(event.kind)) return false;
  if (parent_) {
    parent_->HandleEvent(event);
  } else {
    CControlUI::HandleEvent(event);
  }
  return true;
}

int CControlUI::Scaled(int value) const { return manager_ ? manager_->ScaleForDpi(value) : value; }

void CControlUI::SetSizingValue(int* field, int value) {
  *field = value;
  MarkParentLayoutDirty();
}

void CControlUI::SetLimit(int* field, int value) {
  if (value < 0 || value == *field) return;
  SetSizingValue(field, value);
}

CUIRect CControlUI::GetPadding() const {
  return manager_ ? manager_->GetDisplayScale()->ScaleEdges(padding_) : padding_;
}

void CControlUI::SetPadding(const RECT& padding) {
  padding_ = padding;
  MarkParentLayoutDirty();
}

CUISize CControlUI::GetFixedOffset() const {
  return manager_ ? manager_->GetDisplayScale()->ScaleSize(fixed_offset_) : fixed_offset_;
}

void CControlUI::SetFixedOffset(int x, int y) {
  fixed_offset_ = CUISize(x, y);
  MarkParentLayoutDirty();
}

int CControlUI::GetFixedWidth() const { return Scaled(fixed_width_); }

void CControlUI::SetFixedWidth(int width) {
  if (width >= 0) SetSizingValue(&fixed_width_, width);
}

int CControlUI::GetFixedHeight() const { return Scaled(fixed_height_); }

void CControlUI::SetFixedHeight(int height) {
  if (height >= 0) SetSizingValue(&fixed_height_, height);
}

int CControlUI::GetMinWidth() const { return Scaled(min_width_); }

void CControlUI::SetMinWidth(int width) { SetLimit(&min_width_, width); }

int CControlUI::GetMaxWidth() const { return Scaled(max_width_); }

void CControlUI::SetMaxWidth(int width) { SetLimit(&max_width_, width); }

int CControlUI::GetMinHeight() const { return Scaled(min_height_); }

void CControlUI::SetMinHeight(int height) { SetLimit(&min_height_, height); }

int CControlUI::GetMaxHeight() const { return Scaled(max_height_); }

void CControlUI::SetMaxHeight(int height) { SetLimit(&max_height_, height); }

FloatFractions CControlUI::GetFloatFractions() const { return float_fractions_; }

void CControlUI::SetFloatFractions(const FloatFractions& fractions) {
  float_fractions_ = fractions;
  MarkParentLayoutDirty();
}

void CControlUI::SetFloatAlign(uint32_t align) {
  float_align_ = align;
  MarkParentLayoutDirty();
}

uint32_t CControlUI::GetFloatAlign() const { return float_align_; }

// Tool tip, cursor, shortcut, context menu, application data -----------------------------------------

CUIString CControlUI::GetToolTip() const {
  return text_is_key_ ? CControlTextTable::Resolve(tool_tip_) : tool_tip_;
}

void CControlUI::SetToolTip(const wchar_t* tool_tip) {
  tool_tip_ = tool_tip;
  tool_tip_.Replace(L"<n>", L"\r\n");
}

void CControlUI::SetToolTipWidth(int width) { tool_tip_width_ = width; }

int CControlUI::GetToolTipWidth() const { return Scaled(tool_tip_width_); }

WORD CControlUI::GetCursorId() const { return cursor_id_; }

void CControlUI::SetCursorId(WORD cursor_id) {
  cursor_id_ = cursor_id;
  RequestRepaint();
}

wchar_t CControlUI::GetShortcutKey() const { return shortcut_; }

void CControlUI::SetShortcutKey(wchar_t key) { shortcut_ = key; }

bool CControlUI::IsContextMenuEnabled() const { return context_menu_enabled_; }

void CControlUI::SetContextMenuEnabled(bool enabled) { context_menu_enabled_ = enabled; }

CUIString CControlUI::GetUserData() const { return user_data_; }

void CControlUI::SetUserData(const wchar_t* data) { user_data_ = data; }

UINT_PTR CControlUI::GetTag() const { return tag_; }

void CControlUI::SetTag(UINT_PTR tag) { tag_ = tag; }

// State ----------------------------------------------------------------------------------------------

bool CControlUI::IsVisible() const { return visible_ && parent_visible_; }

void CControlUI::SetVisible(bool visible) {
  if (visible_ == visible) return;
  const bool was_visible = IsVisible();
  visible_ = visible;
  focused_ = false;
  if (IsVisible() != was_visible) MarkParentLayoutDirty();
  // Last: the focus change sends events, whose listeners may destroy this control.
  if (!visible) ReleaseManagerFocus();
}

void CControlUI::SetParentVisible(bool visible) {
  parent_visible_ = visible;
  if (!visible) ReleaseManagerFocus();
}

void CControlUI::ReleaseManagerFocus() {
  if (manager_ && manager_->GetFocusedControl() == this) manager_->FocusControl(nullptr);
}

bool CControlUI::IsEnabled() const { return enabled_; }

void CControlUI::SetEnabled(bool enabled) { RepaintIfChanged(&enabled_, enabled); }

bool CControlUI::IsMouseEnabled() const { return mouse_enabled_; }

void CControlUI::SetMouseEnabled(bool enabled) { mouse_enabled_ = enabled; }

bool CControlUI::IsKeyboardEnabled() const { return keyboard_enabled_; }

void CControlUI::SetKeyboardEnabled(bool enabled) { keyboard_enabled_ = enabled; }

bool CControlUI::IsFocused() const { return focused_; }

void CControlUI::TakeFocus() {
  if (manager_) manager_->FocusControl(this);
}

bool CControlUI::IsFloat() const { return floating_; }

void CControlUI::SetFloat(bool floating) {
  if (floating_ == floating) return;
  floating_ = floating;
  MarkParentLayoutDirty();
}

CControlUI* CControlUI::FindMatching(FindVisitor visitor, void* context, uint32_t flags) {
  if ((flags & kFindVisible) && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
  if ((flags & kFindHitTest) &&
      (!IsMouseEnabled() || !PtInRect(&bounds_, *static_cast<const POINT*>(context)))) {
    return nullptr;
  }
  return visitor(this, context);
}

// Life cycle and events ------------------------------------------------------------------------------

void CControlUI::Initialize() {
  InitializeSelf();
  init_listeners_.Fire(this);
}

void CControlUI::InitializeSelf() {}

void CControlUI::DispatchEvent(EventRecord& event) {
  if (event_listeners_.Fire(&event)) HandleEvent(event);
}

void CControlUI::HandleEvent(EventRecord& event) {
  switch (event.kind) {
    case EventKind::CursorRequest:
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(cursor_id_ ? cursor_id_ : 32512)));  // IDC_ARROW
      return;
    case EventKind::FocusGained:
    case EventKind::FocusLost:
      focused_ = event.kind == EventKind::FocusGained;
      RequestRepaint();
      return;
    case EventKind::Timer:
      Notify(kNotifyTimer, event.wParam, event.lParam);
      return;
    case EventKind::ContextMenu:
      if (context_menu_enabled_) {
        Notify(kNotifyMenu, event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  if (parent_) parent_->HandleEvent(event);
}

void CControlUI::Notify(const wchar_t* type, WPARAM wparam, LPARAM lparam) {
  if (manager_) manager_->SendNotify(this, type, wparam, lparam, false);
}

CUISize CControlUI::MeasureDesiredSize(SIZE /*available*/) {
  return CUISize(GetFixedWidth(), GetFixedHeight());
}

// Invalidation and layout ----------------------------------------------------------------------------

void CControlUI::InvalidateClippedByParents(CUIRect area) {
  if (!manager_ || area.IsEmpty()) return;
  for (const CControlUI* ancestor = parent_; ancestor; ancestor = ancestor->parent_) {
    if (!ancestor->IsVisible() || !IntersectRect(&area, &area, &ancestor->GetBounds())) return;
  }
  manager_->InvalidateArea(area);
}

void CControlUI::RequestRepaint() {
  if (IsVisible()) InvalidateClippedByParents(bounds_);
}

void CControlUI::MarkLayoutDirty() {
  if (!IsVisible()) return;
  layout_dirty_ = true;
  RequestRepaint();
  if (manager_) manager_->MarkLayoutNeeded();
}

void CControlUI::MarkParentLayoutDirty() {
  if (parent_) {
    parent_->MarkLayoutDirty();
  } else {
    MarkLayoutDirty();
  }
  if (manager_) manager_->MarkLayoutNeeded();
}

CUIString CControlUI::GetVirtualWindowName() const {
  for (const CControlUI* control = this; control; control = control->parent_) {
    if (!control->virtual_window_name_.IsEmpty()) return control->virtual_window_name_;
  }
  return CUIString();
}

void CControlUI::SetVirtualWindowName(const wchar_t* name) {
  virtual_window_name_ = name;
  if (manager_) manager_->SetUsesVirtualWindows();
}

}  // namespace veneer
