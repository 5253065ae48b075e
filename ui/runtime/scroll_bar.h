#ifndef UI_RUNTIME_SCROLL_BAR_H_
#define UI_RUNTIME_SCROLL_BAR_H_

#include "ui/runtime/control.h"

namespace veneer {

// A container's scroll bar as the containers use it: an orientation, a range, a position that stays
// within 0..range and the distance of one line. It paints with the control base's layers, so the look
// comes from the attribute lists a skin registers for "VScrollBar" and "HScrollBar"; attributes it does
// not know are kept as custom attributes. It takes no input of its own (no thumb, no arrow buttons):
// its events go to its parent, the container that created it, owns it and scrolls. UI thread only.
class CScrollBarUI : public CControlUI {
 public:
  // The thickness of a new bar: a vertical bar's fixed width, a horizontal bar's fixed height.
  static constexpr int kDefaultThickness = 16;
  static constexpr int kDefaultLineSize = 8;

  CScrollBarUI();  // Vertical, visible, range 0, position 0.

  const wchar_t* GetClassName() const override;       // "ScrollBarUI".
  void* FindInterface(const wchar_t* name) override;  // "ScrollBar", then the control base.

  bool IsHorizontal() const { return horizontal_; }
  // Switches the orientation; the fixed size moves to the other axis (kDefaultThickness across the bar,
  // 0 along it).
  void SetHorizontal(bool horizontal);
  // Across the bar: a vertical bar's fixed width, a horizontal bar's fixed height (scaled).
  int GetThickness() const;

  int GetScrollRange() const { return range_; }
  // A negative range counts as 0; a position beyond the new range is lowered to it.
  void SetScrollRange(int range);
  int GetScrollPos() const { return position_; }
  // Kept within 0..range.
  void SetScrollPos(int position);
  int GetLineSize() const { return line_size_; }
  void SetLineSize(int line_size);  // Values below 1 are ignored.

 private:
  bool horizontal_ = false;
  int range_ = 0;
  int position_ = 0;
  int line_size_ = kDefaultLineSize;
};

}  // namespace veneer

#endif  // UI_RUNTIME_SCROLL_BAR_H_
