#ifndef UI_RENDER_IMAGE_DESCRIPTOR_H_
#define UI_RENDER_IMAGE_DESCRIPTOR_H_

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"
#include "ui/render/nine_grid.h"

namespace veneer {

// How one image is to be drawn, parsed from a skin's image text ("file='pro.png' corner='2,2,2,2'", or a
// bare file name). A plain value: it names its image but does not load or hold it (the paint manager's
// image tables do). The paint manager caches one per window and text pair and owns those copies.
struct ImageDescriptor {
  CUIString descriptor_text;  // The main text as given.
  CUIString modifier_text;    // A second text whose items override those of the first.
  CUIString image_name;       // File, archive entry or numeric resource id; the whole text by default.
  CUIString resource_type;    // Non-empty: load from the module's resources of this type.
  CUIRect dest;               // Area inside the control's rectangle; all zero means the whole rectangle.
  CUIRect source;             // Part of the bitmap; all zero means the whole bitmap.
  CUIRect corner;             // Nine-grid border widths (left, top, right, bottom) in bitmap pixels.
  uint32_t mask = 0;          // 0xAARRGGBB; pixels equal to it (premultiplied) become transparent.
  uint8_t fade = 255;         // Constant opacity; 255 is opaque.
  bool hole = false;          // Leave the middle cell of the nine-grid undrawn.
  bool xtiled = false;        // Tile the middle cell horizontally instead of stretching it.
  bool ytiled = false;        // Tile the middle cell vertically instead of stretching it.
  bool hsl = false;           // Hue/saturation/lightness request used when a button cuts its state strip.

  // How the nine-grid's middle cell is drawn: a hole wins over tiling.
  NineGridMiddle Middle() const;
};

// Restores every field to its default: fade 255, everything else empty, zero or false.
void ClearImageDescriptor(ImageDescriptor* record);

// Clears `record`, then fills it from the descriptor text and afterwards the modifier text (either may be
// null), so that a modifier item overrides the same key of the descriptor. Items are key='value' pairs
// separated by single blanks; keys are case-sensitive, unknown keys and empty values change nothing, and
// a malformed item ends the scan of its text, keeping what was read before it. The dest, source and
// corner rectangles are scaled by `scale_percent` (100: unchanged) as they are read.
void ParseImageDescriptor(ImageDescriptor* record, const wchar_t* descriptor, const wchar_t* modifier,
                          int scale_percent = 100);

}  // namespace veneer

#endif  // UI_RENDER_IMAGE_DESCRIPTOR_H_
