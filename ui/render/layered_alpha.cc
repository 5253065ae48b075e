#include "ui/render/layered_alpha.h"

#include <algorithm>
#include <cstddef>

namespace veneer {
namespace {

// Calls `change(pixel)` for every pixel of the area inside the image, with the pixel's offset.
template <typename Change>
void ForEachPixel(const ArgbPixels& image, const RECT& area, Change&& change) {
  if (!image.pixels) return;
  const int left = std::max<int>(area.left, 0);
  const int top = std::max<int>(area.top, 0);
  const int right = std::min<int>(area.right, image.width);
  const int bottom = std::min<int>(area.bottom, image.height);
  for (int y = top; y < bottom; ++y) {
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(image.width);
    for (int x = left; x < right; ++x) change(image.pixels[row + x], row + x);
  }
}

uint32_t MultiplyChannel(uint32_t pixel, int shift, uint32_t alpha) {
  return ((((pixel >> shift) & 0xFF) * alpha + 127) / 255) << shift;
}

}  // namespace

void ClearPixels(const ArgbPixels& image, const RECT& area) {
  ForEachPixel(image, area, [](uint32_t& pixel, size_t) { pixel = 0; });
}

void MakeColouredPixelsOpaque(const ArgbPixels& image, const RECT& area) {
  ForEachPixel(image, area, [](uint32_t& pixel, size_t) {
    if (pixel != 0 && (pixel >> 24) == 0) pixel |= 0xFF000000;
  });
}

void MultiplyByMaskAlpha(const ArgbPixels& image, const ArgbPixels& mask, const RECT& area) {
  if (!mask.pixels || mask.width != image.width || mask.height != image.height) return;
  ForEachPixel(image, area, [&mask](uint32_t& pixel, size_t offset) {
    const uint32_t alpha = mask.pixels[offset] >> 24;
    if (alpha == 255) return;
    pixel = MultiplyChannel(pixel, 24, alpha) | MultiplyChannel(pixel, 16, alpha) |
            MultiplyChannel(pixel, 8, alpha) | MultiplyChannel(pixel, 0, alpha);
  });
}

}  // namespace veneer
