#ifndef UI_RUNTIME_FLOAT_PLACEMENT_H_
#define UI_RUNTIME_FLOAT_PLACEMENT_H_

#include <cstdint>

namespace veneer {

// How a floating control is placed in its parent, as the control stores it and the layout arithmetic
// reads it. Plain values.

// Bits of a floating control's alignment inside its parent; no horizontal bit means left, no vertical
// bit top.
constexpr uint32_t kFloatAlignCenter = 0x1;
constexpr uint32_t kFloatAlignRight = 0x2;
constexpr uint32_t kFloatAlignVCenter = 0x4;
constexpr uint32_t kFloatAlignBottom = 0x8;
constexpr uint32_t kFloatAlignAny =
    kFloatAlignCenter | kFloatAlignRight | kFloatAlignVCenter | kFloatAlignBottom;

// Relative placement of a floating control: fractions of its parent's width (left, right) and height
// (top, bottom).
struct FloatFractions {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

}  // namespace veneer

#endif  // UI_RUNTIME_FLOAT_PLACEMENT_H_
