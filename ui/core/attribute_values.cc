#include "ui/core/attribute_values.h"

#include <cmath>
#include <cstdint>
#include <cwchar>

#include "ui/core/clamp_to_int.h"
#include "ui/core/ui_string.h"

namespace veneer {
namespace {

bool IsBlank(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }

// Reads a signed decimal number at `text` and sets `*stop` to the first character not read; values
// beyond the 64-bit range saturate. When there are no digits nothing counts as read: the result is 0
// and `*stop` is `text` itself.
int64_t ReadDecimal64(const wchar_t* text, const wchar_t** stop) {
  const wchar_t* p = text;
  while (IsBlank(*p)) ++p;
  const bool negative = *p == L'-';
  if (*p == L'-' || *p == L'+') ++p;
  if (*p < L'0' || *p > L'9') {
    *stop = text;
    return 0;
  }
  // The magnitude, held at one past INT64_MAX once it gets there (the most negative value's size).
  constexpr uint64_t kCap = static_cast<uint64_t>(INT64_MAX) + 1;
  uint64_t magnitude = 0;
  for (; *p >= L'0' && *p <= L'9'; ++p) {
    const uint64_t digit = static_cast<uint64_t>(*p - L'0');
    magnitude = magnitude > (kCap - digit) / 10 ? kCap : magnitude * 10 + digit;
  }
  *stop = p;
  if (negative) return magnitude == kCap ? INT64_MIN : -static_cast<int64_t>(magnitude);
  return magnitude >= kCap ? INT64_MAX : static_cast<int64_t>(magnitude);
}

// ReadDecimal64 saturated to the int range.
int ReadDecimal(const wchar_t* text, const wchar_t** stop) { return ClampToInt(ReadDecimal64(text, stop)); }

// Reads a decimal number with optional fraction and exponent at `text` (wcstod's syntax) and sets
// `*stop` past it. Infinite and NaN results, and texts without a number, read as 0.
double ReadFiniteDouble(const wchar_t* text, const wchar_t** stop) {
  wchar_t* end = nullptr;
  const double value = wcstod(text, &end);
  *stop = end;
  return std::isfinite(value) ? value : 0.0;
}

// Reads up to `count` values with `read_one`, each starting one character after where the previous one
// stopped; values not present are set to 0. Returns how many were read.
template <typename T>
int ReadSeparatedValues(const wchar_t* text, T* values, int count,
                        T (*read_one)(const wchar_t*, const wchar_t**)) {
  int read = 0;
  const wchar_t* p = text ? text : L"";
  for (; read < count; ++read) {
    if (read > 0) {
      if (*p == L'\0') break;
      ++p;  // Skip the separator, whatever it is.
    }
    values[read] = read_one(p, &p);
  }
  for (int i = read; i < count; ++i) values[i] = T();
  return read;
}

}  // namespace

int ParseIntValue(const wchar_t* text) {
  const wchar_t* stop;
  return text ? ReadDecimal(text, &stop) : 0;
}

int64_t ParseInt64Value(const wchar_t* text) {
  const wchar_t* stop;
  return text ? ReadDecimal64(text, &stop) : 0;
}

int ParseIntList(const wchar_t* text, int* values, int count) {
  return ReadSeparatedValues(text, values, count, ReadDecimal);
}

int ParseDoubleList(const wchar_t* text, double* values, int count) {
  return ReadSeparatedValues(text, values, count, ReadFiniteDouble);
}

CUISize ParseSizeValue(const wchar_t* text) {
  int v[2];
  ParseIntList(text, v, 2);
  return CUISize(v[0], v[1]);
}

CUIPoint ParsePointValue(const wchar_t* text) {
  int v[2];
  ParseIntList(text, v, 2);
  return CUIPoint(v[0], v[1]);
}

CUIRect ParseRectValue(const wchar_t* text) {
  int v[4];
  ParseIntList(text, v, 4);
  return CUIRect(v[0], v[1], v[2], v[3]);
}

uint32_t ParseColorValue(const wchar_t* text) {
  if (!text) return 0;
  if (*text == L'#') ++text;
  uint64_t value = 0;
  for (int digit; (digit = HexDigitValue(*text)) >= 0; ++text) {
    if (value <= 0xFFFFFFFFu) value = value * 16 + static_cast<unsigned>(digit);
  }
  return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

int HexDigitValue(wchar_t ch) {
  if (ch >= L'0' && ch <= L'9') return ch - L'0';
  if (ch >= L'a' && ch <= L'f') return ch - L'a' + 10;
  if (ch >= L'A' && ch <= L'F') return ch - L'A' + 10;
  return -1;
}

bool ParseBoolValue(const wchar_t* text, bool exact) {
  if (!text) return false;
  const CUIString value(text);
  return exact ? value.Compare(L"true") == 0 : value.CompareNoCase(L"true") == 0;
}

}  // namespace veneer
