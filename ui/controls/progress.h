#ifndef UI_CONTROLS_PROGRESS_H_
#define UI_CONTROLS_PROGRESS_H_

#include <windows.h>

#include <cstdint>

#include "ui/controls/label.h"
#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"

namespace veneer {

// A progress bar's range and value in 64 bits, so that byte counts of large files fit.
struct ProgressRange {
  int64_t min;
  int64_t max;
  int64_t value;
};

// The range as it is drawn: an empty or inverted range becomes [min, min + 1] (or the last such range
// for the largest min), and the value is clamped into it.
ProgressRange NormaliseProgressRange(const ProgressRange& range);
// The part of `bounds` that shows the value of the (normalised) range: from the left edge when
// horizontal, rising from the bottom edge when vertical. Exact in 64 bits for ranges whose extent
// times the bar's length fits; rounded down within a pixel beyond.
CUIRect ProgressFillRect(const RECT& bounds, const ProgressRange& normalised, bool horizontal);
// The value's share of the (normalised) range in percent, 0 to 100.
double ProgressPercent(const ProgressRange& normalised);

// A label that shows a value between a minimum and a maximum as a partly filled bar: the foreground
// colour fills the part, and the foreground image is stretched over it (or cut to it). It can show the
// percentage as its text.
//
// It does not animate, and does not take input. Owned like any control; UI thread only.
class CProgressUI : public CLabelUI {
 public:
  // DT_CENTER | DT_SINGLELINE.
  static constexpr UINT kDefaultProgressTextFormat = DT_CENTER | DT_SINGLELINE;
  static constexpr int kDefaultHeight = 12;

  CProgressUI();

  const wchar_t* GetClassName() const override;       // "ProgressUI".
  void* FindInterface(const wchar_t* name) override;  // "Progress", then the label.
  // "hor", "min", "max", "value", "isstretchfore"; others go to the label.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The foreground colour over the filled part.
  void DrawForeColour(HDC dc) override;
  // The foreground image over the filled part: stretched, or cut to it.
  void DrawForeImage(HDC dc) override;

  // The text becomes the percentage when ShowPercentage is on.
  virtual void UpdateProgressText();

  bool IsHorizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);  // Repaints only when changed.
  bool IsStretchForeImage() const { return stretch_fore_; }
  void SetStretchForeImage(bool stretch);  // Repaints only when changed.
  bool IsShowPercentage() const { return show_percentage_; }
  void SetShowPercentage(bool show);
  int64_t GetMinValue() const { return min_; }
  void SetMinValue(int64_t min);  // Stored as given; drawing normalises.
  int64_t GetMaxValue() const { return max_; }
  void SetMaxValue(int64_t max);
  int64_t GetValue() const { return value_; }
  // Ignores unchanged values and values outside [min, max]; otherwise repaints and updates the text.
  void SetValue(int64_t value);
  // The modifier text of the last foreground image drawing ("dest='...'", ...).
  const CUIString& GetForeImageModifier() const { return fore_image_modifier_; }

 private:
  // The range as drawn now.
  ProgressRange Normalised() const { return NormaliseProgressRange({min_, max_, value_}); }

  bool horizontal_ = true;
  bool stretch_fore_ = true;
  bool show_percentage_ = false;
  int64_t min_ = 0;
  int64_t max_ = 100;
  int64_t value_ = 0;
  CUIString fore_image_modifier_;
};

}  // namespace veneer

#endif  // UI_CONTROLS_PROGRESS_H_
