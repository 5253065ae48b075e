#ifndef UI_RENDER_DISPLAY_SCALE_H_
#define UI_RENDER_DISPLAY_SCALE_H_

#include "ui/core/geometry.h"

namespace veneer {

// Scales a value by a percentage, rounded to nearest with halves away from zero (as the platform's MulDiv
// rounds); results beyond the int range saturate.
int ScaleByPercent(int value, int scale_percent);
// The reverse: a device length back in skin units (value * 100 / scale, rounded as ScaleByPercent rounds,
// saturating); percentages below 1 count as 1.
int UnscaleByPercent(int value, int scale_percent);
// Scales a rectangle's left and top, and its width and height, so that right = left + scaled width.
CUIRect ScaleRectByPercent(const RECT& rect, int scale_percent);
// Scales four edge widths (padding, per-side borders) one by one: each field is a length, not a position.
CUIRect ScaleEdgesByPercent(const RECT& edges, int scale_percent);

// A window's display scale: the factor between skin units (pixels at 96 dots per inch) and device pixels,
// as a percentage. Starts at 100 % (96 dots per inch) and changes only through SetScale. A plain value owned
// by its paint manager; it does not watch the monitor's setting.
class CDisplayScale {
 public:
  int GetScale() const { return scale_percent_; }
  // Percentages below 1 are raised to 1, so that nothing scales to nothing.
  void SetScale(int scale_percent);

  int ScaleForDpi(int value) const { return ScaleByPercent(value, scale_percent_); }
  int UnscaleForDpi(int value) const { return UnscaleByPercent(value, scale_percent_); }
  CUIRect ScaleRect(const RECT& rect) const { return ScaleRectByPercent(rect, scale_percent_); }
  CUIRect ScaleEdges(const RECT& edges) const { return ScaleEdgesByPercent(edges, scale_percent_); }
  CUISize ScaleSize(const SIZE& size) const { return CUISize(ScaleForDpi(size.cx), ScaleForDpi(size.cy)); }

 private:
  int scale_percent_ = 100;
};

}  // namespace veneer

#endif  // UI_RENDER_DISPLAY_SCALE_H_
