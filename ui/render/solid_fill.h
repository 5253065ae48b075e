#ifndef UI_RENDER_SOLID_FILL_H_
#define UI_RENDER_SOLID_FILL_H_

#include <windows.h>

#include <cstdint>

namespace veneer {

// Writes the 32-bit value `colour` (0xAARRGGBB, alpha included, nothing blended) into every pixel of
// `rect` that drawing on `dc` may reach (its clip region and its bitmap): the pixels a GDI+ fill of an
// opaque colour writes, at a fraction of the cost. Into a 32-bit DIB section of a memory context with
// plain text-mode coordinates the pixels are written directly; on any other context a one-pixel bitmap
// is stretched over the rectangle. False, with nothing written, for a null context, an empty or inverted
// rectangle, or when the platform refuses. UI thread only (a process-wide one-pixel bitmap is kept).
bool FillSolid(HDC dc, const RECT& rect, uint32_t colour);

}  // namespace veneer

#endif  // UI_RENDER_SOLID_FILL_H_
