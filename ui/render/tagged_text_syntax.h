#ifndef UI_RENDER_TAGGED_TEXT_SYNTAX_H_
#define UI_RENDER_TAGGED_TEXT_SYNTAX_H_

#include "ui/core/ui_string.h"
#include "ui/render/font_style.h"

namespace veneer {

// The syntax of tagged text ("{b}Bold{/b}", "<c #FF0000>red</c>", "{i icons.png 4 2}"): how the text
// splits into tokens and how the arguments of the tags read. Plain functions over the text; they draw,
// measure and look up nothing (the formatted-text renderer does).
//
// A tag starts with '<' or '{' and ends at the next '>' or '}' (the kinds may be mixed). An opening tag
// is a bracket, one lowercase letter a-z, then a blank or the closing bracket; a closing tag is a
// bracket followed by '/'. A bracket with no closing bracket after it is text. The three-character
// escapes "<{>", "<}>" draw a brace and "{<}", "{>}" an angle bracket. In raw mode only a closing r tag
// is a tag; everything else, escapes included, is text.

enum class TaggedTokenKind {
  kText,      // Characters to draw: up to the next bracket or line break (a leading bracket included).
  kNewline,   // "\n" or "\r\n".
  kEscape,    // Three characters that draw `character`.
  kOpenTag,   // `letter` with its arguments.
  kCloseTag,  // `letter` is the character after the '/', or 0 when the bracket follows at once.
};

struct TaggedToken {
  TaggedTokenKind kind = TaggedTokenKind::kText;
  int length = 0;            // Characters of the text that the token covers; at least 1.
  wchar_t letter = 0;        // Tags only.
  wchar_t character = 0;     // Escapes only.
  int arguments_start = 0;   // Opening tags: index of the arguments (blanks after the letter skipped).
  int arguments_length = 0;  // Opening tags: up to the closing bracket; 0 when there are none.
};

// Splits one text into tokens, at whatever positions its caller asks for. Reads no further than `length`
// characters of `text`, which need not be terminated; the text is the caller's and must outlive the
// scanner. The scanner remembers the last stretch of text it found free of closing brackets, so that
// brackets that never close do not each search to the end of the text again: scanning a text token by
// token, and scanning a line a second time from its start, reads each character a bounded number of
// times. One scanner per text and caller; it keeps no other state.
class TaggedTextScanner {
 public:
  TaggedTextScanner(const wchar_t* text, int length);

  // The token that starts at `text[position]`; `position` must lie in [0, length).
  TaggedToken Scan(int position, bool raw);

 private:
  int FindCloseBracket(int from);
  TaggedToken OpenTagOrText(int position);
  TaggedToken CloseTagOrText(int position, bool raw);
  TaggedToken TextToken(int position) const;

  const wchar_t* text_;  // Not owned; `length_` characters.
  int length_;
  // [clear_from_, clear_to_) holds no closing bracket; clear_to_ is a closing bracket's index or length_.
  int clear_from_;
  int clear_to_;
};

// The largest size a font tag gets, in pixels: taller glyphs than this show in no window (this program's
// are 720 pixels high, screens rarely more than 2160), yet the platform would rasterise them at a cost
// that grows with the square of the size (one glyph of size 32768 took half a second and 300 MB).
constexpr int kMaxFontTagSize = 2048;

// A font tag's arguments: "{f 3}" names a registered font by id (the first word is all digits);
// "{f Tahoma 14 bold italic}" names a face (up to a blank), a size (decimal, 10 when absent, at most
// kMaxFontTagSize) and style words anywhere after the face, letter case ignored.
struct FontTagArguments {
  bool by_id = false;
  int id = 0;
  CUIString face;
  int size = 10;
  FontStyle style = FontStyle::kRegular;  // Bold, underline and italic as the words ask.
};
FontTagArguments ParseFontTagArguments(const wchar_t* arguments);

// An inline image tag's arguments: "{i name [count] [index]}" with the name up to a blank, or, when the
// arguments contain "file='" or "res='", the image named by the file/res and restype items of the image
// descriptor syntax (other items ignored; such a tag has one cell). A count below 1 becomes 1; an index
// outside [0, count) becomes 0.
struct ImageTagArguments {
  CUIString name;
  CUIString resource_type;
  int count = 1;
  int index = 0;
};
ImageTagArguments ParseImageTagArguments(const wchar_t* arguments);

}  // namespace veneer

#endif  // UI_RENDER_TAGGED_TEXT_SYNTAX_H_
