#include "ui/render/tagged_text_layout.h"

#include <algorithm>

namespace veneer {
namespace {

// `count` and the blanks that follow it, which stay on the line with the characters before them.
int WithFollowingBlanks(const wchar_t* chars, int length, int count) {
  while (count < length && chars[count] == L' ') ++count;
  return count;
}

// Where a DT_WORDBREAK cut goes among the `count` characters that fit; see FitRun.
int WordBreakCount(const wchar_t* chars, int count, bool line_has_content, wchar_t previous) {
  for (int index = count - 1; index >= 0; --index) {
    if (IsWordBreakCharacter(chars[index])) return index + 1;
  }
  return line_has_content && IsWordBreakCharacter(previous) ? 0 : count;
}

}  // namespace

bool IsWordBreakCharacter(wchar_t ch) { return !((ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z')); }

RunFit FitRun(const wchar_t* chars, const int* extents, int length, int available, bool line_has_content,
              wchar_t previous, UINT format) {
  RunFit fit;
  while (fit.count < length && extents[fit.count] <= available) ++fit.count;
  const bool keep_blanks = !(format & DT_END_ELLIPSIS);
  if (keep_blanks) fit.count = WithFollowingBlanks(chars, length, fit.count);
  if (fit.count == length) return fit;
  fit.cut = true;
  if (fit.count == 0 && !line_has_content) {
    fit.count = keep_blanks ? WithFollowingBlanks(chars, length, 1) : 1;
  }
  if (format & DT_WORDBREAK) fit.count = WordBreakCount(chars, fit.count, line_has_content, previous);
  if (format & DT_END_ELLIPSIS) {
    fit.count -= std::min(2, fit.count);
    fit.ellipsis = true;
  }
  return fit;
}

CUIRect ImageCellSource(int image_width, int image_height, int count, int index) {
  const int cell_width = image_width / count;
  return CUIRect(cell_width * index, 0, cell_width * (index + 1), image_height);
}

CUIRect InlineImageDest(int x, int line_top, int line_height, int cell_width, int image_height) {
  const int top = image_height < line_height ? line_top + (line_height - image_height) / 2
                                             : line_top + line_height - image_height;
  return CUIRect(x, top, x + cell_width, top + image_height);
}

CUIRect AlignTextArea(const RECT& rect, const SIZE& measured, UINT format) {
  CUIRect area(rect);
  const int width = std::max(0, std::min<int>(measured.cx, area.GetWidth()));
  const int height = std::max(0, std::min<int>(measured.cy, area.GetHeight()));
  if (format & DT_SINGLELINE) {
    if (format & DT_CENTER) {
      area.left = rect.left + (area.GetWidth() - width) / 2;
      area.right = area.left + width;
    } else if (format & DT_RIGHT) {
      area.left = rect.right - width;
    }
  }
  if (format & DT_VCENTER) {
    area.top = rect.top + (rect.bottom - rect.top - height) / 2;
  } else if (format & DT_BOTTOM) {
    area.top = rect.bottom - height;
  }
  area.bottom = area.top + height;
  return area;
}

int LineShift(const RECT& rect, int line_right, UINT format) {
  const int free_width = rect.right - line_right;
  if ((format & DT_SINGLELINE) || free_width <= 0) return 0;
  if (format & DT_CENTER) return free_width / 2;
  if (format & DT_RIGHT) return free_width;
  return 0;
}

uint32_t LinkColour(uint32_t text_colour, bool hovered, uint32_t link_colour, uint32_t hover_colour) {
  if (hovered) return hover_colour;
  return text_colour != 0 ? text_colour : link_colour;
}

const CUIString* FindHoverLink(POINT point, const RECT* rects, const CUIString* texts, int count) {
  if (!rects || !texts) return nullptr;
  for (int index = 0; index < count; ++index) {
    if (PtInRect(&rects[index], point)) return &texts[index];
  }
  return nullptr;
}

COLORREF ToColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

}  // namespace veneer
