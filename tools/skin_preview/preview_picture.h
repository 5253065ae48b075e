#ifndef TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_
#define TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_

#include <windows.h>

#include <cstdint>

#include "tools/common/client_picture.h"
#include "ui/render/layered_alpha.h"

namespace tessaro::preview {

using tools::ClientPicture;

// The pictures the previewer writes, and the plain arithmetic that lays a window over its drop shadow.
// Nothing here touches a window; the values own their pixels. Any thread.

// The colour a --shadow picture shows under the drop shadow: an opaque light grey (#DCDCDC), on which
// the shadow's darkening shows and the product's white dialogs stand out.
constexpr uint32_t kShadowBackdrop = 0xFFDCDCDC;

// A window and its drop shadow as a screen of colour `backdrop` (opaque) shows them: the premultiplied
// `shadow` image blended over the backdrop, the window's `client` picture on top. The origins are the
// screen positions of the two images' top left corners; the picture covers both images and starts at
// the top left of what they cover.
ClientPicture ComposeShadowedWindow(const veneer::ArgbPixels& shadow, POINT shadow_origin,
                                    const ClientPicture& client, POINT client_origin, uint32_t backdrop);

}  // namespace tessaro::preview

#endif  // TOOLS_SKIN_PREVIEW_PREVIEW_PICTURE_H_
