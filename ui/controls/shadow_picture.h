#ifndef UI_CONTROLS_SHADOW_PICTURE_H_
#define UI_CONTROLS_SHADOW_PICTURE_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/core/win_handles.h"
#include "ui/render/render_resources.h"
#include "ui/runtime/shadow_settings.h"

namespace veneer {

// One drawing of a window's drop shadow, ready for UpdateLayeredWindow: a 32-bit top-down DIB section of
// premultiplied pixels and the screen rectangle (of the bitmap's size) where the shadow window goes. A
// plain value that owns its bitmap.
struct ShadowPicture {
  ScopedBitmap bitmap;
  uint32_t* pixels = nullptr;  // The bitmap's memory, owned by `bitmap`; placement's size, top row first.
  CUIRect placement;
};

// Where the shadow of a window with frame `frame` goes on the screen: grown by the settings' size on each
// side and, in the colour mode, moved by their offset. Empty when the shadow would be empty or oversized.
CUIRect ShadowPlacementFor(const RECT& frame, const CShadowSettings& settings);

// Draws the shadow of `parent` as `settings` describe it, for the window's current frame: in the image
// mode the settings' image (obtained from `resources` by name) as a nine-grid frame with a transparent
// middle, in the colour mode the blurred outline of the window's region (its rectangle when it has
// none). False, with nothing drawn, when there is nothing to draw: no window, an empty or oversized
// shadow, no image in the image mode, size 0 in the colour mode, or no bitmap.
bool ComposeShadowPicture(HWND parent, const CShadowSettings& settings, IRenderResources* resources,
                          ShadowPicture* picture);

}  // namespace veneer

#endif  // UI_CONTROLS_SHADOW_PICTURE_H_
