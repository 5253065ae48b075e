#include "ui/render/display_scale.h"

namespace veneer {

int ScaleByPercent(int value, int scale_percent) {
  return scale_percent == 100 ? value : MulDiv(value, scale_percent, 100);
}

CUIRect ScaleRectByPercent(const RECT& rect, int scale_percent) {
  const int left = ScaleByPercent(rect.left, scale_percent);
  const int top = ScaleByPercent(rect.top, scale_percent);
  return CUIRect(left, top, left + ScaleByPercent(rect.right - rect.left, scale_percent),
                 top + ScaleByPercent(rect.bottom - rect.top, scale_percent));
}

void CDisplayScale::SetScale(int scale_percent) { scale_percent_ = scale_percent < 1 ? 1 : scale_percent; }

}  // namespace veneer
