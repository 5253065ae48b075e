#ifndef UI_CORE_ATTRIBUTE_VALUES_H_
#define UI_CORE_ATTRIBUTE_VALUES_H_

#include <cstdint>

#include "ui/core/geometry.h"

namespace veneer {

// Readers for the values of skin attributes. They never fail: what cannot be read counts as 0
// (false for booleans), and no reader looks past the text's terminator. A null text is empty.

// A decimal integer at the start of the text: leading white space, an optional sign, digits;
// reading stops at the first other character. No digits gives 0; out-of-range values saturate.
int ParseIntValue(const wchar_t* text);
// The same in 64 bits (byte counts, progress ranges).
int64_t ParseInt64Value(const wchar_t* text);

// `count` integers separated by single characters ("960,720", "0,0,0,36", "2, 2"): each reading
// starts one character after where the previous one stopped, whatever that character is, and
// skips leading white space. Stops at the end of the text: the values not present are set to 0.
// Returns how many values were read from the text.
int ParseIntList(const wchar_t* text, int* values, int count);
// The same for decimal numbers with optional fraction and exponent ("0.5,0,1,0.25"); infinite and NaN
// values read as 0.
int ParseDoubleList(const wchar_t* text, double* values, int count);
CUISize ParseSizeValue(const wchar_t* text);
CUIPoint ParsePointValue(const wchar_t* text);
CUIRect ParseRectValue(const wchar_t* text);

// 0xAARRGGBB as written, after one optional leading '#': hexadecimal digits in either case up to the
// first other character ("#ff10183F"; six digits leave alpha 0). Saturates at 0xFFFFFFFF.
uint32_t ParseColorValue(const wchar_t* text);

// The value of an ASCII hexadecimal digit (0-9, a-f, A-F), or -1 for any other character, full-width
// digits included.
int HexDigitValue(wchar_t ch);

// True only for "true": ignoring letter case, or exactly when `exact` is set.
bool ParseBoolValue(const wchar_t* text, bool exact = false);

}  // namespace veneer

#endif  // UI_CORE_ATTRIBUTE_VALUES_H_
