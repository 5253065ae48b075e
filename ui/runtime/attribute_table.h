#ifndef UI_RUNTIME_ATTRIBUTE_TABLE_H_
#define UI_RUNTIME_ATTRIBUTE_TABLE_H_

#include <cstddef>

#include "ui/core/ui_string.h"

namespace veneer {

// One row of an attribute table (a control class's attributes, a window's, a resource element's): the
// attribute name, letter case ignored unless `exact_case`, and what the value does to the target.
template <typename Control>
struct AttributeRow {
  const wchar_t* name;
  void (*apply)(Control* control, const wchar_t* value);
  bool exact_case = false;
};

// Applies the first row whose name matches `name`. False when no row matches, so that the caller can
// hand the attribute to its base class. `name` and `value` must not be null.
template <typename Control, size_t N>
bool ApplyAttributeRow(const AttributeRow<Control> (&rows)[N], Control* control, const wchar_t* name,
                       const wchar_t* value) {
  const CUIString key(name);
  for (const AttributeRow<Control>& row : rows) {
    if ((row.exact_case ? key.Compare(row.name) : key.CompareNoCase(row.name)) == 0) {
      row.apply(control, value);
      return true;
    }
  }
  return false;
}

}  // namespace veneer

#endif  // UI_RUNTIME_ATTRIBUTE_TABLE_H_
