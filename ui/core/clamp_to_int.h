#ifndef UI_CORE_CLAMP_TO_INT_H_
#define UI_CORE_CLAMP_TO_INT_H_

#include <climits>
#include <cstdint>

namespace veneer {

// Narrows a 64-bit intermediate result to int, saturating at INT_MIN and INT_MAX. Sums and products of
// skin coordinates are computed in 64 bits and passed through this, so that hostile values ("pos" near
// the limits, huge scale factors) give the nearest representable value instead of wrapping.
constexpr int ClampToInt(int64_t value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace veneer

#endif  // UI_CORE_CLAMP_TO_INT_H_
