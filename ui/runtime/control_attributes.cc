// The control base's skin attributes: the attribute table, style substitution, attribute lists and
// custom attributes.

#include <cstdint>
#include <memory>

#include "ui/core/attribute_values.h"
#include "ui/core/clamp_to_int.h"
#include "ui/runtime/attribute_list.h"
#include "ui/runtime/control.h"
#include "ui/runtime/control_attribute_values.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// Styles applied inside styles deeper than this are dropped: a style whose list names itself, directly
// or through other styles, ends here instead of recursing without bound.
constexpr int kMaxStyleDepth = 8;
// At most this many styles are applied for one attribute or attribute list given from outside, so that
// styles naming several others cannot multiply the work level by level.
constexpr int kMaxStyleExpansions = 256;

bool HasComma(const wchar_t* value) { return CUIString(value).Find(L',') >= 0; }

// "pos" l,t,r,b: the offset is (l, t), where a negative l or t gives way to r or b; the size is
// (r - l, b - t), computed in 64 bits; a negative size leaves the old one (the setters ignore it).
void ApplyPos(CControlUI* control, const wchar_t* value) {
  const CUIRect pos = ParseRectValue(value);
  control->SetFixedOffset(pos.left < 0 ? pos.right : pos.left, pos.top < 0 ? pos.bottom : pos.top);
  control->SetFixedWidth(ClampToInt(static_cast<int64_t>(pos.right) - pos.left));
  control->SetFixedHeight(ClampToInt(static_cast<int64_t>(pos.bottom) - pos.top));
}

void ApplyFloat(CControlUI* control, const wchar_t* value) {
  if (!HasComma(value)) {
    control->SetFloat(ParseBoolValue(value));
    return;
  }
  double fractions[4];
  ParseDoubleList(value, fractions, 4);
  control->SetFloatFractions(FloatFractions{fractions[0], fractions[1], fractions[2], fractions[3]});
  control->SetFloat(true);
}

void ApplyBorderSize(CControlUI* control, const wchar_t* value) {
  if (HasComma(value)) {
    control->SetBorderSides(ParseRectValue(value));
    return;
  }
  control->SetBorderSize(ParseIntValue(value));
  control->SetBorderSides(CUIRect());
}

void ApplyBackColour(CControlUI* control, const wchar_t* value) {
  control->SetBackColour(ParseColorAfterBlanks(value));
}

void ApplyCursor(CControlUI* control, const wchar_t* value) {
  const WORD cursor = CursorIdFromWord(value);
  if (cursor) control->SetCursorId(cursor);
}

struct AttributeEntry {
  const wchar_t* name;
  void (*apply)(CControlUI* control, const wchar_t* value);
};

// The base table, in the order names are tried (the first match wins). "innerstyle" is handled by
// ApplyAttribute itself.
const AttributeEntry kAttributes[] = {
    {L"pos", ApplyPos},
    {L"float", ApplyFloat},
    {L"floatalign",
     [](CControlUI* c, const wchar_t* v) { c->SetFloatAlign(ApplyFloatAlignWords(c->GetFloatAlign(), v)); }},
    {L"padding", [](CControlUI* c, const wchar_t* v) { c->SetPadding(ParseRectValue(v)); }},
    {L"gradient", [](CControlUI* c, const wchar_t* v) { c->SetGradient(v); }},
    {L"bkcolor", ApplyBackColour},
    {L"bkcolor1", ApplyBackColour},
    {L"bkcolor2", [](CControlUI* c, const wchar_t* v) { c->SetBackColour2(ParseColorAfterBlanks(v)); }},
    {L"bkcolor3", [](CControlUI* c, const wchar_t* v) { c->SetBackColour3(ParseColorAfterBlanks(v)); }},
    {L"forecolor", [](CControlUI* c, const wchar_t* v) { c->SetForeColour(ParseColorAfterBlanks(v)); }},
    {L"bordercolor", [](CControlUI* c, const wchar_t* v) { c->SetBorderColour(ParseColorValue(v)); }},
    {L"focusbordercolor",
     [](CControlUI* c, const wchar_t* v) { c->SetFocusBorderColour(ParseColorValue(v)); }},
    {L"colorhsl", [](CControlUI* c, const wchar_t* v) { c->SetHslAdjusted(ParseBoolValue(v)); }},
    {L"bordersize", ApplyBorderSize},
    {L"leftbordersize", [](CControlUI* c, const wchar_t* v) { c->SetLeftBorder(ParseIntValue(v)); }},
    {L"topbordersize", [](CControlUI* c, const wchar_t* v) { c->SetTopBorder(ParseIntValue(v)); }},
    {L"rightbordersize", [](CControlUI* c, const wchar_t* v) { c->SetRightBorder(ParseIntValue(v)); }},
    {L"bottombordersize", [](CControlUI* c, const wchar_t* v) { c->SetBottomBorder(ParseIntValue(v)); }},
    {L"borderstyle", [](CControlUI* c, const wchar_t* v) { c->SetBorderStyle(ParseIntValue(v)); }},
    {L"borderround",
     [](CControlUI* c, const wchar_t* v) {
       const CUISize round = ParseSizeValue(v);
       c->SetBorderRound(round.cx, round.cy);
     }},
    {L"bkimage", [](CControlUI* c, const wchar_t* v) { c->SetBackImage(v); }},
    {L"foreimage", [](CControlUI* c, const wchar_t* v) { c->SetForeImage(v); }},
    {L"width", [](CControlUI* c, const wchar_t* v) { c->SetFixedWidth(ParseIntValue(v)); }},
    {L"height", [](CControlUI* c, const wchar_t* v) { c->SetFixedHeight(ParseIntValue(v)); }},
    {L"minwidth", [](CControlUI* c, const wchar_t* v) { c->SetMinWidth(ParseIntValue(v)); }},
    {L"minheight", [](CControlUI* c, const wchar_t* v) { c->SetMinHeight(ParseIntValue(v)); }},
    {L"maxwidth", [](CControlUI* c, const wchar_t* v) { c->SetMaxWidth(ParseIntValue(v)); }},
    {L"maxheight", [](CControlUI* c, const wchar_t* v) { c->SetMaxHeight(ParseIntValue(v)); }},
    {L"name", [](CControlUI* c, const wchar_t* v) { c->SetName(v); }},
    {L"drag", [](CControlUI* c, const wchar_t* v) { c->SetDragSource(ParseBoolValue(v)); }},
    {L"drop", [](CControlUI* c, const wchar_t* v) { c->SetDropTarget(ParseBoolValue(v)); }},
    {L"resourcetext", [](CControlUI* c, const wchar_t* v) { c->SetTextIsKey(ParseBoolValue(v)); }},
    {L"text", [](CControlUI* c, const wchar_t* v) { c->SetText(v); }},
    {L"tooltip", [](CControlUI* c, const wchar_t* v) { c->SetToolTip(v); }},
    {L"userdata", [](CControlUI* c, const wchar_t* v) { c->SetUserData(v); }},
    {L"enabled", [](CControlUI* c, const wchar_t* v) { c->SetEnabled(ParseBoolValue(v)); }},
    {L"mouse", [](CControlUI* c, const wchar_t* v) { c->SetMouseEnabled(ParseBoolValue(v)); }},
    {L"keyboard", [](CControlUI* c, const wchar_t* v) { c->SetKeyboardEnabled(ParseBoolValue(v)); }},
    {L"visible", [](CControlUI* c, const wchar_t* v) { c->SetVisible(ParseBoolValue(v)); }},
    {L"shortcut", [](CControlUI* c, const wchar_t* v) { c->SetShortcutKey(v[0]); }},
    {L"menu", [](CControlUI* c, const wchar_t* v) { c->SetContextMenuEnabled(ParseBoolValue(v)); }},
    {L"cursor", ApplyCursor},
    {L"virtualwnd", [](CControlUI* c, const wchar_t* v) { c->SetVirtualWindowName(v); }},
};

}  // namespace

void CControlUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (ApplyStyleNamed(value)) return;
  const CUIString key(name);
  for (const AttributeEntry& entry : kAttributes) {
    if (key.CompareNoCase(entry.name) == 0) {
      entry.apply(this, value);
      return;
    }
  }
  if (key.CompareNoCase(L"innerstyle") == 0) {
    ApplyAttributePairs(value);
    return;
  }
  StoreCustomAttribute(name, value);
}

bool CControlUI::ApplyStyleNamed(const wchar_t* value) {
  if (!manager_ || !*value) return false;
  const wchar_t* style = manager_->FindStyle(value);
  if (!style) return false;
  if (style_nesting_.depth == 0) style_nesting_.expansions = 0;
  if (style_nesting_.depth >= kMaxStyleDepth || style_nesting_.expansions >= kMaxStyleExpansions) return true;
  ++style_nesting_.expansions;
  // A copy: applying attributes must not depend on the style table staying as it is.
  const CUIString list(style);
  ++style_nesting_.depth;
  ApplyAttributeText(list);
  --style_nesting_.depth;
  return true;
}

void CControlUI::ApplyAttributeText(const wchar_t* list) {
  if (!list || ApplyStyleNamed(list)) return;
  ApplyAttributePairs(list);
}

void CControlUI::ApplyAttributePairs(const wchar_t* list) {
  CUIString text(list);
  text.Replace(L"&quot;", L"\"");
  CAttributeListReader reader(text);
  CUIString name;
  CUIString value;
  while (reader.Next(&name, &value)) ApplyAttribute(name, value);
}

void CControlUI::StoreCustomAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name || !*name || !value || !*value) return;
  custom_attributes_.Insert(name, std::make_unique<CUIString>(value));
}

const wchar_t* CControlUI::GetCustomAttribute(const wchar_t* name) {
  const CUIString* value = custom_attributes_.Find(name);
  return value ? value->GetData() : nullptr;
}

}  // namespace veneer
