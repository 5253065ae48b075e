#include "ui/render/image_record.h"

#include <cstring>
#include <new>
#include <utility>

namespace veneer {

bool ImageRecord::KeepUnadjustedPixels() {
  if (!pixels || width <= 0 || height <= 0) return false;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::unique_ptr<uint32_t[]> copy(new (std::nothrow) uint32_t[count]);
  if (!copy) return false;
  std::memcpy(copy.get(), pixels, count * sizeof(uint32_t));
  unadjusted_pixels = std::move(copy);
  return true;
}

}  // namespace veneer
