#include "ui/render/display_scale.h"

#include <cstdint>

#include "ui/core/clamp_to_int.h"

namespace veneer {
namespace {

// value * multiplier / divisor rounded to nearest, halves away from zero (as the platform's MulDiv rounds),
// but saturating where MulDiv would answer -1. The divisor is positive.
int64_t MultiplyDivideWide(int64_t value, int64_t multiplier, int64_t divisor) {
  const int64_t product = value * multiplier;
  const int64_t half = divisor / 2;
  return (product + (product < 0 ? -half : half)) / divisor;
}

int64_t ScaleWide(int64_t value, int scale_percent) { return MultiplyDivideWide(value, scale_percent, 100); }

}  // namespace

int ScaleByPercent(int value, int scale_percent) {
  return scale_percent == 100 ? value : ClampToInt(ScaleWide(value, scale_percent));
}

int UnscaleByPercent(int value, int scale_percent) {
  if (scale_percent == 100) return value;
  return ClampToInt(MultiplyDivideWide(value, 100, scale_percent < 1 ? 1 : scale_percent));
}

CUIRect ScaleRectByPercent(const RECT& rect, int scale_percent) {
  const int left = ScaleByPercent(rect.left, scale_percent);
  const int top = ScaleByPercent(rect.top, scale_percent);
  const int64_t width = static_cast<int64_t>(rect.right) - rect.left;
  const int64_t height = static_cast<int64_t>(rect.bottom) - rect.top;
  return CUIRect(left, top, ClampToInt(left + ScaleWide(width, scale_percent)),
                 ClampToInt(top + ScaleWide(height, scale_percent)));
}

CUIRect ScaleEdgesByPercent(const RECT& edges, int scale_percent) {
  return CUIRect(ScaleByPercent(edges.left, scale_percent), ScaleByPercent(edges.top, scale_percent),
                 ScaleByPercent(edges.right, scale_percent), ScaleByPercent(edges.bottom, scale_percent));
}

void CDisplayScale::SetScale(int scale_percent) { scale_percent_ = scale_percent < 1 ? 1 : scale_percent; }

}  // namespace veneer
