#include "tests/render/test_bitmap.h"

#include <cstdlib>

#include "ui/render/dib_section.h"

namespace veneer::test {

TestBitmap::TestBitmap(int width, int height, uint32_t fill)
    : TestBitmap(width, height, std::vector<uint32_t>(width * height, fill)) {}

TestBitmap::TestBitmap(int width, int height, const std::vector<uint32_t>& pixels)
    : width_(width), height_(height), bits_(nullptr) {
  bitmap_ = CreateDibSection32(nullptr, width, height, true, &bits_);
  if (bits_) {
    for (size_t i = 0; i < pixels.size() && i < static_cast<size_t>(width * height); ++i)
      bits_[i] = pixels[i];
  }
}

void TestBitmap::FillRect(const RECT& area, uint32_t argb) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) SetPixel(x, y, argb);
  }
}

std::vector<uint32_t> CorneredImagePixels() {
  std::vector<uint32_t> pixels(64, 0xFF0000FF);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint32_t& p = pixels[y * 8 + x];
      if (x >= 2 && x < 6 && y >= 2 && y < 6) p = 0xFF00FF00;
      if (x < 2 && y < 2) p = 0xFF110000;
      if (x >= 6 && y < 2) p = 0xFF220000;
      if (x < 2 && y >= 6) p = 0xFF330000;
      if (x >= 6 && y >= 6) p = 0xFF440000;
    }
  }
  return pixels;
}

bool NearColor(uint32_t actual, uint32_t expected, int tolerance, bool with_alpha) {
  const bool colours = std::abs(Red(actual) - Red(expected)) <= tolerance &&
                       std::abs(Green(actual) - Green(expected)) <= tolerance &&
                       std::abs(Blue(actual) - Blue(expected)) <= tolerance;
  return colours && (!with_alpha || std::abs(Alpha(actual) - Alpha(expected)) <= tolerance);
}

}  // namespace veneer::test
