#include "ui/core/ui_string.h"

#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace veneer {
namespace {

const wchar_t* OrEmpty(const wchar_t* text) { return text ? text : L""; }

int TextLength(const wchar_t* text) { return text ? static_cast<int>(wcslen(text)) : 0; }

}  // namespace

wchar_t FoldToLower(wchar_t ch) {
  if (ch < 0x80) return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch + (L'a' - L'A')) : ch;
  return static_cast<wchar_t>(
      reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(ch)))));
}

CUIString::CUIString() : data_(buffer_) { buffer_[0] = L'\0'; }

CUIString::CUIString(const wchar_t* text, int length) : CUIString() { Assign(text, length); }

CUIString::CUIString(wchar_t ch) : CUIString() {
  buffer_[0] = ch;
  buffer_[1] = L'\0';
}

CUIString::CUIString(const CUIString& other) : CUIString() { Assign(other.data_, other.GetLength()); }

CUIString::CUIString(CUIString&& other) noexcept : CUIString() { *this = static_cast<CUIString&&>(other); }

CUIString::~CUIString() { ReleaseHeap(); }

CUIString& CUIString::operator=(const CUIString& other) {
  if (this != &other) Assign(other.data_, other.GetLength());
  return *this;
}

CUIString& CUIString::operator=(CUIString&& other) noexcept {
  if (this == &other) return *this;
  if (other.IsInline()) {
    Assign(other.data_, other.GetLength());
  } else {
    ReleaseHeap();
    data_ = other.data_;  // Takes over the heap block.
    other.data_ = other.buffer_;
  }
  other.buffer_[0] = L'\0';
  return *this;
}

CUIString& CUIString::operator=(const wchar_t* text) {
  Assign(text);
  return *this;
}

CUIString& CUIString::operator=(wchar_t ch) {
  Assign(&ch, 1);
  return *this;
}

void CUIString::ReleaseHeap() {
  if (!IsInline()) free(data_);
  data_ = buffer_;
}

// Makes room for `length` characters. Texts past the inline capacity get a block of exactly
// length + 1; a heap block that is already big enough is reused. `keep_text` preserves the current
// text (for appending). False, with the string unchanged, when the block cannot be allocated.
bool CUIString::Reserve(int length, bool keep_text) {
  if (length <= kInlineStringCapacity) {
    ReleaseHeap();  // Only ever grows while keeping the text, so nothing to carry over here.
    return true;
  }
  if (static_cast<size_t>(length) >= SIZE_MAX / sizeof(wchar_t)) return false;  // No block that large.
  const size_t bytes = (static_cast<size_t>(length) + 1) * sizeof(wchar_t);
  if (IsInline()) {
    auto* block = static_cast<wchar_t*>(malloc(bytes));
    if (!block) return false;
    if (keep_text) wcscpy(block, buffer_);
    data_ = block;
  } else if (keep_text || GetLength() < length) {
    auto* block = static_cast<wchar_t*>(realloc(data_, bytes));
    if (!block) return false;
    data_ = block;
  }
  return true;
}

void CUIString::Assign(const wchar_t* text, int length) {
  if (!AssignRange(text, length)) Empty();
}

// Assign's work; false, with the string unchanged, when memory for the text cannot be had.
bool CUIString::AssignRange(const wchar_t* text, int length) {
  text = OrEmpty(text);
  // The text ends at a NUL within `length`, as the stored text would: length and storage agree.
  length = length < 0 ? TextLength(text) : static_cast<int>(wcsnlen(text, length));
  // The source may live inside this string (s.Assign(s.GetData() + 1)): copy it aside first when
  // the storage is about to move.
  const bool overlaps = text >= data_ && text <= data_ + GetLength();
  if (overlaps) {
    CUIString copy;
    if (!copy.AssignRange(text, length)) return false;
    *this = static_cast<CUIString&&>(copy);
    return true;
  }
  if (!Reserve(length, false)) return false;
  wmemcpy(data_, text, length);
  data_[length] = L'\0';
  return true;
}

void CUIString::Append(const wchar_t* text) { AppendRange(text, TextLength(text)); }

void CUIString::AppendRange(const wchar_t* text, int count) {
  if (count <= 0) return;
  if (text >= data_ && text <= data_ + GetLength()) {  // Appending part of itself.
    CUIString copy;
    if (copy.AssignRange(text, count)) AppendRange(copy.data_, count);
    return;
  }
  const int old_length = GetLength();
  if (count > INT_MAX - old_length || !Reserve(old_length + count, true)) return;
  wmemcpy(data_ + old_length, text, count);
  data_[old_length + count] = L'\0';
}

void CUIString::Append(wchar_t ch) {
  const wchar_t text[2] = {ch, L'\0'};
  if (ch != L'\0') Append(text);
}

void CUIString::Empty() {
  ReleaseHeap();
  buffer_[0] = L'\0';
}

CUIString& CUIString::operator+=(const wchar_t* text) {
  Append(text);
  return *this;
}

CUIString& CUIString::operator+=(wchar_t ch) {
  Append(ch);
  return *this;
}

CUIString CUIString::operator+(const wchar_t* text) const {
  CUIString result(*this);
  result.Append(text);
  return result;
}

CUIString CUIString::operator+(wchar_t ch) const {
  CUIString result(*this);
  result.Append(ch);
  return result;
}

CUIString operator+(const wchar_t* left, const CUIString& right) {
  CUIString result(left);
  result.Append(right.GetData());
  return result;
}

int CUIString::GetLength() const { return static_cast<int>(wcslen(data_)); }

bool CUIString::IsEmpty() const { return data_[0] == L'\0'; }

int CUIString::Compare(const wchar_t* text) const { return wcscmp(data_, OrEmpty(text)); }

int CUIString::CompareNoCase(const wchar_t* text) const {
  const wchar_t* a = data_;
  const wchar_t* b = OrEmpty(text);
  for (;; ++a, ++b) {
    const wchar_t fa = FoldToLower(*a);
    const wchar_t fb = FoldToLower(*b);
    if (fa != fb) return fa < fb ? -1 : 1;
    if (fa == L'\0') return 0;
  }
}

void CUIString::MakeLower() {
  for (wchar_t* p = data_; *p; ++p) *p = FoldToLower(*p);
}

int CUIString::Find(const wchar_t* text, int start) const {
  const int length = GetLength();
  if (start != 0 && (start < 0 || start > length)) return -1;
  if (!text || !*text) return -1;  // The empty text is never found (C runtimes disagree on it).
  const wchar_t* hit = wcsstr(data_ + start, text);
  return hit ? static_cast<int>(hit - data_) : -1;
}

int CUIString::Find(wchar_t ch, int start) const {
  const int length = GetLength();
  if (start != 0 && (start < 0 || start >= length)) return -1;
  const wchar_t* hit = wcschr(data_ + start, ch);
  return hit ? static_cast<int>(hit - data_) : -1;
}

CUIString CUIString::Left(int count) const {
  const int length = GetLength();
  if (count < 0) count = 0;
  if (count > length) count = length;
  return CUIString(data_, count);
}

CUIString CUIString::Mid(int position, int count) const {
  const int length = GetLength();
  if (position < 0) position = 0;
  if (position > length) position = length;
  if (count < 0 || count > length - position) count = length - position;
  if (count <= 0) return CUIString();
  return CUIString(data_ + position, count);
}

CUIString CUIString::Right(int count) const {
  const int length = GetLength();
  if (count >= length) return *this;
  if (count <= 0) return CUIString();
  return CUIString(data_ + length - count, count);
}

int CUIString::Replace(const wchar_t* from, const wchar_t* to) {
  const int from_length = TextLength(from);
  if (from_length == 0) return 0;
  to = OrEmpty(to);
  CUIString result;
  int count = 0;
  const wchar_t* rest = data_;
  for (const wchar_t* hit; (hit = wcsstr(rest, from)) != nullptr; rest = hit + from_length) {
    result.AppendRange(rest, static_cast<int>(hit - rest));
    result.Append(to);
    ++count;
  }
  if (count == 0) return 0;
  result.Append(rest);
  *this = static_cast<CUIString&&>(result);
  return count;
}

int CUIString::Format(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  const int count = _vscwprintf(OrEmpty(format), args);
  va_end(args);
  auto* block =
      count < 0 ? nullptr : static_cast<wchar_t*>(calloc(static_cast<size_t>(count) + 1, sizeof(wchar_t)));
  int written = -1;
  if (block) {
    va_start(args, format);
    written = _vsnwprintf(block, count, OrEmpty(format), args);
    va_end(args);
  }
  const bool stored = written >= 0 && AssignRange(block, written);
  free(block);
  if (!stored) {
    Empty();
    return -1;
  }
  return GetLength();
}

int CUIString::FormatShort(const wchar_t* format, ...) {
  wchar_t buffer[64] = {};
  va_list args;
  va_start(args, format);
  // At most 63 characters; buffer[63] stays the terminator whatever the result.
  const int written = _vsnwprintf(buffer, 63, OrEmpty(format), args);
  va_end(args);
  Assign(buffer);
  return written;
}

}  // namespace veneer
