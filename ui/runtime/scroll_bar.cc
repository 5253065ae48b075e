#include "ui/runtime/scroll_bar.h"

#include <algorithm>

namespace veneer {

CScrollBarUI::CScrollBarUI() { SetFixedWidth(kDefaultThickness); }

const wchar_t* CScrollBarUI::GetClassName() const { return L"ScrollBarUI"; }

void* CScrollBarUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"ScrollBar") == 0) return this;
  return CControlUI::FindInterface(name);
}

void CScrollBarUI::SetHorizontal(bool horizontal) {
  if (horizontal_ == horizontal) return;
  horizontal_ = horizontal;
  SetFixedWidth(horizontal ? 0 : kDefaultThickness);
  SetFixedHeight(horizontal ? kDefaultThickness : 0);
}

int CScrollBarUI::GetThickness() const { return horizontal_ ? GetFixedHeight() : GetFixedWidth(); }

void CScrollBarUI::SetScrollRange(int range) {
  range = std::max(0, range);
  if (range_ == range) return;
  range_ = range;
  position_ = std::min(position_, range_);
  RequestRepaint();
}

void CScrollBarUI::SetScrollPos(int position) {
  position = std::clamp(position, 0, range_);
  if (position_ == position) return;
  position_ = position;
  RequestRepaint();
}

void CScrollBarUI::SetLineSize(int line_size) {
  if (line_size >= 1) line_size_ = line_size;
}

}  // namespace veneer
