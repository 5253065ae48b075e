#ifndef UI_CORE_UI_STRING_H_
#define UI_CORE_UI_STRING_H_

#include <cstdarg>

namespace veneer {

// A UTF-16 text with a 64-character inline buffer, so that the short texts the framework handles by
// the thousand (attribute names and values, control and class names) never allocate. Lengths and
// positions count UTF-16 code units. A null text argument counts as the empty text everywhere.
//
// Storage: a text of up to kInlineStringCapacity characters lives in the inline buffer; a longer one
// in a heap block of exactly length + 1 characters that the string owns. The data is always
// NUL-terminated. Copying copies the text. Not synchronised: one thread at a time.
class CUIString {
 public:
  static constexpr int kInlineStringCapacity = 62;

  CUIString();
  CUIString(const wchar_t* text, int length = -1);  // NOLINT: implicit from a text, like a literal.
  CUIString(wchar_t ch);                            // NOLINT
  CUIString(const CUIString& other);
  CUIString(CUIString&& other) noexcept;
  ~CUIString();

  CUIString& operator=(const CUIString& other);
  CUIString& operator=(CUIString&& other) noexcept;
  CUIString& operator=(const wchar_t* text);
  CUIString& operator=(wchar_t ch);

  // Copies the first `length` characters of `text` (-1: the whole text), up to a NUL among them (which
  // ends the text), and appends a NUL. When the memory for a long text cannot be had, Assign leaves the
  // string empty and Append leaves it as it was; the string never holds a cut or garbled text.
  void Assign(const wchar_t* text, int length = -1);
  void Append(const wchar_t* text);
  void Append(wchar_t ch);
  void Empty();

  CUIString& operator+=(const wchar_t* text);
  CUIString& operator+=(wchar_t ch);
  CUIString operator+(const wchar_t* text) const;
  CUIString operator+(wchar_t ch) const;

  int GetLength() const;
  bool IsEmpty() const;
  const wchar_t* GetData() const { return data_; }
  operator const wchar_t*() const { return data_; }  // NOLINT: passes where the platform takes text.
  // No bounds check: callers keep 0 <= index < length.
  wchar_t GetAt(int index) const { return data_[index]; }

  // Code-unit order; a text that is a prefix of the other orders first. CompareNoCase folds letters
  // to lower case first.
  int Compare(const wchar_t* text) const;
  int CompareNoCase(const wchar_t* text) const;
  bool operator==(const wchar_t* text) const { return Compare(text) == 0; }
  bool operator!=(const wchar_t* text) const { return Compare(text) != 0; }
  bool operator<(const wchar_t* text) const { return Compare(text) < 0; }

  void MakeLower();

  // Index of the first occurrence at or after `start`, or -1. A non-zero start that is negative or
  // past the length gives -1; the character search also gives -1 for a non-zero start equal to the
  // length. The empty text is never found.
  int Find(const wchar_t* text, int start = 0) const;
  int Find(wchar_t ch, int start = 0) const;

  CUIString Left(int count) const;
  CUIString Mid(int position, int count = -1) const;
  CUIString Right(int count) const;

  // Replaces every occurrence of `from` by `to`, left to right, never rescanning inserted text.
  // Returns the number of replacements.
  int Replace(const wchar_t* from, const wchar_t* to);

  // printf-style formatting with the platform's wide conventions (%s takes a wide text). Format
  // handles any length that memory holds; on a formatting error or when memory runs out it leaves the
  // string empty and returns -1. FormatShort formats into 63 characters at most, keeps what fits and
  // returns -1 when the result was cut. Both return the number of characters, or -1 on error.
  int Format(const wchar_t* format, ...);
  int FormatShort(const wchar_t* format, ...);

 private:
  bool IsInline() const { return data_ == buffer_; }
  void ReleaseHeap();
  bool AssignRange(const wchar_t* text, int length);
  void AppendRange(const wchar_t* text, int count);
  bool Reserve(int length, bool keep_text);

  wchar_t* data_;  // Points at buffer_ or at a heap block owned by this string.
  wchar_t buffer_[64];
};

CUIString operator+(const wchar_t* left, const CUIString& right);
// With a plain text on the left, compare texts, not pointers.
inline bool operator==(const wchar_t* left, const CUIString& right) { return right == left; }
inline bool operator!=(const wchar_t* left, const CUIString& right) { return right != left; }

// Folds one UTF-16 code unit to lower case (the platform's case tables beyond ASCII).
wchar_t FoldToLower(wchar_t ch);

}  // namespace veneer

#endif  // UI_CORE_UI_STRING_H_
