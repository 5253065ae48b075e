#ifndef UI_RENDER_DIB_SECTION_H_
#define UI_RENDER_DIB_SECTION_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/win_handles.h"

namespace veneer {

// Bitmaps larger than this (4096 x 4096, 16 M pixels, 64 MB) are refused rather than risk the address
// space; decoded images are capped at the same size.
constexpr int64_t kMaxBitmapPixels = 4096 * 4096;

// Creates a 32-bit device-independent bitmap section of `width` x `height` pixels, rows top to bottom
// when `top_down`, else bottom to top, and points `*pixels` at its pixel memory (owned by the bitmap).
// Empty, with `*pixels` null, for an empty or oversized size or when the platform refuses.
ScopedBitmap CreateDibSection32(HDC dc, int width, int height, bool top_down, uint32_t** pixels);

}  // namespace veneer

#endif  // UI_RENDER_DIB_SECTION_H_
