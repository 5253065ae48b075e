#ifndef UI_RENDER_SHADOW_PIXELS_H_
#define UI_RENDER_SHADOW_PIXELS_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/core/geometry.h"
#include "ui/render/layered_alpha.h"

namespace veneer {

// The pixel arithmetic of a window's drop shadow, as plain functions: where the shadow goes, the image
// mode's nine-grid frame and the colour mode's blurred outline. They draw into a caller's premultiplied
// image (ArgbPixels) that starts transparent, never write outside it, and own nothing. Any thread.

// The screen rectangle of the shadow of a window whose frame is `window`: `size` pixels larger on each
// side (smaller for a negative size), moved by `offset`. Empty when the shadow would be empty or larger
// than a bitmap may be (kMaxBitmapPixels).
CUIRect ShadowPlacement(const RECT& window, int size, POINT offset);

// Copies `image` (premultiplied, top row first) into the whole of `target` as a nine-grid frame with
// border widths `corner` (left, top, right, bottom, in image pixels): corners unscaled, edges stretched
// along their length, the middle cell left untouched (the window shows through it). Stretching takes
// the nearest image pixel. Pieces whose image area lies outside the image (corners wider than the image)
// are left out.
void ComposeNineGridFrame(const ArgbPixels& target, const ArgbPixels& image, const RECT& corner);

// The inside columns [left, right) of one pixel row of a window's outline; empty when left >= right.
struct RowSpan {
  int left = 0;
  int right = 0;
  bool IsEmpty() const { return left >= right; }
};

// The outline of a `width` x `height` window whose region is the union of `rectangles` (window
// coordinates): for each row, from the leftmost to the rightmost inside column. Parts outside the
// window are ignored.
std::vector<RowSpan> OutlineFromRectangles(const std::vector<RECT>& rectangles, int width, int height);

// How the colour mode draws: the shadow reaches `size` pixels beyond the outline (-35..35), blurred over
// `sharpness` pixels (0..35), at most `darkness` opaque (0..255), in `colour` (0xAARRGGBB, alpha unused).
struct ColourShadowStyle {
  int size;
  int sharpness;
  int darkness;
  uint32_t colour;
};

// The alpha of a blur kernel cell at distance `distance` from its centre: `darkness` within the solid
// core (size - sharpness, when positive), falling by darkness / (sharpness + 1) a pixel beyond it, 0
// past the kernel's radius max(size, sharpness).
int KernelAlpha(const ColourShadowStyle& style, double distance);

// Draws the colour-mode shadow of `outline` (one span per window row) into `target`, whose size is the
// window's grown by `style.size` on each side: the outline is first narrowed by sharpness - size pixels
// (when positive), its inside filled with darkness and the kernel stamped along its edge, each pixel
// keeping the darkest value it is given. Stamps reaching past the target are cut off.
void MakeColourShadow(const ArgbPixels& target, const std::vector<RowSpan>& outline,
                      const ColourShadowStyle& style);

}  // namespace veneer

#endif  // UI_RENDER_SHADOW_PIXELS_H_
