#ifndef UI_RENDER_IMAGE_RECORD_H_
#define UI_RENDER_IMAGE_RECORD_H_

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ui/core/ui_string.h"
#include "ui/core/win_handles.h"
#include "ui/render/scaled_copies.h"

namespace veneer {

// One decoded image: a 32-bit top-down DIB section whose pixels are stored B, G, R, A with the colour
// channels premultiplied by alpha. It knows nothing of how it is drawn or where it came from beyond its
// resource type and mask. Created by the image loader; owned by the image table that holds it (the paint
// manager's), which deletes it when the entry is removed.
struct ImageRecord {
  ImageRecord() = default;
  ImageRecord(const ImageRecord&) = delete;
  ImageRecord& operator=(const ImageRecord&) = delete;

  // Keeps a copy of the current pixels as the unadjusted original (for hue/saturation/lightness changes).
  // False without pixels or when the copy cannot be allocated; the record is then unchanged.
  bool KeepUnadjustedPixels();

  ScopedBitmap bitmap;         // Owned; deleted with the record.
  uint32_t* pixels = nullptr;  // The bitmap's pixel memory (width * height), owned by `bitmap`.
  std::unique_ptr<uint32_t[]> unadjusted_pixels;  // Copy of the original pixels, or null.
  int width = 0;
  int height = 0;
  bool has_alpha = false;    // Some pixel is not fully opaque or matched the mask.
  bool adjusts_hsl = false;  // Registered for hue/saturation/lightness adjustment.
  CUIString resource_type;   // The resource type it was loaded with; empty for files.
  uint32_t mask = 0;         // The mask colour it was loaded with.
  // Stretched drawings of the pixels at the sizes they were drawn at; forgotten when the pixels change.
  ScaledCopies scaled_copies;
};

}  // namespace veneer

#endif  // UI_RENDER_IMAGE_RECORD_H_
