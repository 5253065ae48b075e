#include "ui/runtime/control_text_table.h"

#include <memory>

#include "ui/runtime/owned_value_map.h"

namespace veneer {
namespace {

struct TextTableState {
  COwnedValueMap<CUIString> texts;
  IQueryControlText* callback = nullptr;  // Not owned.
};

TextTableState& State() {
  static TextTableState state;
  return state;
}

}  // namespace

void CControlTextTable::SetText(const wchar_t* key, const wchar_t* text) {
  if (text) {
    State().texts.Replace(key, std::make_unique<CUIString>(text));
  } else {
    State().texts.Remove(key);
  }
}

void CControlTextTable::SetQueryCallback(IQueryControlText* callback) { State().callback = callback; }

void CControlTextTable::RemoveAll() { State().texts.RemoveAll(); }

CUIString CControlTextTable::Resolve(const wchar_t* key) {
  if (!key || !*key) return CUIString();
  TextTableState& state = State();
  if (const CUIString* text = state.texts.Find(key)) return *text;
  const wchar_t* answer = state.callback ? state.callback->QueryControlText(key) : nullptr;
  if (!answer) return CUIString(key);
  CUIString text(answer);
  state.texts.Replace(key, std::make_unique<CUIString>(text));
  return text;
}

}  // namespace veneer
