#include "ui/render/tagged_text_syntax.h"

#include <algorithm>

#include "ui/core/attribute_values.h"
#include "ui/render/image_descriptor.h"

namespace veneer {
namespace {

bool IsOpenBracket(wchar_t ch) { return ch == L'<' || ch == L'{'; }
bool IsCloseBracket(wchar_t ch) { return ch == L'>' || ch == L'}'; }
bool IsWordSeparator(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

bool IsLineBreakAt(const wchar_t* text, int length, int position) {
  return text[position] == L'\n' ||
         (text[position] == L'\r' && position + 1 < length && text[position + 1] == L'\n');
}

// The bracket that a three-character escape at `position` draws, or 0 when there is none.
wchar_t EscapedBracketAt(const wchar_t* text, int length, int position) {
  if (position + 2 >= length) return 0;
  const wchar_t open = text[position];
  const wchar_t middle = text[position + 1];
  const wchar_t close = text[position + 2];
  if (open == L'<' && (middle == L'{' || middle == L'}') && close == L'>') return middle;
  if (open == L'{' && (middle == L'<' || middle == L'>') && close == L'}') return middle;
  return 0;
}

// Moves `*cursor` past blanks, then reads the word up to the next blank.
CUIString NextWord(const wchar_t** cursor) {
  const wchar_t* p = *cursor;
  while (IsWordSeparator(*p)) ++p;
  const wchar_t* start = p;
  while (*p && !IsWordSeparator(*p)) ++p;
  *cursor = p;
  return CUIString(start, static_cast<int>(p - start));
}

bool IsAllDigits(const CUIString& word) {
  if (word.IsEmpty()) return false;
  for (int index = 0; index < word.GetLength(); ++index) {
    if (word.GetAt(index) < L'0' || word.GetAt(index) > L'9') return false;
  }
  return true;
}

}  // namespace

TaggedTextScanner::TaggedTextScanner(const wchar_t* text, int length)
    : text_(text), length_(length), clear_from_(length), clear_to_(length) {}

TaggedToken TaggedTextScanner::Scan(int position, bool raw) {
  if (IsLineBreakAt(text_, length_, position)) {
    TaggedToken token;
    token.kind = TaggedTokenKind::kNewline;
    token.length = text_[position] == L'\r' ? 2 : 1;
    return token;
  }
  if (!IsOpenBracket(text_[position])) return TextToken(position);
  if (position + 1 < length_ && text_[position + 1] == L'/') return CloseTagOrText(position, raw);
  if (raw) return TextToken(position);
  const wchar_t escaped = EscapedBracketAt(text_, length_, position);
  if (escaped) {
    TaggedToken token;
    token.kind = TaggedTokenKind::kEscape;
    token.character = escaped;
    token.length = 3;
    return token;
  }
  return OpenTagOrText(position);
}

// Index of the first closing bracket at or after `from`, or -1. A search that starts inside the stretch
// known to be clear answers at once; one that starts before it reads only up to it.
int TaggedTextScanner::FindCloseBracket(int from) {
  if (from < clear_from_ || from > clear_to_) {
    const int stop = from < clear_from_ ? clear_from_ : length_;
    int index = from;
    while (index < stop && !IsCloseBracket(text_[index])) ++index;
    if (index < stop || stop == length_) clear_to_ = index;  // Else the known stretch goes on from here.
    clear_from_ = from;
  }
  return clear_to_ < length_ ? clear_to_ : -1;
}

TaggedToken TaggedTextScanner::TextToken(int position) const {
  int end = position + 1;
  while (end < length_ && !IsOpenBracket(text_[end]) && !IsLineBreakAt(text_, length_, end)) ++end;
  TaggedToken token;
  token.length = end - position;
  return token;
}

// The opening tag at `position` (a bracket), or a text token when the syntax does not match.
TaggedToken TaggedTextScanner::OpenTagOrText(int position) {
  const int letter_at = position + 1;
  if (letter_at + 1 >= length_ || text_[letter_at] < L'a' || text_[letter_at] > L'z') {
    return TextToken(position);
  }
  const wchar_t after = text_[letter_at + 1];
  if (after != L' ' && !IsCloseBracket(after)) return TextToken(position);
  const int close = FindCloseBracket(letter_at + 1);
  if (close < 0) return TextToken(position);

  TaggedToken token;
  token.kind = TaggedTokenKind::kOpenTag;
  token.letter = text_[letter_at];
  token.length = close - position + 1;
  int start = letter_at + 1;
  while (start < close && IsWordSeparator(text_[start])) ++start;
  token.arguments_start = start;
  token.arguments_length = close - start;
  return token;
}

// The closing tag at `position` (a bracket followed by '/'), or a text token when it has no closing
// bracket or, in raw mode, is not the closing r tag.
TaggedToken TaggedTextScanner::CloseTagOrText(int position, bool raw) {
  const int close = FindCloseBracket(position + 2);
  const wchar_t letter = close > position + 2 ? text_[position + 2] : 0;
  if (close < 0 || (raw && letter != L'r')) return TextToken(position);
  TaggedToken token;
  token.kind = TaggedTokenKind::kCloseTag;
  token.letter = letter;
  token.length = close - position + 1;
  return token;
}

FontTagArguments ParseFontTagArguments(const wchar_t* arguments) {
  FontTagArguments result;
  const wchar_t* cursor = arguments ? arguments : L"";
  const CUIString first = NextWord(&cursor);
  if (IsAllDigits(first)) {
    result.by_id = true;
    result.id = ParseIntValue(first);
    return result;
  }
  result.face = first;
  CUIString rest(cursor);
  const wchar_t* size_cursor = cursor;
  const CUIString size_word = NextWord(&size_cursor);
  if (!size_word.IsEmpty() && size_word.GetAt(0) >= L'0' && size_word.GetAt(0) <= L'9') {
    result.size = std::min(ParseIntValue(size_word), kMaxFontTagSize);
  }
  rest.MakeLower();
  if (rest.Find(L"bold") >= 0) result.style |= FontStyle::kBold;
  if (rest.Find(L"underline") >= 0) result.style |= FontStyle::kUnderline;
  if (rest.Find(L"italic") >= 0) result.style |= FontStyle::kItalic;
  return result;
}

ImageTagArguments ParseImageTagArguments(const wchar_t* arguments) {
  ImageTagArguments result;
  const CUIString text(arguments);
  if (text.Find(L"file='") >= 0 || text.Find(L"res='") >= 0) {
    ImageDescriptor descriptor;
    ParseImageDescriptor(&descriptor, text, nullptr);
    result.name = descriptor.image_name;
    result.resource_type = descriptor.resource_type;
    return result;
  }
  const wchar_t* cursor = text;
  result.name = NextWord(&cursor);
  const CUIString count_word = NextWord(&cursor);
  const CUIString index_word = NextWord(&cursor);
  if (!count_word.IsEmpty()) result.count = ParseIntValue(count_word);
  if (!index_word.IsEmpty()) result.index = ParseIntValue(index_word);
  if (result.count < 1) result.count = 1;
  if (result.index < 0 || result.index >= result.count) result.index = 0;
  return result;
}

}  // namespace veneer
