#ifndef UI_RUNTIME_ATTRIBUTE_TABLE_H_
#define UI_RUNTIME_ATTRIBUTE_TABLE_H_

#include <cstddef>

#include "ui/core/ui_string.h"

namespace veneer {

// One row of a control class's attribute table: the attribute name (letter case ignored) and what the
// value does to the control.
template <typename Control>
struct AttributeRow {
  const wchar_t* name;
  void (*apply)(Control* control, const wchar_t* value);
};

// Applies the first row whose name matches `name`, ignoring letter case. False when no row matches, so
// that the caller can hand the attribute to its base class. `name` and `value` must not be null.
template <typename Control, size_t N>
bool ApplyAttributeRow(const AttributeRow<Control> (&rows)[N], Control* control, const wchar_t* name,
                       const wchar_t* value) {
  const CUIString key(name);
  for (const AttributeRow<Control>& row : rows) {
    if (key.CompareNoCase(row.name) == 0) {
      row.apply(control, value);
      return true;
    }
  }
  return false;
}

}  // namespace veneer

#endif  // UI_RUNTIME_ATTRIBUTE_TABLE_H_
