#include "ui/controls/option.h"

#include "ui/core/attribute_values.h"
#include "ui/core/pointer_array.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

namespace {

const AttributeRow<COptionUI> kOptionAttributes[] = {
    {L"group", [](COptionUI* o, const wchar_t* v) { o->SetGroup(v); }},
    {L"selected", [](COptionUI* o, const wchar_t* v) { o->SetSelected(ParseBoolValue(v), true); }},
    {L"selectedimage", [](COptionUI* o, const wchar_t* v) { o->SetSelectedImage(v); }},
    {L"selectedhotimage", [](COptionUI* o, const wchar_t* v) { o->SetSelectedHotImage(v); }},
    {L"selectedpushedimage", [](COptionUI* o, const wchar_t* v) { o->SetSelectedPushedImage(v); }},
    {L"selectedforeimage", [](COptionUI* o, const wchar_t* v) { o->SetSelectedForeImage(v); }},
    {L"selectedstateimage", [](COptionUI* o, const wchar_t* v) { o->SetSelectedStateImage(v); }},
    {L"selectedstatecount",
     [](COptionUI* o, const wchar_t* v) { o->SetSelectedStateCount(ParseIntValue(v)); }},
    {L"selectedbkcolor", [](COptionUI* o, const wchar_t* v) { o->SetSelectedBkColor(ParseColorValue(v)); }},
    {L"selectedtextcolor",
     [](COptionUI* o, const wchar_t* v) { o->SetSelectedTextColor(ParseColorValue(v)); }},
    {L"selectedfont", [](COptionUI* o, const wchar_t* v) { o->SetSelectedFont(ParseIntValue(v)); }},
};

}  // namespace

COptionUI::COptionUI() = default;

// The group table holds a plain pointer: it must not outlive the option.
COptionUI::~COptionUI() { LeaveGroup(); }

const wchar_t* COptionUI::GetClassName() const { return L"OptionUI"; }

void* COptionUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"Option") == 0) return this;
  return CButtonUI::FindInterface(name);
}

void COptionUI::AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) {
  if (manager != GetPaintManager()) LeaveGroup();
  CButtonUI::AttachManager(manager, parent, initialise);
  if (initialise) JoinGroup();
}

void COptionUI::JoinGroup() {
  CPaintManagerUI* manager = GetPaintManager();
  if (manager && !group_.IsEmpty()) manager->JoinOptionGroup(group_, this);
}

void COptionUI::LeaveGroup() {
  CPaintManagerUI* manager = GetPaintManager();
  if (manager && !group_.IsEmpty()) manager->LeaveOptionGroup(group_, this);
}

bool COptionUI::TryActivate() {
  if (!CButtonUI::TryActivate()) return false;
  SetSelected(group_.IsEmpty() ? !selected_ : true, true);
  return true;
}

void COptionUI::SetEnabled(bool enabled) {
  CButtonUI::SetEnabled(enabled);
  if (!IsEnabled()) SetStateBits(kButtonSelected, selected_);
}

void COptionUI::SetGroup(const wchar_t* group) {
  if (group_ == group) return;
  LeaveGroup();
  group_ = group;
  JoinGroup();
}

void COptionUI::SetSelected(bool selected, bool notify) {
  if (selected == selected_) return;
  selected_ = selected;
  SetStateBits(kButtonSelected, selected);
  RequestRepaint();
  if (!GetPaintManager()) return;
  if (!group_.IsEmpty()) {
    if (!selected) return;  // Deselected as a member of a group: the newly selected member notifies.
    DeselectOtherMembers(notify);
  }
  // Last: the listeners may destroy the option.
  if (notify) Notify(kNotifySelectChanged);
}

void COptionUI::DeselectOtherMembers(bool notify) {
  const CPointerArray* group = GetPaintManager()->GetOptionGroup(group_);
  if (!group) return;
  const CPointerArray members(*group);  // Deselecting changes no group, but keep the walk independent.
  for (int i = 0; i < members.GetSize(); ++i) {
    auto* member = static_cast<CControlUI*>(members[i]);
    auto* option = static_cast<COptionUI*>(member->FindInterface(L"Option"));
    if (option && option != this) option->SetSelected(false, notify);
  }
}

void COptionUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (!ApplyAttributeRow(kOptionAttributes, this, name, value)) CButtonUI::ApplyAttribute(name, value);
}

// Painting -------------------------------------------------------------------------------------------

void COptionUI::DrawBackColour(HDC dc) {
  if (!selected_) {
    CButtonUI::DrawBackColour(dc);
    return;
  }
  if (selected_bk_colour_ != 0) Renderer::DrawColor(dc, GetPaintRect(), AdjustColour(selected_bk_colour_));
}

void COptionUI::DrawStateImage(HDC dc) {
  if (!selected_) {
    CButtonUI::DrawStateImage(dc);
    return;
  }
  CutStateStrip(selected_state_image_, selected_state_count_,
                {&selected_image_, &selected_hot_image_, &selected_pushed_image_, nullptr});
  const uint32_t state = PaintState();
  if (DrawFirstStateImage(dc, {{(state & kButtonPushed) != 0, &selected_pushed_image_},
                               {(state & kButtonHot) != 0, &selected_hot_image_}})) {
    return;
  }
  if (!selected_image_.IsEmpty()) DrawImageText(dc, selected_image_);
}

void COptionUI::DrawForeImage(HDC dc) {
  if (selected_ && DrawFirstStateImage(dc, {{true, &selected_fore_image_}})) return;
  CButtonUI::DrawForeImage(dc);
}

void COptionUI::DrawTextContent(HDC dc) {
  if (!selected_) {
    CButtonUI::DrawTextContent(dc);
    return;
  }
  TakeDefaultTextColours();
  const uint32_t enabled_colour = selected_text_colour_ != 0 ? selected_text_colour_ : GetTextColor();
  DrawTextWith(dc, IsEnabled() ? enabled_colour : GetDisabledTextColor(),
               selected_font_ != -1 ? selected_font_ : GetFont());
}

// Setters --------------------------------------------------------------------------------------------

void COptionUI::SetSelectedStateImage(const wchar_t* image) {
  selected_image_.Empty();
  StoreAndRepaint(&selected_state_image_, image);
}

void COptionUI::SetSelectedImage(const wchar_t* image) { StoreAndRepaint(&selected_image_, image); }

void COptionUI::SetSelectedHotImage(const wchar_t* image) { StoreAndRepaint(&selected_hot_image_, image); }

void COptionUI::SetSelectedPushedImage(const wchar_t* image) {
  StoreAndRepaint(&selected_pushed_image_, image);
}

void COptionUI::SetSelectedForeImage(const wchar_t* image) { StoreAndRepaint(&selected_fore_image_, image); }

void COptionUI::SetSelectedStateCount(int count) { StoreAndRepaint(&selected_state_count_, count); }

void COptionUI::SetSelectedBkColor(uint32_t colour) { StoreAndRepaint(&selected_bk_colour_, colour); }

void COptionUI::SetSelectedTextColor(uint32_t colour) { StoreAndRepaint(&selected_text_colour_, colour); }

void COptionUI::SetSelectedFont(int font_id) { StoreAndRepaint(&selected_font_, font_id); }

}  // namespace veneer
