#ifndef UI_RENDER_RENDER_ENGINE_H_
#define UI_RENDER_RENDER_ENGINE_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/render/clip_region.h"
#include "ui/render/nine_grid.h"
#include "ui/render/render_resources.h"

namespace veneer {

struct ImageDescriptor;
struct ImageRecord;

// The stateless drawing operations that controls and the paint manager paint with: images through
// their descriptors (nine-grid, tiling, hole, fade), solid and translucent colours, gradients, lines
// and outlines, one-format text through GDI or GDI+, text measuring, hue/saturation/lightness changes
// and clip regions. Every operation draws only on the device context it is given and puts back every
// object and mode it changes there. It owns nothing between calls; images and fonts come from the window's
// drawing resources (the paint manager's tables). Tagged (formatted) text is not drawn here. UI thread only.
// Colours are 0xAARRGGBB; rectangles are device pixels with exclusive right and bottom.
class Renderer {
 public:
  Renderer() = delete;

  // Draws the window's cached descriptor for the text pair (either text may be null) into `item`,
  // restricted to pieces that meet `paint`. False when the context or paint manager is missing, both
  // texts are empty, or the image cannot be obtained; true when the image exists, drawn or not visible.
  static bool DrawImageDescriptor(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                                  const wchar_t* descriptor, const wchar_t* modifier = nullptr,
                                  HINSTANCE instance = nullptr);
  // The same for a parsed descriptor: its dest (when not all zero) places the image inside `item`,
  // clipped at item's right and bottom edges. Its hsl flag is not used here.
  static bool DrawImageInfo(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                            const ImageDescriptor* descriptor, HINSTANCE instance = nullptr);
  // Obtains the image by name through the paint manager (loading it on first use) and draws it into
  // `dest`. A source of all zeros means the whole bitmap; a larger source is cut to the bitmap.
  static bool DrawImageByName(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                              const wchar_t* name, const wchar_t* resource_type, const RECT& dest,
                              const RECT& source, const RECT& corner, uint32_t mask, uint8_t fade,
                              NineGridMiddle middle, HINSTANCE instance = nullptr);
  // The nine-grid drawing of `source` of a 32-bit premultiplied bitmap into `dest` (see LayoutNineGrid).
  // Pieces are alpha-blended with constant alpha `fade` when `has_alpha` is set or `fade` is below 255,
  // and copied otherwise; an opaque, cornerless bitmap drawn at its own size costs one BitBlt of the
  // part inside `paint`. False, drawing nothing, without a context or bitmap, or when the bitmap cannot
  // be selected (it is selected into another context).
  static bool DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                         const RECT& corner, bool has_alpha, uint8_t fade = 255,
                         NineGridMiddle middle = NineGridMiddle::kStretch);

  // Fills the rectangle through GDI+, honouring the colour's alpha; alpha 0 draws nothing.
  static void DrawColor(HDC dc, const RECT& rect, uint32_t color);
  // A two-colour gradient, top to bottom when `vertical`, else left to right, drawn with the mean of
  // the two alphas as constant opacity (nothing when it is 0). `steps` chooses the band count of the
  // fallback used where the platform has no GradientFill.
  static void DrawGradient(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical,
                           int steps);
  // A GDI line from (left, top) to (right, bottom), the end point excluded.
  static void DrawLine(HDC dc, const RECT& rect, int width, uint32_t color, int pen_style = PS_SOLID);
  // A GDI+ outline drawn inside the rectangle, honouring the colour's alpha.
  static void DrawRect(HDC dc, const RECT& rect, int width, uint32_t color);
  // A GDI rounded outline; the inside is left as it is.
  static void DrawRoundRect(HDC dc, const RECT& rect, int width, int corner_width, int corner_height,
                            uint32_t color, int pen_style = PS_SOLID);

  // Draws one text with the platform's DrawTextW format flags and the font of `font_id` (an unknown or
  // negative id gives the default font); with DT_CALCRECT it only measures and updates `rect`. GDI is
  // used unless the paint manager paints a layered window, asks for GDI+ text, or `force_gdiplus` is
  // set. On the GDI path a "&#xHHHH" glyph reference in the text draws that one character instead (see
  // ParseGlyphReference); GDI+ draws the text as written. Nothing happens without text or manager. The
  // text is only read (DT_MODIFYSTRING is ignored).
  static void DrawPlainText(HDC dc, IRenderResources* manager, RECT& rect, const wchar_t* text,
                            uint32_t color, int font_id, UINT format, bool force_gdiplus = false);
  // Fills the rectangle with `background` (DrawColor), then draws the text into it.
  static void DrawTextOnColor(HDC dc, IRenderResources* manager, const RECT& rect, const wchar_t* text,
                              uint32_t color, int font_id, UINT format, uint32_t background);
  // Width and height of the text on one line in the font of `font_id`; 0, 0 without text, context or
  // paint manager.
  static CUISize MeasureText(HDC dc, IRenderResources* manager, const wchar_t* text, int font_id);
  // The icon-font glyph that a text refers to: the (at most four) characters after the first "&#x",
  // less one trailing blank and then one trailing ';', read as hexadecimal ("&#xE601;" gives U+E601).
  // False when the text has no reference or no hexadecimal digits follow it.
  static bool ParseGlyphReference(const wchar_t* text, wchar_t* glyph);

  // The colour moved in hue by (hue - 180) degrees and with saturation and lightness scaled by the
  // percentages; alpha is kept. Hue 180, saturation 100 and luminance 100 return it unchanged.
  static uint32_t AdjustColorHsl(uint32_t color, int hue, int saturation, int luminance);
  // Rewrites an image registered for adjustment from its unadjusted copy: adjusted when `apply` is set
  // (colours are adjusted before premultiplication, so translucent pixels stay valid), restored when it
  // is not or when the values mean "unchanged". Does nothing for images without pixels, copy or the
  // adjusts-HSL flag.
  static void AdjustImageHsl(bool apply, ImageRecord* image, int hue, int saturation, int luminance);

  // Intersects the context's clip with the rectangle, or with the rectangle rounded by the corner
  // ellipse (corner_width x corner_height); `clip` undoes it when it is destroyed. False, the context
  // unchanged, when a region cannot be made or selected.
  static bool ClipToRect(HDC dc, const RECT& rect, ClipRegion* clip);
  static bool ClipToRoundRect(HDC dc, const RECT& rect, int corner_width, int corner_height,
                              ClipRegion* clip);
  // Selects the clip in force before `clip` for painting outside it, then `clip` again.
  static void UseOuterClipBegin(HDC dc, ClipRegion* clip);
  static void UseOuterClipEnd(HDC dc, ClipRegion* clip);

  // A 32-bit bottom-up DIB section; *pixels (the bitmap's memory, owned by the bitmap) is set, or null
  // on failure. The caller owns the bitmap. Null for empty or oversized (over 64 M pixels) sizes.
  static HBITMAP CreateArgbBitmap(HDC dc, int width, int height, uint32_t** pixels);
};

}  // namespace veneer

#endif  // UI_RENDER_RENDER_ENGINE_H_
