#include "ui/runtime/tab_layout.h"

#include <vector>

#include "ui/core/attribute_values.h"
#include "ui/runtime/container_arithmetic.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

const wchar_t* CTabLayoutUI::GetClassName() const { return L"TabLayoutUI"; }

void* CTabLayoutUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"TabLayout") == 0) return this;
  return CContainerUI::FindInterface(name);
}

bool CTabLayoutUI::Add(CControlUI* control) {
  const int index = GetCount();
  if (!CContainerUI::Add(control)) return false;
  TakeInsertedPage(control, index);
  return true;
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
  if (!CContainerUI::AddAt(control, index)) return false;
  TakeInsertedPage(control, index);
  return true;
}

void CTabLayoutUI::TakeInsertedPage(CControlUI* control, int index) {
  // Its own visibility decides: a page added while the layout is hidden can still become the selection.
  if (selected_ < 0 && control->IsSelfVisible()) {
    selected_ = index;
    return;
  }
  // Only the selected page shows; one inserted at or before it moves the selection's index up.
  control->SetVisible(false);
  if (selected_ >= index) ++selected_;
}

bool CTabLayoutUI::Remove(CControlUI* control) {
  const int index = GetItemIndex(control);
  if (!CContainerUI::Remove(control)) return false;
  if (index == selected_) {
    selected_ = GetCount() > 0 ? 0 : -1;
    if (selected_ == 0) GetItemAt(0)->SetVisible(true);
    MarkParentLayoutDirty();
  } else if (index < selected_) {
    --selected_;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  selected_ = -1;
  CContainerUI::RemoveAll();
  MarkParentLayoutDirty();
}

bool CTabLayoutUI::SetItemIndex(CControlUI* control, int new_index) {
  CControlUI* selected = GetItemAt(selected_);
  if (!CContainerUI::SetItemIndex(control, new_index)) return false;
  selected_ = GetItemIndex(selected);
  return true;
}

bool CTabLayoutUI::SelectChild(CControlUI* control) {
  const int index = GetItemIndex(control);
  return index >= 0 && SelectIndex(index);
}

bool CTabLayoutUI::SelectIndex(int index) {
  if (index < 0 || index >= GetCount()) return false;
  if (index == selected_) return true;
  const int old = selected_;
  selected_ = index;
  CControlUI* page = GetItemAt(index);
  page->SetVisible(true);
  page->TakeFocus();
  for (int i = 0; i < GetCount(); ++i) {
    if (i != index) GetItemAt(i)->SetVisible(false);
  }
  const CUIRect bounds = GetBounds();
  Place(bounds, true);
  MarkParentLayoutDirty();
  if (CPaintManagerUI* manager = GetPaintManager()) {
    manager->SetNextTabControl(true);
    Notify(kNotifyTabSelect, static_cast<WPARAM>(index), static_cast<LPARAM>(old));
  }
  return true;
}

void CTabLayoutUI::Place(const RECT& rect, bool invalidate) {
  if (!PlaceBounds(rect, invalidate)) return;
  std::vector<LayoutChild> children = DescribeChildren();
  if (selected_ >= 0 && selected_ < GetCount() && children[selected_].role == LayoutRole::kFlow) {
    LayoutChild& page = children[selected_];
    page.desired =
        GetItemAt(selected_)->MeasureDesiredSize(TabMeasureOffer(GetBounds(), GetRawInset(), page));
  }
  PlaceChildren(LayoutTab(GetBounds(), GetRawInset(), selected_, children), children, true);
}

void CTabLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (name && CUIString(name).CompareNoCase(L"selectedid") == 0) SelectIndex(ParseIntValue(value));
  CContainerUI::ApplyAttribute(name, value);
}

}  // namespace veneer
