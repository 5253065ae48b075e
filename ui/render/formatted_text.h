#ifndef UI_RENDER_FORMATTED_TEXT_H_
#define UI_RENDER_FORMATTED_TEXT_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/ui_string.h"
#include "ui/render/render_resources.h"

namespace veneer {

// The formatted-text renderer: draws text with inline tags (see tagged_text_syntax.h) into a rectangle
// with GDI, wrapping lines, and reports the rectangles of the links it laid out so that a control can
// hit-test them. Tags:
//   {a target}..{/a} link (text colour, or the link colour when it is 0, or the hover colour when the
//                    mouse is over a link with the same target; underlined)
//   {b}..{/b}, {i}..{/i}, {u}..{/u}  bold, italic, underlined variant of the current font
//   {c #RRGGBB}..{/c} colour          {f id}..{/f}, {f face size styles}..{/f}  font
//   {i name [count] [index]}  inline image cell      {n} line break   {p [spacing]}..{/p} paragraph
//   {r}..{/r} raw text                 {s}..{/s} selected background
//   {x n} move the pen right by n pixels               {y n} line height n (scaled)
// Each line is measured and then drawn from the same saved state. With DT_CENTER or DT_RIGHT each line
// of a multi-line text is aligned by its own width; with alignment flags (and without DT_CALCRECT) the
// whole text is measured first, on one long line with DT_SINGLELINE and otherwise in the rectangle's
// width, and placed in the rectangle. It draws with GDI only (never GDI+) and keeps nothing between calls.
// Style variants of fonts are found in the paint manager's tables or registered there under negative ids,
// which skins never use (their Font elements register only ids of 0 and above, and lookups by id treat
// negative ids as the default font); the ids count down from -2 process-wide. New variants are registered
// only while the window's font table (CPaintManagerUI::GetFontCount) holds fewer than 256 fonts, so that no
// text, painted once or a thousand times, can exhaust the process's GDI objects; beyond that a variant
// falls back to the current font. A repaint finds the variants that the first paint registered, so it
// registers none. The fonts stay in the manager's table until it is emptied.
//
// `rect`: in, the area; out with DT_CALCRECT, the measured extent (its right lowered to the farthest pen
// position, its bottom set to the bottom of the last line or the lowest image). `colour` (0xAARRGGBB) is
// the default text colour. `link_rects` and `link_texts` are parallel caller arrays of `*link_count`
// entries (null arrays or count mean none); on return `*link_count` holds the number of link rectangles
// stored, one per link and line, in text order. Before drawing, the rectangles passed in (those of the
// previous paint) are hit-tested with the manager's last mouse position to find the hovered link.
// `font_id` names the base font (the default font when unknown); `format` takes DT_CENTER, DT_RIGHT,
// DT_VCENTER, DT_BOTTOM, DT_WORDBREAK, DT_SINGLELINE, DT_CALCRECT and DT_END_ELLIPSIS and ignores the
// rest. Nothing is drawn without text or manager or with an empty rectangle (the link count is then 0).
// The device context's clip, font, colours and modes are as before on return. UI thread only.
void DrawFormattedText(HDC dc, IRenderResources* manager, RECT* rect, const wchar_t* text, uint32_t colour,
                       RECT* link_rects, CUIString* link_texts, int* link_count, int font_id, UINT format);

// The same with the pointer position given by the caller instead of the manager's last mouse position.
void DrawFormattedTextAtPointer(HDC dc, IRenderResources* manager, RECT* rect, const wchar_t* text,
                                uint32_t colour, RECT* link_rects, CUIString* link_texts, int* link_count,
                                int font_id, UINT format, POINT pointer);

}  // namespace veneer

#endif  // UI_RENDER_FORMATTED_TEXT_H_
