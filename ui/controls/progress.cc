#include "ui/controls/progress.h"

#include <cstdint>
#include <limits>

#include "ui/core/attribute_values.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

namespace {

const AttributeRow<CProgressUI> kProgressAttributes[] = {
    {L"hor", [](CProgressUI* p, const wchar_t* v) { p->SetHorizontal(ParseBoolValue(v)); }},
    {L"min", [](CProgressUI* p, const wchar_t* v) { p->SetMinValue(ParseInt64Value(v)); }},
    {L"max", [](CProgressUI* p, const wchar_t* v) { p->SetMaxValue(ParseInt64Value(v)); }},
    {L"value", [](CProgressUI* p, const wchar_t* v) { p->SetValue(ParseInt64Value(v)); }},
    {L"isstretchfore", [](CProgressUI* p, const wchar_t* v) { p->SetStretchForeImage(ParseBoolValue(v)); }},
};

// b - a for a <= b, exact over the whole 64-bit range.
uint64_t Distance(int64_t a, int64_t b) { return static_cast<uint64_t>(b) - static_cast<uint64_t>(a); }

// part * length / whole rounded down, for 0 <= part <= whole and whole > 0. When the product does not
// fit in 64 bits, both are halved until it does: the ratio stays within one pixel.
int ShareOfLength(uint64_t part, uint64_t whole, int length) {
  if (length <= 0) return 0;
  const uint64_t limit = std::numeric_limits<uint64_t>::max() / static_cast<uint64_t>(length);
  while (part > limit) {
    part >>= 1;
    whole >>= 1;
  }
  return static_cast<int>(part * static_cast<uint64_t>(length) / whole);
}

}  // namespace

ProgressRange NormaliseProgressRange(const ProgressRange& range) {
  ProgressRange normalised = range;
  if (normalised.min >= normalised.max) {
    if (normalised.min == std::numeric_limits<int64_t>::max()) --normalised.min;
    normalised.max = normalised.min + 1;
  }
  if (normalised.value < normalised.min) normalised.value = normalised.min;
  if (normalised.value > normalised.max) normalised.value = normalised.max;
  return normalised;
}

CUIRect ProgressFillRect(const RECT& bounds, const ProgressRange& normalised, bool horizontal) {
  CUIRect fill(bounds);
  const uint64_t extent = Distance(normalised.min, normalised.max);
  if (horizontal) {
    fill.right =
        fill.left + ShareOfLength(Distance(normalised.min, normalised.value), extent, fill.GetWidth());
  } else {
    fill.top += ShareOfLength(Distance(normalised.value, normalised.max), extent, fill.GetHeight());
  }
  return fill;
}

double ProgressPercent(const ProgressRange& normalised) {
  return 100.0 * static_cast<double>(Distance(normalised.min, normalised.value)) /
         static_cast<double>(Distance(normalised.min, normalised.max));
}

CProgressUI::CProgressUI() {
  SetTextFormat(kDefaultProgressTextFormat);
  SetFixedHeight(kDefaultHeight);
}

const wchar_t* CProgressUI::GetClassName() const { return L"ProgressUI"; }

void* CProgressUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"Progress") == 0) return this;
  return CLabelUI::FindInterface(name);
}

void CProgressUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (!ApplyAttributeRow(kProgressAttributes, this, name, value)) CLabelUI::ApplyAttribute(name, value);
}

void CProgressUI::DrawForeColour(HDC dc) {
  if (GetForeColour() == 0) return;
  Renderer::DrawColor(dc, ProgressFillRect(GetBounds(), Normalised(), horizontal_),
                      AdjustColour(GetForeColour()));
}

void CProgressUI::DrawForeImage(HDC dc) {
  if (GetForeImage().IsEmpty()) return;
  const CUIRect& bounds = GetBounds();
  CUIRect fill = ProgressFillRect(bounds, Normalised(), horizontal_);
  fill.Offset(-bounds.left, -bounds.top);
  // Back to skin units: the descriptor's rectangles are scaled for the display when they are read.
  CPaintManagerUI* manager = GetPaintManager();
  const int scale = manager ? manager->GetDisplayScale()->GetScale() : 100;
  const CUIRect dest(MulDiv(fill.left, 100, scale), MulDiv(fill.top, 100, scale),
                     MulDiv(fill.right, 100, scale), MulDiv(fill.bottom, 100, scale));
  if (stretch_fore_) {
    fore_image_modifier_.Format(L"dest='%d,%d,%d,%d'", dest.left, dest.top, dest.right, dest.bottom);
  } else {
    fore_image_modifier_.Format(L"dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", dest.left, dest.top, dest.right,
                                dest.bottom, dest.left, dest.top, dest.right, dest.bottom);
  }
  DrawImageText(dc, GetForeImage(), fore_image_modifier_);
}

void CProgressUI::UpdateProgressText() {
  if (!show_percentage_) return;
  CUIString text;
  text.FormatShort(L"%.0f%%", ProgressPercent(Normalised()));
  SetText(text);
}

void CProgressUI::SetHorizontal(bool horizontal) {
  if (horizontal == horizontal_) return;
  horizontal_ = horizontal;
  RequestRepaint();
}

void CProgressUI::SetStretchForeImage(bool stretch) {
  if (stretch == stretch_fore_) return;
  stretch_fore_ = stretch;
  RequestRepaint();
}

void CProgressUI::SetShowPercentage(bool show) {
  show_percentage_ = show;
  UpdateProgressText();
}

void CProgressUI::SetMinValue(int64_t min) {
  min_ = min;
  RequestRepaint();
}

void CProgressUI::SetMaxValue(int64_t max) {
  max_ = max;
  RequestRepaint();
}

void CProgressUI::SetValue(int64_t value) {
  if (value == value_ || value < min_ || value > max_) return;
  value_ = value;
  RequestRepaint();
  UpdateProgressText();
}

}  // namespace veneer
