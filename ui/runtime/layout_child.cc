#include "ui/runtime/layout_child.h"

#include <algorithm>
#include <climits>

namespace veneer {

LONG ClampToLong(int64_t value) { return static_cast<LONG>(std::clamp<int64_t>(value, LONG_MIN, LONG_MAX)); }

int64_t ClampToLimits(int64_t size, int64_t min_size, int64_t max_size) {
  return std::max<int64_t>(0, std::min(std::max(size, min_size), max_size));
}

CUIRect RectFromEdges(int64_t left, int64_t top, int64_t right, int64_t bottom) {
  return CUIRect(ClampToLong(left), ClampToLong(top), ClampToLong(right), ClampToLong(bottom));
}

}  // namespace veneer
