#ifndef TESTS_RENDER_TEST_BITMAP_H_
#define TESTS_RENDER_TEST_BITMAP_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "tests/support/dib_surface.h"
#include "ui/core/win_handles.h"

namespace veneer::test {

// A top-down 32-bit DIB section filled from 0xAARRGGBB values (premultiplied, as the image loader stores
// them), for drawing tests. Owns the bitmap.
class TestBitmap {
 public:
  TestBitmap(int width, int height, const std::vector<uint32_t>& pixels);
  TestBitmap(int width, int height, uint32_t fill);
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  HBITMAP get() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  uint32_t Pixel(int x, int y) const { return bits_[y * width_ + x]; }
  void SetPixel(int x, int y, uint32_t argb) { bits_[y * width_ + x] = argb; }
  void FillRect(const RECT& area, uint32_t argb);

 private:
  int width_;
  int height_;
  ScopedBitmap bitmap_;
  uint32_t* bits_;  // Owned by bitmap_.
};

// 8 x 8 opaque pixels: a distinct colour in each 2 x 2 corner (0x110000 top left, 0x220000 top right,
// 0x330000 bottom left, 0x440000 bottom right), blue edges and a green middle; for nine-grid tests.
std::vector<uint32_t> CorneredImagePixels();

// True when every colour channel (and alpha with `with_alpha`) differs by at most `tolerance`.
bool NearColor(uint32_t actual, uint32_t expected, int tolerance, bool with_alpha = false);

}  // namespace veneer::test

#endif  // TESTS_RENDER_TEST_BITMAP_H_
