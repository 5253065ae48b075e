#ifndef UI_RENDER_MSIMG32_FUNCTIONS_H_
#define UI_RENDER_MSIMG32_FUNCTIONS_H_

#include <windows.h>

#include <cstdint>

namespace veneer {

// The two drawing entry points of the system folder's "msimg32.dll", resolved at run time once per
// process (LoadSystemLibrary), and the built-in routines that stand in for them where the platform
// lacks them. The lookup never fails: a missing AlphaBlend is replaced by BuiltInAlphaBlend, a missing
// GradientFill is reported as null and its callers draw FillGradientBands instead. The functions are
// plain so that tests can call the substitutes directly even where the platform has the originals.
using AlphaBlendFunction = BOOL(WINAPI*)(HDC dest, int x, int y, int width, int height, HDC source,
                                         int source_x, int source_y, int source_width, int source_height,
                                         BLENDFUNCTION blend);
using GradientFillFunction = BOOL(WINAPI*)(HDC dc, PTRIVERTEX vertices, ULONG vertex_count, PVOID mesh,
                                           ULONG mesh_count, ULONG mode);

struct Msimg32Functions {
  AlphaBlendFunction alpha_blend;      // Never null.
  GradientFillFunction gradient_fill;  // Null when the platform has none.
};

// Resolved on the first call (thread-safe); the library stays loaded until the process ends.
const Msimg32Functions& GetMsimg32Functions();

// AlphaBlend's source-over blend of premultiplied pixels done by hand: the source area is stretched
// to the destination size into a 32-bit bitmap, the destination area copied into a second one, and
// every pixel mixed as dest = source * c / 255 + dest * (1 - a * c / 255 / 255), with c the constant
// alpha and a the source pixel's alpha (255 when the blend has no AC_SRC_ALPHA flag); the alpha byte
// is mixed the same way. Returns FALSE, drawing nothing, for empty or oversized areas or when a
// bitmap or memory context cannot be created.
BOOL WINAPI BuiltInAlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
                              int source_y, int source_width, int source_height, BLENDFUNCTION blend);

// The band approximation of a two-colour gradient (colours 0xAARRGGBB, alpha ignored): 2^k solid
// bands, k from `steps` (6 for 64 or more, 5 for 32, 4 for 16, 3 above 7, 2 above 3, else 1). Band 0
// has the second colour and lies at the bottom (vertical) or right edge; band i mixes the colours as
// (second * (2^k - i) + first * i) >> k per channel. Empty bands are skipped.
void FillGradientBands(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical, int steps);

}  // namespace veneer

#endif  // UI_RENDER_MSIMG32_FUNCTIONS_H_
