#include "ui/render/image_record.h"

#include <cstring>
#include <new>

namespace veneer {

ImageRecord::~ImageRecord() { delete[] unadjusted_pixels; }

bool ImageRecord::KeepUnadjustedPixels() {
  if (!pixels || width <= 0 || height <= 0) return false;
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  uint32_t* copy = new (std::nothrow) uint32_t[count];
  if (!copy) return false;
  std::memcpy(copy, pixels, count * sizeof(uint32_t));
  delete[] unadjusted_pixels;
  unadjusted_pixels = copy;
  return true;
}

void FreeImageRecord(ImageRecord* record) { delete record; }

}  // namespace veneer
