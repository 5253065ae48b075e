#ifndef TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_
#define TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/render/layered_alpha.h"

namespace tessaro::preview {

// The pictures the previewer writes, and the plain arithmetic that lays a window over its drop shadow.
// Nothing here touches a window; the values own their pixels. Any thread.

// An opaque picture: rows from the top, 0xFFRRGGBB pixels.
struct PreviewPicture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The colour a --shadow picture shows under the drop shadow: an opaque light grey (#DCDCDC), on which
// the shadow's darkening shows and the product's white dialogs stand out.
constexpr uint32_t kShadowBackdrop = 0xFFDCDCDC;

// A window and its drop shadow as a screen of colour `backdrop` (opaque) shows them: the premultiplied
// `shadow` image blended over the backdrop, the window's `client` picture on top. The origins are the
// screen positions of the two images' top left corners; the picture covers both images and starts at
// the top left of what they cover.
PreviewPicture ComposeShadowedWindow(const veneer::ArgbPixels& shadow, POINT shadow_origin,
                                     const PreviewPicture& client, POINT client_origin, uint32_t backdrop);

}  // namespace tessaro::preview

#endif  // TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_
