#include "ui/controls/label.h"

#include <cwchar>

#include "ui/core/attribute_values.h"
#include "ui/render/formatted_text.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

namespace {

// Room above and below a single line's font height.
constexpr int kSingleLineMargin = 8;

bool Contains(const wchar_t* text, const wchar_t* word) { return std::wcsstr(text, word) != nullptr; }

UINT WithFlags(UINT format, UINT clear, UINT set) { return (format & ~clear) | set; }

const AttributeRow<CLabelUI> kLabelAttributes[] = {
    {L"align", [](CLabelUI* l,
                  const wchar_t* v) { l->SetTextFormat(ApplyHorizontalAlignWords(l->GetTextFormat(), v)); }},
    {L"valign",
     [](CLabelUI* l, const wchar_t* v) { l->SetTextFormat(ApplyVerticalAlignWords(l->GetTextFormat(), v)); }},
    {L"wordbreak",
     [](CLabelUI* l, const wchar_t* v) {
       l->SetTextFormat(ApplyWordBreak(l->GetTextFormat(), ParseBoolValue(v)));
     }},
    {L"endellipsis",
     [](CLabelUI* l, const wchar_t* v) {
       l->SetTextFormat(
           WithFlags(l->GetTextFormat(), DT_END_ELLIPSIS, ParseBoolValue(v) ? DT_END_ELLIPSIS : 0));
     }},
    {L"noprefix",
     [](CLabelUI* l, const wchar_t* v) {
       l->SetTextFormat(WithFlags(l->GetTextFormat(), DT_NOPREFIX, ParseBoolValue(v) ? DT_NOPREFIX : 0));
     }},
    {L"font", [](CLabelUI* l, const wchar_t* v) { l->SetFont(ParseIntValue(v)); }},
    {L"textcolor", [](CLabelUI* l, const wchar_t* v) { l->SetTextColor(ParseColorValue(v)); }},
    {L"disabledtextcolor",
     [](CLabelUI* l, const wchar_t* v) { l->SetDisabledTextColor(ParseColorValue(v)); }},
    {L"textpadding",
     [](CLabelUI* l, const wchar_t* v) {
       const CUIRect padding = ParseRectValue(v);
       l->SetTextPadding(padding.left, padding.top, padding.right, padding.bottom);
     }},
    {L"showhtml", [](CLabelUI* l, const wchar_t* v) { l->SetShowHtml(ParseBoolValue(v)); }},
    {L"autocalcwidth", [](CLabelUI* l, const wchar_t* v) { l->SetAutoWidth(ParseBoolValue(v)); }},
    {L"autocalcheight", [](CLabelUI* l, const wchar_t* v) { l->SetAutoHeight(ParseBoolValue(v)); }},
};

}  // namespace

UINT ApplyHorizontalAlignWords(UINT format, const wchar_t* words) {
  if (Contains(words, L"left")) format = WithFlags(format, DT_CENTER | DT_RIGHT, 0);
  if (Contains(words, L"center")) format = WithFlags(format, DT_RIGHT, DT_CENTER);
  if (Contains(words, L"right")) format = WithFlags(format, DT_CENTER, DT_RIGHT);
  return format;
}

UINT ApplyVerticalAlignWords(UINT format, const wchar_t* words) {
  if (Contains(words, L"top"))
    format = WithFlags(format, DT_VCENTER | DT_BOTTOM | DT_WORDBREAK, DT_SINGLELINE);
  if (Contains(words, L"vcenter"))
    format = WithFlags(format, DT_BOTTOM | DT_WORDBREAK, DT_VCENTER | DT_SINGLELINE);
  if (Contains(words, L"bottom"))
    format = WithFlags(format, DT_VCENTER | DT_WORDBREAK, DT_BOTTOM | DT_SINGLELINE);
  return format;
}

UINT ApplyWordBreak(UINT format, bool word_break) {
  return word_break ? WithFlags(format, DT_SINGLELINE, DT_WORDBREAK | DT_EDITCONTROL)
                    : WithFlags(format, DT_WORDBREAK | DT_EDITCONTROL, DT_SINGLELINE);
}

CLabelUI::CLabelUI()
    : CLabelUI(LabelDefaults{kDefaultTextFormat, CUIRect(), PlainTextRendering::kWindowChoice}) {}

CLabelUI::CLabelUI(const LabelDefaults& defaults)
    : text_format_(defaults.text_format),
      text_padding_(defaults.text_padding),
      plain_text_(defaults.plain_text) {}

bool CLabelUI::EstimateKey::operator==(const EstimateKey& other) const {
  return available.cx == other.available.cx && available.cy == other.available.cy &&
         fixed.cx == other.fixed.cx && fixed.cy == other.fixed.cy;
}

const wchar_t* CLabelUI::GetClassName() const { return L"LabelUI"; }

void* CLabelUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"Label") == 0) return this;
  return CControlUI::FindInterface(name);
}

uint32_t CLabelUI::GetBehaviourFlags() const { return IsEnabled() ? kBehaviourCursorRequests : 0; }

void CLabelUI::SetText(const wchar_t* text) {
  const CUIString before = GetText();
  CControlUI::SetText(text);
  if (GetText().Compare(before) == 0) return;
  estimate_stale_ = true;
  if (auto_width_ || auto_height_) MarkParentLayoutDirty();
}

void CLabelUI::HandleEvent(EventRecord& event) {
  if (event.kind == EventKind::FocusGained || event.kind == EventKind::FocusLost) {
    SetFocusedFlag(event.kind == EventKind::FocusGained);
    return;
  }
  CControlUI::HandleEvent(event);
}

void CLabelUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (!ApplyAttributeRow(kLabelAttributes, this, name, value)) CControlUI::ApplyAttribute(name, value);
}

bool CLabelUI::GetAutoWidth() const { return auto_width_; }

void CLabelUI::SetAutoWidth(bool auto_width) {
  if (auto_width == auto_width_) return;
  auto_width_ = auto_width;
  EstimateInputsChanged();
}

bool CLabelUI::GetAutoHeight() const { return auto_height_; }

void CLabelUI::SetAutoHeight(bool auto_height) {
  if (auto_height == auto_height_) return;
  auto_height_ = auto_height;
  EstimateInputsChanged();
}

void CLabelUI::SetTextColor(uint32_t colour) {
  text_colour_ = colour;
  RequestRepaint();
}

void CLabelUI::SetDisabledTextColor(uint32_t colour) {
  disabled_text_colour_ = colour;
  RequestRepaint();
}

void CLabelUI::SetFont(int font_id) {
  if (font_id == font_id_) return;
  font_id_ = font_id;
  EstimateInputsChanged();
  RequestRepaint();
}

void CLabelUI::SetTextFormat(UINT format) {
  if (format == text_format_) return;
  text_format_ = format;
  EstimateInputsChanged();
  RequestRepaint();
}

CUIRect CLabelUI::GetTextPadding() const {
  return CUIRect(Scaled(text_padding_.left), Scaled(text_padding_.top), Scaled(text_padding_.right),
                 Scaled(text_padding_.bottom));
}

void CLabelUI::SetTextPadding(int left, int top, int right, int bottom) {
  const CUIRect padding(left, top, right, bottom);
  if (EqualRect(&padding, &text_padding_)) return;
  text_padding_ = padding;
  EstimateInputsChanged();
  RequestRepaint();
}

void CLabelUI::SetShowHtml(bool show_html) {
  if (show_html == show_html_) return;
  show_html_ = show_html;
  EstimateInputsChanged();
  RequestRepaint();
}

void CLabelUI::EstimateInputsChanged() {
  estimate_stale_ = true;
  if (GetFixedWidth() <= 0 || GetFixedHeight() <= 0) MarkParentLayoutDirty();
}

void CLabelUI::TakeDefaultTextColours() {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager) return;
  if (text_colour_ == 0) text_colour_ = manager->GetDefaultFontColour();
  if (disabled_text_colour_ == 0) disabled_text_colour_ = manager->GetDefaultDisabledColour();
}

RECT CLabelUI::TextArea(const CUIRect& padding) const {
  const CUIRect& bounds = GetBounds();
  return {bounds.left + padding.left, bounds.top + padding.top, bounds.right - padding.right,
          bounds.bottom - padding.bottom};
}

CUISize CLabelUI::MeasureText(const RECT& area, UINT format) {
  CPaintManagerUI* manager = GetPaintManager();
  const CUIString text = GetText();
  // The renderers leave the rectangle as it was when they have nothing to lay out, which would read as a
  // text as large as the area.
  if (!manager || text.IsEmpty() || area.right <= area.left) return CUISize();
  RECT measured = area;
  format = (format & ~(DT_CENTER | DT_RIGHT)) | DT_CALCRECT;
  if (show_html_) {
    int no_links = 0;
    DrawFormattedText(manager->GetPaintContext(), manager, &measured, text, text_colour_, nullptr, nullptr,
                      &no_links, font_id_, format);
  } else {
    DrawPlainTextInto(manager->GetPaintContext(), measured, text, text_colour_, font_id_, format);
  }
  return CUISize(measured.right - measured.left, measured.bottom - measured.top);
}

void CLabelUI::DrawPlainTextInto(HDC dc, RECT& area, const wchar_t* text, uint32_t colour, int font_id,
                                 UINT format) {
  Renderer::DrawPlainText(dc, GetPaintManager(), area, text, colour, font_id, format,
                          plain_text_ == PlainTextRendering::kAlwaysGdiplus);
}

CUISize CLabelUI::MeasureDesiredSize(SIZE available) {
  const CUISize fixed(GetFixedWidth(), GetFixedHeight());
  if (fixed.cx > 0 && fixed.cy > 0) return fixed;
  const EstimateKey key{available, fixed};
  if (!estimate_stale_ && key == measured_for_) return estimate_;
  estimate_stale_ = false;
  measured_for_ = key;
  estimate_ = fixed;
  if (text_format_ & DT_SINGLELINE) {
    EstimateSingleLine();
  } else {
    EstimateMultiLine(available);
  }
  return estimate_;
}

void CLabelUI::EstimateSingleLine() {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager) return;
  const CUIRect padding = GetTextPadding();
  if (estimate_.cy == 0) {
    estimate_.cy =
        manager->GetFontRecord(font_id_)->metrics.tmHeight + kSingleLineMargin + padding.top + padding.bottom;
  }
  if (estimate_.cx == 0 && auto_width_) {
    estimate_.cx =
        MeasureText({0, 0, kMeasureLimit, estimate_.cy}, text_format_).cx + padding.left + padding.right;
  }
}

void CLabelUI::EstimateMultiLine(SIZE available) {
  if (estimate_.cy != 0 || !auto_height_) return;
  const CUIRect padding = GetTextPadding();
  // Without a fixed width the text wraps in the width the layout offers.
  const LONG width = estimate_.cx > 0 ? estimate_.cx : available.cx;
  estimate_.cy = MeasureText({padding.left, 0, width - padding.right, kMeasureLimit}, text_format_).cy +
                 padding.top + padding.bottom;
}

void CLabelUI::DrawTextContent(HDC dc) {
  TakeDefaultTextColours();
  DrawTextWith(dc, GetPaintTextColour(), font_id_);
}

void CLabelUI::DrawTextWith(HDC dc, uint32_t colour, int font_id) {
  const CUIString text = GetText();
  if (text.IsEmpty()) return;
  RECT area = TextArea(GetTextPadding());
  if (show_html_) {
    int no_links = 0;
    DrawFormattedText(dc, GetPaintManager(), &area, text, colour, nullptr, nullptr, &no_links, font_id,
                      text_format_);
  } else {
    DrawPlainTextInto(dc, area, text, colour, font_id, text_format_);
  }
}

}  // namespace veneer
