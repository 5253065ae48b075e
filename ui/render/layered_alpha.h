#ifndef UI_RENDER_LAYERED_ALPHA_H_
#define UI_RENDER_LAYERED_ALPHA_H_

#include <windows.h>

#include <cstdint>

namespace veneer {

// A 32-bit image in memory: premultiplied 0xAARRGGBB pixels, row-major, top row first, `width` pixels
// a row. Not owned.
struct ArgbPixels {
  uint32_t* pixels;
  int width;
  int height;
};

// The pixel arithmetic of a layered window's off-screen image, as plain functions. Each works on the
// part of `area` that lies inside the image and leaves every other pixel as it is.

// Sets every pixel of the area to 0 (transparent black).
void ClearPixels(const ArgbPixels& image, const RECT& area);
// Gives alpha 255 to every pixel of the area that has some colour but alpha 0: the platform's text and
// line drawing writes colour without alpha, and would otherwise stay invisible.
void MakeColouredPixelsOpaque(const ArgbPixels& image, const RECT& area);
// Multiplies the colour and alpha of every pixel of the area by the alpha of the pixel at the same place
// in `mask` (an image of the same size), rounding to nearest: the mask's alpha shapes the window.
void MultiplyByMaskAlpha(const ArgbPixels& image, const ArgbPixels& mask, const RECT& area);

}  // namespace veneer

#endif  // UI_RENDER_LAYERED_ALPHA_H_
