#ifndef UI_RUNTIME_CONTROL_ATTRIBUTE_VALUES_H_
#define UI_RUNTIME_CONTROL_ATTRIBUTE_VALUES_H_

#include <windows.h>

#include <cstdint>

#include "ui/runtime/float_placement.h"

namespace veneer {

// Readers for the values of the control base's own attributes, beyond the common readers of
// ui/core/attribute_values.h. They never fail: what cannot be read counts as 0 or as "no change".
// A null text is empty.

// Applies the words of a "floatalign" value (separated by commas and/or spaces, letter case ignored) to
// `current`: "null" clears every bit, "left", "center", "right", "top", "vcenter" and "bottom" set their
// axis; other words change nothing.
uint32_t ApplyFloatAlignWords(uint32_t current, const wchar_t* words);

// The system cursor id that a "cursor" word names ("arrow", "hand", ... letter case ignored), or 0 for an
// unknown word.
WORD CursorIdFromWord(const wchar_t* word);

// A colour as ParseColorValue reads it, after skipping leading characters with codes 1 to 32.
uint32_t ParseColorAfterBlanks(const wchar_t* text);

}  // namespace veneer

#endif  // UI_RUNTIME_CONTROL_ATTRIBUTE_VALUES_H_
