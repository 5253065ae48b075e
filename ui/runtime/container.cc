// The container's children (adding, moving, removing, describing and placing them), its attributes,
// its state passed on to the children, searching and event handling.

#include "ui/runtime/container.h"

#include <algorithm>

#include "ui/core/attribute_values.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/container_arithmetic.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
  // Children go at once: the delayed clean-up would outlive nothing here.
  delayed_destroy_ = false;
  CContainerUI::RemoveAll();
}

// The child list --------------------------------------------------------------------------------------

CControlUI* CContainerUI::GetItemAt(int index) const { return static_cast<CControlUI*>(items_.GetAt(index)); }

int CContainerUI::GetItemIndex(CControlUI* control) const { return control ? items_.Find(control) : -1; }

int CContainerUI::GetCount() const { return items_.GetSize(); }

bool CContainerUI::SetItemIndex(CControlUI* control, int new_index) {
  const int index = GetItemIndex(control);
  if (index < 0 || new_index < 0 || new_index >= GetCount()) return false;
  void** items = items_.GetData();
  if (new_index < index) {
    std::rotate(items + new_index, items + index, items + index + 1);
  } else {
    std::rotate(items + index, items + index + 1, items + new_index + 1);
  }
  ++list_changes_;
  MarkLayoutDirty();
  return true;
}

bool CContainerUI::Add(CControlUI* control) { return InsertChild(control, GetCount()); }

bool CContainerUI::AddAt(CControlUI* control, int index) { return InsertChild(control, index); }

bool CContainerUI::CanTake(const CControlUI* control) const {
  // A control in a container names it as its parent; a container must not end up inside itself.
  if (!control || control->GetParentControl()) return false;
  for (const CControlUI* ancestor = this; ancestor; ancestor = ancestor->GetParentControl()) {
    if (ancestor == control) return false;
  }
  return true;
}

bool CContainerUI::InsertChild(CControlUI* control, int index) {
  if (!CanTake(control) || index < 0 || index > GetCount()) return false;
  if (!items_.InsertAt(index, control)) return false;
  ++list_changes_;
  if (CPaintManagerUI* manager = GetPaintManager()) {
    manager->AdoptControls(control, this);
  } else {
    control->AttachManager(nullptr, this, false);
  }
  if (IsVisible()) {
    MarkLayoutDirty();
  } else {
    control->SetParentVisible(false);
  }
  return true;
}

bool CContainerUI::Remove(CControlUI* control) {
  const int index = GetItemIndex(control);
  if (index < 0) return false;
  items_.Remove(index);
  ++list_changes_;
  MarkLayoutDirty();
  DisposeRemoved(control);
  return true;
}

bool CContainerUI::RemoveAt(int index) {
  CControlUI* child = GetItemAt(index);
  return child && Remove(child);
}

void CContainerUI::RemoveAll() {
  // One child at a time, each unlinked before it goes: a destructor that looks at this container (or
  // removes further children) sees a consistent list.
  while (GetCount() > 0) {
    const int last = GetCount() - 1;
    CControlUI* child = GetItemAt(last);
    items_.Remove(last);
    ++list_changes_;
    DisposeRemoved(child);
  }
  if (vertical_bar_) vertical_bar_->SetScrollRange(0);
  MarkLayoutDirty();
}

void CContainerUI::DisposeRemoved(CControlUI* child) {
  if (!auto_destroy_) {
    // Handed back: no longer in this tree, so neither its parent nor the manager may point at it.
    child->AttachManager(nullptr, nullptr, false);
    child->SetParentVisible(true);
    return;
  }
  CPaintManagerUI* manager = GetPaintManager();
  if (delayed_destroy_ && manager) {
    manager->AddDelayedCleanup(child);
  } else {
    delete child;
  }
}

// Identity and state passed on to the children ---------------------------------------------------------

const wchar_t* CContainerUI::GetClassName() const { return L"ContainerUI"; }

void* CContainerUI::FindInterface(const wchar_t* name) {
  const CUIString key(name);
  if (key.CompareNoCase(L"IContainer") == 0) return static_cast<IContainerUI*>(this);
  if (key.CompareNoCase(L"Container") == 0) return this;
  return CControlUI::FindInterface(name);
}

void CContainerUI::AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) {
  // Initialising a child may add children to it, never to this list; the count is read each time anyway.
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->AttachManager(manager, this, initialise);
  if (vertical_bar_) vertical_bar_->AttachManager(manager, this, initialise);
  if (horizontal_bar_) horizontal_bar_->AttachManager(manager, this, initialise);
  CControlUI::AttachManager(manager, parent, initialise);
}

void CContainerUI::PassParentVisibility() {
  const bool visible = IsVisible();
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetParentVisible(visible);
}

void CContainerUI::SetVisible(bool visible) {
  if (IsSelfVisible() == visible) return;
  CControlUI::SetVisible(visible);
  PassParentVisibility();
}

void CContainerUI::SetParentVisible(bool visible) {
  CControlUI::SetParentVisible(visible);
  PassParentVisibility();
}

void CContainerUI::SetEnabled(bool enabled) {
  if (IsEnabled() == enabled) return;
  CControlUI::SetEnabled(enabled);
  for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetEnabled(enabled);
}

void CContainerUI::SetMouseEnabled(bool enabled) {
  if (vertical_bar_) vertical_bar_->SetMouseEnabled(enabled);
  if (horizontal_bar_) horizontal_bar_->SetMouseEnabled(enabled);
  CControlUI::SetMouseEnabled(enabled);
}

void CContainerUI::Shift(int dx, int dy, bool invalidate) {
  CControlUI::Shift(dx, dy, invalidate);
  for (CScrollBarUI* bar : {vertical_bar_.get(), horizontal_bar_.get()}) {
    if (bar && bar->IsVisible()) bar->Shift(dx, dy, false);
  }
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (child->IsVisible()) child->Shift(dx, dy, false);
  }
}

// Spacing, alignment and removal settings ---------------------------------------------------------------

CUIRect CContainerUI::GetInset() const {
  CPaintManagerUI* manager = GetPaintManager();
  return manager ? manager->GetDisplayScale()->ScaleEdges(inset_) : inset_;
}

void CContainerUI::SetInset(const RECT& inset) {
  inset_ = inset;
  MarkLayoutDirty();
}

int CContainerUI::GetChildPadding() const { return Scaled(child_padding_); }

void CContainerUI::SetChildPadding(int padding) {
  child_padding_ = padding;
  MarkLayoutDirty();
}

int CContainerUI::GetChildAlign() const { return child_align_; }

void CContainerUI::SetChildAlign(int align) {
  child_align_ = align;
  MarkLayoutDirty();
}

int CContainerUI::GetChildVAlign() const { return child_valign_; }

void CContainerUI::SetChildVAlign(int align) {
  child_valign_ = align;
  MarkLayoutDirty();
}

bool CContainerUI::IsAutoDestroy() const { return auto_destroy_; }

void CContainerUI::SetAutoDestroy(bool destroy) { auto_destroy_ = destroy; }

bool CContainerUI::IsDelayedDestroy() const { return delayed_destroy_; }

void CContainerUI::SetDelayedDestroy(bool delayed) { delayed_destroy_ = delayed; }

bool CContainerUI::IsMouseChildEnabled() const { return mouse_child_enabled_; }

void CContainerUI::SetMouseChildEnabled(bool enabled) { mouse_child_enabled_ = enabled; }

int CContainerUI::FindSelectableChild(int index, bool forward) const {
  const int count = GetCount();
  if (count == 0) return -1;
  index = std::clamp(index, 0, count - 1);
  const auto selectable = [this](int i) {
    CControlUI* child = GetItemAt(i);
    return child->FindInterface(L"ListItem") && child->IsVisible() && child->IsEnabled();
  };
  if (!forward) {
    for (int i = index; i >= 0; --i) {
      if (selectable(i)) return i;
    }
    index = 0;
  }
  for (int i = index; i < count; ++i) {
    if (selectable(i)) return i;
  }
  return -1;
}

// Attributes -----------------------------------------------------------------------------------------

namespace {

// "childalign" and "childvalign" words, compared with their letter case.
struct AlignWord {
  const wchar_t* word;
  int value;
};
constexpr AlignWord kChildAlignWords[] = {{L"left", 0}, {L"center", 1}, {L"right", 2}};
constexpr AlignWord kChildVAlignWords[] = {{L"top", 0}, {L"vcenter", 4}, {L"bottom", 8}};

// The value of an alignment word; `current` for any other word.
template <size_t N>
int AlignValue(const AlignWord (&words)[N], const wchar_t* value, int current) {
  for (const AlignWord& entry : words) {
    if (CUIString(value).Compare(entry.word) == 0) return entry.value;
  }
  return current;
}

}  // namespace

void CContainerUI::ApplyBarStyle(bool horizontal, const wchar_t* style) {
  (horizontal ? horizontal_bar_style_ : vertical_bar_style_) = style;
  CScrollBarUI* bar = horizontal ? horizontal_bar_.get() : vertical_bar_.get();
  if (bar) {
    bar->ApplyAttributeText(style);
    MarkLayoutDirty();
  } else {
    // A new bar takes the stored style after the skin's default list.
    EnableScrollBars(vertical_bar_ || !horizontal, horizontal_bar_ || horizontal);
  }
}

void CContainerUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  static const AttributeRow<CContainerUI> kAttributes[] = {
      {L"inset", [](CContainerUI* c, const wchar_t* v) { c->SetInset(ParseRectValue(v)); }},
      {L"mousechild", [](CContainerUI* c, const wchar_t* v) { c->SetMouseChildEnabled(ParseBoolValue(v)); }},
      {L"vscrollbar",
       [](CContainerUI* c, const wchar_t* v) {
         c->EnableScrollBars(ParseBoolValue(v), c->horizontal_bar_ != nullptr);
       }},
      {L"vscrollbarstyle", [](CContainerUI* c, const wchar_t* v) { c->ApplyBarStyle(false, v); }},
      {L"hscrollbar",
       [](CContainerUI* c, const wchar_t* v) {
         c->EnableScrollBars(c->vertical_bar_ != nullptr, ParseBoolValue(v));
       }},
      {L"hscrollbarstyle", [](CContainerUI* c, const wchar_t* v) { c->ApplyBarStyle(true, v); }},
      {L"childpadding", [](CContainerUI* c, const wchar_t* v) { c->SetChildPadding(ParseIntValue(v)); }},
      {L"childalign",
       [](CContainerUI* c, const wchar_t* v) {
         c->child_align_ = AlignValue(kChildAlignWords, v, c->child_align_);
       },
       true},
      {L"childvalign",
       [](CContainerUI* c, const wchar_t* v) {
         c->child_valign_ = AlignValue(kChildVAlignWords, v, c->child_valign_);
       },
       true},
      {L"scrollstepsize", [](CContainerUI* c, const wchar_t* v) { c->SetScrollStepSize(ParseIntValue(v)); }},
  };
  if (!ApplyAttributeRow(kAttributes, this, name, value)) CControlUI::ApplyAttribute(name, value);
}

// Describing and placing the children ---------------------------------------------------------------

LayoutChild CContainerUI::DescribeChild(const CControlUI* child) {
  LayoutChild described;
  if (!child->IsVisible()) {
    described.role = LayoutRole::kHidden;
    return described;
  }
  described.role = child->IsFloat() ? LayoutRole::kFloating : LayoutRole::kFlow;
  described.fixed = CUISize(child->GetFixedWidth(), child->GetFixedHeight());
  described.min_size = CUISize(child->GetMinWidth(), child->GetMinHeight());
  described.max_size = CUISize(child->GetMaxWidth(), child->GetMaxHeight());
  described.padding = child->GetPadding();
  described.anchor = FloatAnchor{child->GetFixedOffset(), child->GetFloatAlign(), child->GetFloatFractions()};
  return described;
}

std::vector<LayoutChild> CContainerUI::DescribeChildren() const {
  std::vector<LayoutChild> children(GetCount());
  for (size_t i = 0; i < children.size(); ++i) children[i] = DescribeChild(GetItemAt(static_cast<int>(i)));
  return children;
}

void CContainerUI::MeasureFlowChildren(const std::vector<CUISize>& offers,
                                       std::vector<LayoutChild>* children) {
  const uint32_t list = list_changes_;
  for (size_t i = 0; i < children->size() && list == list_changes_; ++i) {
    LayoutChild& child = (*children)[i];
    if (child.role == LayoutRole::kFlow)
      child.desired = GetItemAt(static_cast<int>(i))->MeasureDesiredSize(offers[i]);
  }
}

void CContainerUI::PlaceChildren(const LayoutResult& result, const std::vector<LayoutChild>& children,
                                 bool invalidate_flow) {
  const uint32_t list = list_changes_;
  for (size_t i = 0; i < result.children.size() && list == list_changes_; ++i) {
    const PlacedChild& placed = result.children[i];
    if (!placed.placed) continue;
    GetItemAt(static_cast<int>(i))
        ->Place(placed.rect, invalidate_flow && children[i].role == LayoutRole::kFlow);
  }
}

void CContainerUI::Place(const RECT& rect, bool invalidate) {
  if (!PlaceBounds(rect, invalidate) || GetCount() == 0) return;
  const std::vector<LayoutChild> children = DescribeChildren();
  PlaceChildren(LayoutFill(GetBounds(), inset_, GetScrollBarStates(), children), children, false);
}

void CContainerUI::PlaceFloatingChild(int index) {
  CControlUI* child = GetItemAt(index);
  if (!child || !child->IsVisible() || !child->IsFloat()) return;
  child->Place(FloatingChildRect(GetBounds(), DescribeChild(child)), false);
}

// Searching and events -------------------------------------------------------------------------------

CUIRect CContainerUI::HitTestArea() const { return ContentArea(GetBounds(), inset_, GetScrollBarStates()); }

CControlUI* CContainerUI::FindMatching(FindVisitor visitor, void* context, uint32_t flags) {
  if ((flags & kFindVisible) && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
  const bool hit_test = (flags & kFindHitTest) != 0;
  const POINT* point = hit_test ? static_cast<const POINT*>(context) : nullptr;
  if (hit_test && !PtInRect(&GetBounds(), *point)) return nullptr;
  if ((flags & kFindUpdateTest) && visitor(this, context)) return nullptr;

  const bool ask_self = !hit_test || IsMouseEnabled();
  if ((flags & kFindSelfFirst) && ask_self) {
    if (CControlUI* found = visitor(this, context)) return found;
  }
  if (ask_self) {
    for (CScrollBarUI* bar : {vertical_bar_.get(), horizontal_bar_.get()}) {
      if (!bar) continue;
      if (CControlUI* found = bar->FindMatching(visitor, context, flags)) return found;
    }
  }
  if (!hit_test || mouse_child_enabled_) {
    const CUIRect area = hit_test ? HitTestArea() : CUIRect();
    const int count = GetCount();
    const bool backwards = (flags & kFindLastToFirst) != 0;
    for (int n = 0; n < count; ++n) {
      CControlUI* child = GetItemAt(backwards ? count - 1 - n : n);
      CControlUI* found = child->FindMatching(visitor, context, flags);
      if (found && (!hit_test || child->IsFloat() || PtInRect(&area, *point))) return found;
    }
  }
  if (!(flags & kFindSelfFirst) && ask_self) return visitor(this, context);
  return nullptr;
}

void CContainerUI::HandleEvent(EventRecord& event) {
  if (PassOnMouseEventWhenNotMouseEnabled(event)) return;
  if (event.kind == EventKind::FocusGained || event.kind == EventKind::FocusLost) {
    SetFocusedFlag(event.kind == EventKind::FocusGained);
    return;
  }
  // The keys and the wheel scroll the vertical bar when it is shown and enabled, else the horizontal one.
  struct BarCommands {
    CScrollBarUI* bar;
    void (CContainerUI::*page_back)();
    void (CContainerUI::*page_forward)();
    void (CContainerUI::*end)();
    void (CContainerUI::*home)();
    void (CContainerUI::*line_back)();
    void (CContainerUI::*line_forward)();
  };
  const BarCommands bars[] = {
      {vertical_bar_.get(), &CContainerUI::PageUp, &CContainerUI::PageDown, &CContainerUI::EndDown,
       &CContainerUI::HomeUp, &CContainerUI::LineUp, &CContainerUI::LineDown},
      {horizontal_bar_.get(), &CContainerUI::PageLeft, &CContainerUI::PageRight, &CContainerUI::EndRight,
       &CContainerUI::HomeLeft, &CContainerUI::LineLeft, &CContainerUI::LineRight},
  };
  for (const BarCommands& commands : bars) {
    if (!commands.bar || !commands.bar->IsVisible() || !commands.bar->IsEnabled()) continue;
    void (CContainerUI::*command)() = nullptr;
    if (event.kind == EventKind::KeyDown) {
      switch (event.keyCode) {
        case VK_PRIOR:
          command = commands.page_back;
          break;
        case VK_NEXT:
          command = commands.page_forward;
          break;
        case VK_END:
          command = commands.end;
          break;
        case VK_HOME:
          command = commands.home;
          break;
        case VK_UP:
          command = commands.line_back;
          break;
        case VK_DOWN:
          command = commands.line_forward;
          break;
        default:
          break;
      }
    } else if (event.kind == EventKind::ScrollWheel && LOWORD(event.wParam) <= 1) {
      command = LOWORD(event.wParam) == 0 ? commands.line_back : commands.line_forward;
    }
    if (command) {
      (this->*command)();
      return;
    }
  }
  CControlUI::HandleEvent(event);
}

}  // namespace veneer
