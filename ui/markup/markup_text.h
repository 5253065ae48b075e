#ifndef UI_MARKUP_MARKUP_TEXT_H_
#define UI_MARKUP_MARKUP_TEXT_H_

namespace veneer {

// The character-level rules of the skin markup, shared by the parser and the node reader. Every
// function works on a NUL-terminated wide text and never moves past its terminator.

// White space is every code unit from 1 to 32.
inline bool IsMarkupWhitespace(wchar_t ch) { return ch >= 1 && ch <= 32; }
inline wchar_t* SkipMarkupWhitespace(wchar_t* pos) {
  while (IsMarkupWhitespace(*pos)) ++pos;
  return pos;
}
inline const wchar_t* SkipMarkupWhitespace(const wchar_t* pos) {
  while (IsMarkupWhitespace(*pos)) ++pos;
  return pos;
}

// Element and attribute names: letters and digits (beyond ASCII by the running locale's wide
// classification), '_' and ':'. The scanning helpers are inline: the parser calls them for every
// name, value and text, and a call costs about as much as the short scan itself.
struct MarkupAsciiNameTable {
  bool is_name[0x80];
  constexpr MarkupAsciiNameTable() : is_name() {
    for (int ch = 0; ch < 0x80; ++ch) {
      is_name[ch] = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
                    ch == '_' || ch == ':';
    }
  }
};
inline constexpr MarkupAsciiNameTable kMarkupAsciiNames;

bool IsNonAsciiNameChar(wchar_t ch);
inline bool IsMarkupNameChar(wchar_t ch) {
  return ch < 0x80 ? kMarkupAsciiNames.is_name[ch] : IsNonAsciiNameChar(ch);
}
inline wchar_t* SkipMarkupName(wchar_t* pos) {
  while (IsMarkupNameChar(*pos)) ++pos;
  return pos;
}

// Skips a comment ("->" ends it, for marker '-') or a processing instruction ("?>", for marker '?'):
// returns the position after the first such pair at or after `pos`, or the terminator's position.
wchar_t* SkipPastMarker(wchar_t* pos, wchar_t marker);

// Decodes a text or attribute value in place, in one pass, from `pos` up to `delimiter` or the end:
// &amp; &lt; &gt; &quot; &apos; become their characters, any other '&' stays as written. The
// characters freed by decoding are overwritten with spaces. Returns the decoded end (not
// terminated: that is the caller's choice) and stores the delimiter's (or the terminator's)
// position in `stop`. Most texts hold no entity: they are only scanned, never written.
wchar_t* DecodeMarkupEntities(wchar_t* pos, wchar_t delimiter, wchar_t** stop);
inline wchar_t* DecodeMarkupText(wchar_t* pos, wchar_t delimiter, wchar_t** stop) {
  while (*pos != L'\0' && *pos != delimiter && *pos != L'&') ++pos;
  if (*pos == L'&') return DecodeMarkupEntities(pos, delimiter, stop);
  *stop = pos;
  return pos;
}

}  // namespace veneer

#endif  // UI_MARKUP_MARKUP_TEXT_H_
