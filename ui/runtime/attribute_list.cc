#include "ui/runtime/attribute_list.h"

namespace veneer {
namespace {

// The first position at or after `text` holding `ch` or the terminator.
const wchar_t* SkipTo(const wchar_t* text, wchar_t ch) {
  while (*text && *text != ch) ++text;
  return text;
}

}  // namespace

bool CAttributeListReader::Next(CUIString* name, CUIString* value) {
  if (!cursor_ || !*cursor_) {
    cursor_ = nullptr;
    return false;
  }
  const wchar_t* name_start = cursor_;
  const wchar_t* equals = SkipTo(name_start, L'=');
  if (equals[0] != L'=' || equals[1] != L'"') {
    cursor_ = nullptr;
    return false;
  }
  const wchar_t* value_start = equals + 2;
  const wchar_t* closing_quote = SkipTo(value_start, L'"');
  if (*closing_quote != L'"') {
    cursor_ = nullptr;
    return false;
  }
  name->Assign(name_start, static_cast<int>(equals - name_start));
  value->Assign(value_start, static_cast<int>(closing_quote - value_start));

  const wchar_t* after = closing_quote + 1;
  if (*after == L' ') {
    cursor_ = after + 1;
  } else if (*after != L'\0' && after[1] == L',') {
    cursor_ = after + 2;
  } else {
    cursor_ = nullptr;
  }
  return true;
}

}  // namespace veneer
