#include "ui/controls/text.h"

#include <cwchar>

#include "ui/render/display_scale.h"
#include "ui/render/formatted_text.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

namespace {

constexpr WORD kHandCursor = 32649;  // IDC_HAND.

const AttributeRow<CTextUI> kTextAttributes[] = {
    {L"valign",
     [](CTextUI* t, const wchar_t* v) { t->SetTextFormat(ApplyTextVerticalAlign(t->GetTextFormat(), v)); }},
};

}  // namespace

UINT ApplyTextVerticalAlign(UINT format, const wchar_t* value) {
  if (!std::wcsstr(value, L"center")) return format;
  return (format & ~(DT_BOTTOM | DT_WORDBREAK)) | DT_VCENTER;
}

CTextUI::CTextUI()
    : CLabelUI(LabelDefaults{kDefaultTextFormat, CUIRect(2, 0, 2, 0), PlainTextRendering::kAlwaysGdiplus}) {}

const wchar_t* CTextUI::GetClassName() const { return L"TextUI"; }

void* CTextUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"Text") == 0) return this;
  return CLabelUI::FindInterface(name);
}

uint32_t CTextUI::GetBehaviourFlags() const {
  return IsEnabled() && link_count_ > 0 ? kBehaviourCursorRequests : 0;
}

CUIRect CTextUI::GetLinkRect(int index) const {
  return index >= 0 && index < link_count_ ? CUIRect(link_rects_[index]) : CUIRect();
}

CUIString CTextUI::GetLinkText(int index) const {
  return index >= 0 && index < link_count_ ? link_texts_[index] : CUIString();
}

int CTextUI::LinkAt(const POINT& point) const {
  for (int i = 0; i < link_count_; ++i) {
    if (PtInRect(&link_rects_[i], point)) return i;
  }
  return -1;
}

void CTextUI::HandleEvent(EventRecord& event) {
  if (PassOnMouseEventWhenNotMouseEnabled(event)) return;
  if (!HandleLinkEvent(event)) CLabelUI::HandleEvent(event);
}

bool CTextUI::HandleLinkEvent(const EventRecord& event) {
  switch (event.kind) {
    case EventKind::CursorRequest:
      if (LinkAt(event.mousePoint) < 0) return false;
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(kHandCursor)));
      return true;
    case EventKind::ButtonDown:
    case EventKind::DoubleClick:
      if (!IsEnabled() || LinkAt(event.mousePoint) < 0) return false;
      RequestRepaint();
      return true;
    case EventKind::ButtonUp: {
      if (!IsEnabled() || (event.keyState & kKeyStatePressCancelled)) return false;
      const int link = LinkAt(event.mousePoint);
      if (link < 0) return false;
      Notify(L"link", static_cast<WPARAM>(link));  // A listener may destroy this control: return at once.
      return true;
    }
    case EventKind::ContextMenu:
      return true;
    case EventKind::MouseMove: {
      if (!IsEnabled() || link_count_ == 0) return false;
      const int link = LinkAt(event.mousePoint);
      if (link != hovered_link_) {
        hovered_link_ = link;
        RequestRepaint();
      }
      return true;
    }
    case EventKind::MouseLeave:
      if (IsEnabled() && hovered_link_ >= 0) {
        hovered_link_ = -1;
        RequestRepaint();
      }
      return false;
    default:
      return false;
  }
}

void CTextUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (!ApplyAttributeRow(kTextAttributes, this, name, value)) CLabelUI::ApplyAttribute(name, value);
}

CUISize CTextUI::MeasureDesiredSize(SIZE available) {
  if (GetAutoWidth()) FitFixedWidthToText();
  return CLabelUI::MeasureDesiredSize(available);
}

void CTextUI::FitFixedWidthToText() {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager) return;
  const CUIRect padding = GetTextPadding();
  const RECT unwrapped = {padding.left, 0, kMeasureLimit - padding.right, kMeasureLimit};
  const int width = MeasureText(unwrapped, GetTextFormat()).cx + padding.left + padding.right;
  const int unscaled = manager->GetDisplayScale()->UnscaleForDpi(width);
  // SetFixedWidth asks the parent to lay out again, even for the same width.
  if (Scaled(unscaled) != GetFixedWidth()) SetFixedWidth(unscaled);
}

void CTextUI::DrawTextContent(HDC dc) {
  TakeDefaultTextColours();
  const CUIString text = GetText();
  RECT area = TextArea(GetUnscaledTextPadding());
  if (text.IsEmpty() || !IsShowHtml()) {
    ForgetLinks();
    if (!text.IsEmpty()) DrawPlainTextInto(dc, area, text, GetPaintTextColour(), GetFont(), GetTextFormat());
    return;
  }
  // The renderer hit-tests every rectangle up to the capacity for the hovered link: none may be left over
  // from an older paint.
  for (int i = link_count_; i < kMaxLinks; ++i) SetRectEmpty(&link_rects_[i]);
  link_count_ = kMaxLinks;
  DrawFormattedText(dc, GetPaintManager(), &area, text, GetPaintTextColour(), link_rects_, link_texts_,
                    &link_count_, GetFont(), GetTextFormat());
  if (hovered_link_ >= link_count_) hovered_link_ = -1;
}

void CTextUI::ForgetLinks() {
  link_count_ = 0;
  hovered_link_ = -1;
}

}  // namespace veneer
