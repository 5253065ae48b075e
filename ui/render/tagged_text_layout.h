#ifndef UI_RENDER_TAGGED_TEXT_LAYOUT_H_
#define UI_RENDER_TAGGED_TEXT_LAYOUT_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"

namespace veneer {

// The arithmetic of laying out tagged text: how much of a run fits on a line, where inline images and
// aligned lines go, which colour a link takes. Plain functions on numbers; the formatted-text renderer
// feeds them measurements and draws what they decide.

// Word breaks come after any character that is not an ASCII letter (blanks, digits, punctuation and
// every non-ASCII character).
bool IsWordBreakCharacter(wchar_t ch);

// How much of a run of characters goes on the current line.
struct RunFit {
  int count = 0;          // Characters laid out on this line.
  bool cut = false;       // The run did not fit: the line ends after `count` characters.
  bool ellipsis = false;  // "..." follows the characters.
};

// `extents[i]` is the width of the first i + 1 characters of `chars` (`length` of them); `available` is
// the room left before the right edge. Blanks never wrap: those right after the characters that fit
// stay on this line, past the edge, so that no wrapped line starts with one (except with DT_END_ELLIPSIS,
// which needs the room). Without room for the rest of the run: the characters that fit stay, at least
// one when the line has no content yet (so every line makes progress). With DT_WORDBREAK the run is cut
// after its last word-break character among them, or, when it has none but the character laid out
// before it on this line (`previous`, 0 after an image or at the line start) is one, the whole run moves
// to the next line. With DT_END_ELLIPSIS up to two more characters are given back for the "...".
RunFit FitRun(const wchar_t* chars, const int* extents, int length, int available, bool line_has_content,
              wchar_t previous, UINT format);

// The cell of an image split into `count` equal-width cells: (w * index, 0, w * (index + 1), height) with
// w = width / count. The count and index must already be valid (see ParseImageTagArguments).
CUIRect ImageCellSource(int image_width, int image_height, int count, int index);

// Where an inline image cell of `cell_width` x `image_height` goes on the line that starts at `line_top`
// with `line_height`: centred vertically when it is lower than the line, else bottom-aligned.
CUIRect InlineImageDest(int x, int line_top, int line_height, int cell_width, int image_height);

// The area of the whole text inside `rect` for the alignment flags, given its measured extent: with
// DT_SINGLELINE narrowed to the measured width, centred (DT_CENTER) or right-aligned (DT_RIGHT); in all
// cases narrowed to the measured height, centred (DT_VCENTER) or bottom-aligned (DT_BOTTOM). A measured
// extent larger than `rect` never enlarges it.
CUIRect AlignTextArea(const RECT& rect, const SIZE& measured, UINT format);

// How far a line whose content ends at `line_right` moves right inside `rect`: half of the free width
// with DT_CENTER, all of it with DT_RIGHT, nothing otherwise, with DT_SINGLELINE (aligned as a whole by
// AlignTextArea) or when nothing is free.
int LineShift(const RECT& rect, int line_right, UINT format);

// A link's colour: the hover colour when the mouse is over a link of the same text, else the text
// colour, or the link colour when the text colour is 0.
uint32_t LinkColour(uint32_t text_colour, bool hovered, uint32_t link_colour, uint32_t hover_colour);

// The text of the first of `count` link rectangles that contains `point`, or null (also for a null
// array or a count below 1). The result points into `texts`.
const CUIString* FindHoverLink(POINT point, const RECT* rects, const CUIString* texts, int count);

// 0xAARRGGBB to the platform's 0x00BBGGRR.
COLORREF ToColorRef(uint32_t argb);

}  // namespace veneer

#endif  // UI_RENDER_TAGGED_TEXT_LAYOUT_H_
