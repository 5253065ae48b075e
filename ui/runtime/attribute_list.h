#ifndef UI_RUNTIME_ATTRIBUTE_LIST_H_
#define UI_RUNTIME_ATTRIBUTE_LIST_H_

#include "ui/core/ui_string.h"

namespace veneer {

// Reads an attribute list (the text form of default attribute lists, styles and "innerstyle"):
//   name="value" name="value"
// A name runs up to '='; the '=' must be followed by a double quote; the value runs up to the next
// double quote, which must be present. After the closing quote the end of the text ends the list, a
// single space leads to the next pair, and any other character is skipped when the character after it
// is a comma (which is skipped too); anything else ends the list. Reading stops at the first pair that
// breaks these rules; the pairs before it have been returned. "&quot;" is not decoded here.
// Borrows the text, which must outlive the reader. Any thread.
class CAttributeListReader {
 public:
  explicit CAttributeListReader(const wchar_t* list) : cursor_(list) {}

  // The next pair, or false when the list has ended (or breaks off).
  bool Next(CUIString* name, CUIString* value);

 private:
  const wchar_t* cursor_;  // Start of the next pair; null once the list has ended.
};

}  // namespace veneer

#endif  // UI_RUNTIME_ATTRIBUTE_LIST_H_
