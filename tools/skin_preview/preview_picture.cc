#include "tools/skin_preview/preview_picture.h"

#include <algorithm>

namespace tessaro::preview {
namespace {

// A premultiplied pixel over an opaque one, rounding to nearest.
uint32_t BlendOverOpaque(uint32_t source, uint32_t below) {
  const uint32_t transparency = 255 - (source >> 24);
  uint32_t blended = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel =
        ((source >> shift) & 0xFF) + (((below >> shift) & 0xFF) * transparency + 127) / 255;
    blended |= std::min<uint32_t>(channel, 255) << shift;
  }
  return blended;
}

}  // namespace

ClientPicture ComposeShadowedWindow(const veneer::ArgbPixels& shadow, POINT shadow_origin,
                                    const ClientPicture& client, POINT client_origin, uint32_t backdrop) {
  const LONG left = std::min(shadow_origin.x, client_origin.x);
  const LONG top = std::min(shadow_origin.y, client_origin.y);
  const LONG right = std::max(shadow_origin.x + shadow.width, client_origin.x + client.width);
  const LONG bottom = std::max(shadow_origin.y + shadow.height, client_origin.y + client.height);
  ClientPicture picture;
  picture.width = right - left;
  picture.height = bottom - top;
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, backdrop | 0xFF000000u);
  const auto at = [&picture](LONG x, LONG y) -> uint32_t& {
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
  };
  const LONG shadow_x = shadow_origin.x - left;
  const LONG shadow_y = shadow_origin.y - top;
  for (int y = 0; y < shadow.height; ++y) {
    const uint32_t* row = shadow.pixels + static_cast<size_t>(y) * shadow.width;
    for (int x = 0; x < shadow.width; ++x) {
      uint32_t& pixel = at(shadow_x + x, shadow_y + y);
      pixel = BlendOverOpaque(row[x], pixel);
    }
  }
  const LONG client_x = client_origin.x - left;
  const LONG client_y = client_origin.y - top;
  for (int y = 0; y < client.height; ++y) {
    const auto row = client.pixels.begin() + static_cast<ptrdiff_t>(y) * client.width;
    std::copy(row, row + client.width, &at(client_x, client_y + y));
  }
  return picture;
}

}  // namespace tessaro::preview
