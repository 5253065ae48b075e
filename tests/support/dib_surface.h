#ifndef TESTS_SUPPORT_DIB_SURFACE_H_
#define TESTS_SUPPORT_DIB_SURFACE_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/core/win_handles.h"

namespace veneer::test {

// Channels of a 0xAARRGGBB value, and its colour without alpha.
inline int Alpha(uint32_t argb) { return static_cast<int>(argb >> 24); }
inline int Red(uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
inline int Green(uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }
inline int Blue(uint32_t argb) { return static_cast<int>(argb & 0xFF); }
inline uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }

// A top-down 32-bit DIB section selected into its own memory device context: draw into dc(), then
// read pixels back. Pixels read as 0xAARRGGBB (the section stores B, G, R, A). Owns the bitmap and
// the device context and releases both, restoring the context's original bitmap first.
class DibSurface {
 public:
  DibSurface(int width, int height);
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool ok() const { return static_cast<bool>(bitmap_); }
  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }

  // Flushes pending GDI drawing, then reads one pixel; (x, y) must lie inside the surface.
  uint32_t Pixel(int x, int y) const;
  void Fill(uint32_t argb);
  // Counts the pixels that differ from `argb` inside [left, right) x [top, bottom).
  int CountPixelsNotEqual(uint32_t argb, const RECT& area) const;

  // Writes the surface as an RGBA PNG; returns false when the file cannot be written.
  bool WritePng(const std::wstring& path) const;
  // Writes NAME.png into the folder named by TESSARO_TEST_OUTPUT (or the current folder), for
  // failure reports; returns the path written, or an empty text.
  std::wstring SaveForFailureReport(const std::wstring& name) const;

 private:
  int width_;
  int height_;
  ScopedMemoryDC dc_;
  uint32_t* bits_;             // The section's pixels; owned by bitmap_.
  ScopedBitmap bitmap_;        // The DIB section.
  ScopedSelection selection_;  // bitmap_ in dc_; puts the context's original bitmap back first.
};

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_DIB_SURFACE_H_
