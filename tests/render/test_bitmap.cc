#include "tests/render/test_bitmap.h"

#include <cstdlib>

namespace veneer::test {

TestBitmap::TestBitmap(int width, int height, uint32_t fill)
    : TestBitmap(width, height, std::vector<uint32_t>(width * height, fill)) {}

TestBitmap::TestBitmap(int width, int height, const std::vector<uint32_t>& pixels)
    : width_(width), height_(height), bitmap_(nullptr), bits_(nullptr) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<uint32_t*>(bits);
  if (bits_) {
    for (size_t i = 0; i < pixels.size() && i < static_cast<size_t>(width * height); ++i)
      bits_[i] = pixels[i];
  }
}

TestBitmap::~TestBitmap() {
  if (bitmap_) DeleteObject(bitmap_);
}

void TestBitmap::FillRect(const RECT& area, uint32_t argb) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) SetPixel(x, y, argb);
  }
}

bool NearColor(uint32_t actual, uint32_t expected, int tolerance, bool with_alpha) {
  const bool colours = std::abs(Red(actual) - Red(expected)) <= tolerance &&
                       std::abs(Green(actual) - Green(expected)) <= tolerance &&
                       std::abs(Blue(actual) - Blue(expected)) <= tolerance;
  return colours && (!with_alpha || std::abs(Alpha(actual) - Alpha(expected)) <= tolerance);
}

}  // namespace veneer::test
