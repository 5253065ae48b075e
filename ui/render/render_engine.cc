#include "ui/render/render_engine.h"

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out of <windows.h>: <objidl.h> first.
#include <objidl.h>

#include <gdiplus.h>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <utility>

#include "ui/core/attribute_values.h"
#include "ui/core/win_handles.h"
#include "ui/render/dib_section.h"
#include "ui/render/gdiplus_session.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/image_record.h"
#include "ui/render/msimg32_functions.h"
#include "ui/render/nine_grid.h"
#include "ui/render/render_resources.h"
#include "ui/render/solid_fill.h"

namespace veneer {
namespace {

namespace gp = Gdiplus::DllExports;

COLORREF ToColorRef(uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

bool Intersects(const RECT& a, const RECT& b) {
  RECT overlap;
  return IntersectRect(&overlap, &a, &b) != FALSE;
}

bool IsAllZero(const RECT& rect) {
  return rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
}

// A GDI+ drawing surface on a device context; empty without a context or GDI+.
ScopedGdiplusGraphics GraphicsOn(HDC dc) {
  ScopedGdiplusGraphics graphics;
  if (dc && EnsureGdiplusStarted() && gp::GdipCreateFromHDC(dc, graphics.receive()) != Gdiplus::Ok)
    graphics.release();  // A failed call leaves nothing to delete.
  return graphics;
}

// A memory context for the time of one drawing call: the process's own one while no other call has it
// (drawing calls do not nest, so it is almost always free), else a context made for the call. Whoever
// selects something into it puts it back before giving the context back. UI thread only.
class LentMemoryDC {
 public:
  LentMemoryDC() {
    if (!shared_lent_ && Shared()) {
      shared_lent_ = true;
      lent_ = true;
      dc_ = Shared();
    } else {
      own_.reset(CreateCompatibleDC(nullptr));
      dc_ = own_.get();
    }
  }
  LentMemoryDC(const LentMemoryDC&) = delete;
  LentMemoryDC& operator=(const LentMemoryDC&) = delete;
  ~LentMemoryDC() {
    if (lent_) shared_lent_ = false;
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  static HDC Shared() {
    static const ScopedMemoryDC shared(CreateCompatibleDC(nullptr));
    return shared.get();
  }
  static bool shared_lent_;
  ScopedMemoryDC own_;
  HDC dc_ = nullptr;
  bool lent_ = false;
};

bool LentMemoryDC::shared_lent_ = false;

bool IsOpaque(uint32_t colour) { return colour >= 0xFF000000; }

// An opaque colour filled the fast way (FillSolid writes what GDI+ would); false, drawing nothing, for
// other colours, inverted or empty rectangles (GDI+ has its own answer for those) and failures.
bool FillOpaque(HDC dc, const RECT& rect, uint32_t colour) {
  return IsOpaque(colour) && FillSolid(dc, rect, colour);
}

// The one-pixel outline of an opaque colour along the inside of `rect`, as four fills: the pixels of a
// GDI+ outline of width 1. False, drawing nothing, for other colours and for rectangles of fewer than
// two pixels either way.
bool FillFrame(HDC dc, const RECT& rect, uint32_t colour) {
  const CUIRect r(rect);
  if (!dc || !IsOpaque(colour) || r.GetWidth() < 2 || r.GetHeight() < 2) return false;
  return FillOpaque(dc, {r.left, r.top, r.right, r.top + 1}, colour) &&
         FillOpaque(dc, {r.left, r.bottom - 1, r.right, r.bottom}, colour) &&
         (r.GetHeight() == 2 || (FillOpaque(dc, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, colour) &&
                                 FillOpaque(dc, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, colour)));
}

// Draws the pieces of one bitmap: copied, or alpha-blended with a constant alpha.
class PiecePainter {
 public:
  PiecePainter(HDC target, HDC source, bool blend, uint8_t fade)
      : target_(target), source_(source), blend_(blend), fade_(fade) {}

  void Draw(const BitmapPiece& piece) const {
    const CUIRect& d = piece.dest;
    const CUIRect& s = piece.source;
    if (blend_) {
      const BLENDFUNCTION function = {AC_SRC_OVER, 0, fade_, AC_SRC_ALPHA};
      GetMsimg32Functions().alpha_blend(target_, d.left, d.top, d.GetWidth(), d.GetHeight(), source_, s.left,
                                        s.top, s.GetWidth(), s.GetHeight(), function);
    } else if (d.GetWidth() == s.GetWidth() && d.GetHeight() == s.GetHeight()) {
      BitBlt(target_, d.left, d.top, d.GetWidth(), d.GetHeight(), source_, s.left, s.top, SRCCOPY);
    } else {
      StretchBlt(target_, d.left, d.top, d.GetWidth(), d.GetHeight(), source_, s.left, s.top, s.GetWidth(),
                 s.GetHeight(), SRCCOPY);
    }
  }

 private:
  HDC target_;  // Not owned.
  HDC source_;  // Not owned: the memory context holding the bitmap.
  bool blend_;
  uint8_t fade_;
};

// Copies the part of `dest` inside `paint` from the same-sized source with a single BitBlt.
void CopyVisiblePart(HDC target, HDC source, const RECT& dest, const RECT& paint, const RECT& source_rect) {
  RECT visible;
  if (!IntersectRect(&visible, &paint, &dest)) return;
  BitBlt(target, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top,
         source, source_rect.left + visible.left - dest.left, source_rect.top + visible.top - dest.top,
         SRCCOPY);
}

// The nine-grid drawing of a bitmap already selected into `memory`, with the target's stretch mode set
// to halftone for the time of the drawing.
void DrawSelectedBitmap(HDC dc, HDC memory, const RECT& dest, const RECT& paint, const RECT& source,
                        const RECT& corner, bool has_alpha, uint8_t fade, NineGridMiddle middle) {
  const int old_stretch_mode = SetStretchBltMode(dc, HALFTONE);
  const bool blend = has_alpha || fade != 255;
  const CUIRect d(dest);
  const CUIRect s(source);
  if (!blend && IsAllZero(corner) && d.GetWidth() == s.GetWidth() && d.GetHeight() == s.GetHeight()) {
    CopyVisiblePart(dc, memory, dest, paint, source);
  } else {
    const PiecePainter painter(dc, memory, blend, fade);
    LayoutNineGrid(dest, source, corner, middle, paint,
                   [&painter](const BitmapPiece& piece) { painter.Draw(piece); });
  }
  SetStretchBltMode(dc, old_stretch_mode);
}

// Renders the whole nine-grid drawing that `key` describes into a new, transparent DIB section of its
// size, as a direct drawing would (stretching with the same modes, blending at full opacity). Empty on
// failure. `memory` is a memory context to draw with; nothing stays selected into it.
ScopedBitmap RenderScaledCopy(HDC memory, HBITMAP image, const ScaledCopyKey& key) {
  uint32_t* pixels = nullptr;
  ScopedBitmap copy = CreateDibSection32(memory, key.width, key.height, true, &pixels);
  const LentMemoryDC image_dc;
  if (!copy || !image_dc) return {};
  {
    const ScopedSelection target(memory, copy.get());
    const ScopedSelection source(image_dc.get(), image);
    if (!target.IsSelected() || !source.IsSelected()) return {};
    const CUIRect whole(0, 0, key.width, key.height);
    DrawSelectedBitmap(memory, image_dc.get(), whole, whole, key.source, key.corner, key.blended, 255,
                       NineGridMiddle::kStretch);
  }
  GdiFlush();
  return copy;
}

// Draws a stretched nine-grid from the image's copy rendered at the destination's size, made on first
// use: the pieces that meet `paint` are copied (or blended with `fade`) one to one from the copy, which
// touches the same pixels as stretching them again would. False, drawing nothing, when no copy can be
// had (an oversized destination, no memory).
bool DrawThroughScaledCopy(HDC dc, ImageRecord* image, const RECT& dest, const RECT& paint,
                           const RECT& source, const RECT& corner, bool blend, uint8_t fade) {
  const CUIRect area(dest);
  if (area.IsEmpty() || static_cast<int64_t>(area.GetWidth()) * area.GetHeight() > kMaxBitmapPixels)
    return false;
  const ScaledCopyKey key = {area.GetWidth(), area.GetHeight(), CUIRect(source), CUIRect(corner), blend};
  const LentMemoryDC memory;
  if (!memory) return false;
  HBITMAP copy = image->scaled_copies.Find(key);
  if (!copy) copy = image->scaled_copies.Keep(key, RenderScaledCopy(memory.get(), image->bitmap.get(), key));
  const ScopedSelection selection(memory.get(), copy);
  if (!selection.IsSelected()) return false;
  const PiecePainter painter(dc, memory.get(), blend, fade);
  LayoutNineGrid(dest, source, corner, NineGridMiddle::kStretch, paint, [&](const BitmapPiece& piece) {
    CUIRect in_copy(piece.dest);
    in_copy.Offset(-area.left, -area.top);
    painter.Draw(BitmapPiece{piece.dest, in_copy});
  });
  return true;
}

// Fills `rect` of `dc` with the gradient, through GradientFill when the platform has it.
void FillGradient(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical, int steps) {
  const GradientFillFunction gradient_fill = GetMsimg32Functions().gradient_fill;
  if (!gradient_fill) {
    FillGradientBands(dc, rect, first, second, vertical, steps);
    return;
  }
  auto vertex = [](LONG x, LONG y, uint32_t color) {
    TRIVERTEX v;
    v.x = x;
    v.y = y;
    v.Red = static_cast<COLOR16>(((color >> 16) & 0xFF) << 8);
    v.Green = static_cast<COLOR16>(((color >> 8) & 0xFF) << 8);
    v.Blue = static_cast<COLOR16>((color & 0xFF) << 8);
    v.Alpha = 0xFF00;
    return v;
  };
  TRIVERTEX vertices[2] = {vertex(rect.left, rect.top, first), vertex(rect.right, rect.bottom, second)};
  GRADIENT_RECT mesh = {0, 1};
  gradient_fill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void DrawTextThroughGdi(HDC dc, HFONT font, RECT& rect, const wchar_t* text, uint32_t color, UINT format) {
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF old_color = SetTextColor(dc, ToColorRef(color));
  ScopedSelection font_selection(dc, font);
  // The text is the caller's read-only buffer: DT_MODIFYSTRING would have the platform write into it.
  const UINT safe_format = format & ~DT_MODIFYSTRING;
  wchar_t glyph = 0;
  if (Renderer::ParseGlyphReference(text, &glyph)) {
    DrawTextW(dc, &glyph, 1, &rect, safe_format);
  } else {
    DrawTextW(dc, text, -1, &rect, safe_format);
  }
  SetTextColor(dc, old_color);
  SetBkMode(dc, old_mode);
}

// The GDI+ string format for DrawTextW flags: a copy of the generic typographic format with trimming,
// no-clip and no-wrap flags and the alignments set. Empty on failure.
ScopedGdiplusStringFormat CreateStringFormat(UINT format) {
  Gdiplus::GpStringFormat* generic = nullptr;  // A GDI+ static object: never deleted.
  ScopedGdiplusStringFormat owned_copy;
  if (gp::GdipStringFormatGetGenericTypographic(&generic) != Gdiplus::Ok ||
      gp::GdipCloneStringFormat(generic, owned_copy.receive()) != Gdiplus::Ok) {
    owned_copy.release();  // A failed call leaves nothing to delete.
    return owned_copy;
  }
  Gdiplus::GpStringFormat* copy = owned_copy.get();
  if (format & DT_END_ELLIPSIS)
    gp::GdipSetStringFormatTrimming(copy, Gdiplus::StringTrimmingEllipsisCharacter);
  // DT_NOCLIP replaces the typographic flags (line limit included) with no-clip alone, so that lines
  // cut by the rectangle are laid out and drawn whole; DT_SINGLELINE adds no-wrap to what is there.
  if (format & DT_NOCLIP) gp::GdipSetStringFormatFlags(copy, Gdiplus::StringFormatFlagsNoClip);
  if (format & DT_SINGLELINE) {
    INT flags = 0;
    gp::GdipGetStringFormatFlags(copy, &flags);
    gp::GdipSetStringFormatFlags(copy, flags | Gdiplus::StringFormatFlagsNoWrap);
  }
  gp::GdipSetStringFormatAlign(copy, (format & DT_CENTER)  ? Gdiplus::StringAlignmentCenter
                                     : (format & DT_RIGHT) ? Gdiplus::StringAlignmentFar
                                                           : Gdiplus::StringAlignmentNear);
  gp::GdipSetStringFormatLineAlign(copy, (format & DT_VCENTER)  ? Gdiplus::StringAlignmentCenter
                                         : (format & DT_BOTTOM) ? Gdiplus::StringAlignmentFar
                                                                : Gdiplus::StringAlignmentNear);
  return owned_copy;
}

void DrawTextThroughGdiplus(HDC dc, HFONT font, int rendering_hint, RECT& rect, const wchar_t* text,
                            uint32_t color, UINT format) {
  if (!EnsureGdiplusStarted()) return;
  ScopedSelection font_selection(dc, font);
  ScopedGdiplusFont gdiplus_font;
  if (gp::GdipCreateFontFromDC(dc, gdiplus_font.receive()) != Gdiplus::Ok) {
    gdiplus_font.release();  // A failed call leaves nothing to delete.
    return;
  }
  const ScopedGdiplusGraphics graphics = GraphicsOn(dc);
  const ScopedGdiplusStringFormat string_format = CreateStringFormat(format);
  ScopedGdiplusSolidFill brush;
  // Brush alpha 254, not 255: GDI+ then blends the glyphs into what is already drawn, also on layered
  // (per-pixel alpha) surfaces, instead of taking its opaque text path.
  if (graphics && string_format &&
      gp::GdipCreateSolidFill(0xFE000000 | (color & 0xFFFFFF), brush.receive()) == Gdiplus::Ok) {
    gp::GdipSetTextRenderingHint(graphics.get(),
                                 static_cast<Gdiplus::TextRenderingHint>(std::clamp(rendering_hint, 0, 5)));
    gp::GdipSetSmoothingMode(graphics.get(), Gdiplus::SmoothingModeHighQuality);
    gp::GdipSetInterpolationMode(graphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left), static_cast<Gdiplus::REAL>(rect.top),
                                static_cast<Gdiplus::REAL>(rect.right - rect.left),
                                static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
    if (format & DT_CALCRECT) {
      Gdiplus::RectF bounds;
      if (gp::GdipMeasureString(graphics.get(), text, -1, gdiplus_font.get(), &layout, string_format.get(),
                                &bounds, nullptr, nullptr) == Gdiplus::Ok) {
        rect.bottom = rect.top + static_cast<LONG>(bounds.Height) + 1;
        rect.right = rect.left + static_cast<LONG>(bounds.Width) + 1;
      }
    } else {
      gp::GdipDrawString(graphics.get(), text, -1, gdiplus_font.get(), &layout, string_format.get(),
                         brush.get());
    }
  }
}

// Hue in degrees [0, 360), saturation and lightness in [0, 1].
struct Hsl {
  double hue;
  double saturation;
  double lightness;
};

Hsl RgbToHsl(double r, double g, double b) {
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  Hsl hsl = {0.0, 0.0, (high + low) / 2};
  const double range = high - low;
  if (range <= 0) return hsl;
  hsl.saturation = hsl.lightness > 0.5 ? range / (2 - high - low) : range / (high + low);
  if (high == r) {
    hsl.hue = (g - b) / range + (g < b ? 6 : 0);
  } else if (high == g) {
    hsl.hue = (b - r) / range + 2;
  } else {
    hsl.hue = (r - g) / range + 4;
  }
  hsl.hue *= 60;
  return hsl;
}

double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 1.0 / 2) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

uint32_t ToChannel(double value) { return static_cast<uint32_t>(std::clamp(value * 255, 0.0, 255.0)); }

uint32_t HslToRgb(const Hsl& hsl) {
  double r = hsl.lightness;
  double g = hsl.lightness;
  double b = hsl.lightness;
  if (hsl.saturation > 0) {
    const double l = hsl.lightness;
    const double q = l < 0.5 ? l * (1 + hsl.saturation) : l + hsl.saturation - l * hsl.saturation;
    const double p = 2 * l - q;
    const double h = std::fmod(hsl.hue, 360.0) / 360;
    r = HueToChannel(p, q, h + 1.0 / 3);
    g = HueToChannel(p, q, h);
    b = HueToChannel(p, q, h - 1.0 / 3);
  }
  return ToChannel(r) << 16 | ToChannel(g) << 8 | ToChannel(b);
}

bool IsNeutralHsl(int hue, int saturation, int luminance) {
  return hue == 180 && saturation == 100 && luminance == 100;
}

// AdjustColorHsl on a premultiplied pixel: the colour is adjusted unpremultiplied and premultiplied again,
// so that no channel ends above the pixel's alpha.
uint32_t AdjustPremultipliedPixel(uint32_t pixel, int hue, int saturation, int luminance) {
  const uint32_t alpha = pixel >> 24;
  if (alpha == 0) return pixel;
  if (alpha == 255) return Renderer::AdjustColorHsl(pixel, hue, saturation, luminance);
  uint32_t straight = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = std::min<uint32_t>(255, (((pixel >> shift) & 0xFF) * 255 + alpha / 2) / alpha);
    straight |= channel << shift;
  }
  const uint32_t adjusted = Renderer::AdjustColorHsl(straight, hue, saturation, luminance);
  uint32_t premultiplied = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8)
    premultiplied |= (((adjusted >> shift) & 0xFF) * alpha / 255) << shift;
  return premultiplied;
}

}  // namespace

bool Renderer::DrawImageDescriptor(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                                   const wchar_t* descriptor, const wchar_t* modifier, HINSTANCE instance) {
  if (!dc || !manager) return false;
  const ImageDescriptor* parsed = manager->GetImageDescriptor(descriptor, modifier);
  return parsed && DrawImageInfo(dc, manager, item, paint, parsed, instance);
}

bool Renderer::DrawImageInfo(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                             const ImageDescriptor* descriptor, HINSTANCE instance) {
  if (!dc || !manager || !descriptor) return false;
  CUIRect dest(item);
  if (!IsAllZero(descriptor->dest)) {
    dest.left = item.left + descriptor->dest.left;
    dest.top = item.top + descriptor->dest.top;
    dest.right = std::min(item.left + descriptor->dest.right, item.right);
    dest.bottom = std::min(item.top + descriptor->dest.bottom, item.bottom);
  }
  return DrawImageByName(dc, manager, item, paint, descriptor->image_name, descriptor->resource_type, dest,
                         descriptor->source, descriptor->corner, descriptor->mask, descriptor->fade,
                         descriptor->Middle(), instance);
}

bool Renderer::DrawImageByName(HDC dc, IRenderResources* manager, const RECT& item, const RECT& paint,
                               const wchar_t* name, const wchar_t* resource_type, const RECT& dest,
                               const RECT& source, const RECT& corner, uint32_t mask, uint8_t fade,
                               NineGridMiddle middle, HINSTANCE instance) {
  if (!dc || !manager || !name || !*name) return false;
  const wchar_t* type = resource_type && *resource_type ? resource_type : nullptr;
  ImageRecord* image = manager->FindOrLoadImage(name, type, mask, false, instance);
  if (!image) return false;
  CUIRect bitmap_source = IsAllZero(source) ? CUIRect(0, 0, image->width, image->height) : CUIRect(source);
  bitmap_source.right = std::min<LONG>(bitmap_source.right, image->width);
  bitmap_source.bottom = std::min<LONG>(bitmap_source.bottom, image->height);
  if (!Intersects(dest, item) || !Intersects(dest, paint)) return true;
  const bool has_alpha = manager->IsLayered() || image->has_alpha;
  const bool stretched = CUIRect(dest).GetWidth() != bitmap_source.GetWidth() ||
                         CUIRect(dest).GetHeight() != bitmap_source.GetHeight();
  if (middle == NineGridMiddle::kStretch && stretched &&
      DrawThroughScaledCopy(dc, image, dest, paint, bitmap_source, corner, has_alpha || fade != 255, fade)) {
    return true;
  }
  DrawBitmap(dc, image->bitmap.get(), dest, paint, bitmap_source, corner, has_alpha, fade, middle);
  return true;
}

bool Renderer::DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& dest, const RECT& paint, const RECT& source,
                          const RECT& corner, bool has_alpha, uint8_t fade, NineGridMiddle middle) {
  if (!dc || !bitmap) return false;
  const LentMemoryDC memory;
  if (!memory) return false;
  // A bitmap that cannot be selected is reported, not replaced by the context's empty default bitmap.
  const ScopedSelection bitmap_selection(memory.get(), bitmap);
  if (!bitmap_selection.IsSelected()) return false;
  DrawSelectedBitmap(dc, memory.get(), dest, paint, source, corner, has_alpha, fade, middle);
  return true;
}

void Renderer::DrawColor(HDC dc, const RECT& rect, uint32_t color) {
  if (color <= 0x00FFFFFF || FillOpaque(dc, rect, color)) return;
  const ScopedGdiplusGraphics graphics = GraphicsOn(dc);
  ScopedGdiplusSolidFill brush;
  if (!graphics || gp::GdipCreateSolidFill(color, brush.receive()) != Gdiplus::Ok) return;
  gp::GdipFillRectangleI(graphics.get(), brush.get(), rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top);
}

void Renderer::DrawGradient(HDC dc, const RECT& rect, uint32_t first, uint32_t second, bool vertical,
                            int steps) {
  const uint32_t alpha = ((first >> 24) + (second >> 24)) / 2;
  const CUIRect area(rect);
  if (!dc || alpha == 0 || area.IsEmpty()) return;
  if (alpha == 255) {
    FillGradient(dc, rect, first, second, vertical, steps);
    return;
  }
  if (static_cast<int64_t>(area.GetWidth()) * area.GetHeight() > kMaxBitmapPixels) return;
  const ScopedMemoryDC memory(CreateCompatibleDC(dc));
  const ScopedBitmap canvas(memory ? CreateCompatibleBitmap(dc, area.GetWidth(), area.GetHeight()) : nullptr);
  if (!canvas) return;
  const ScopedSelection canvas_selection(memory.get(), canvas.get());
  FillGradient(memory.get(), CUIRect(0, 0, area.GetWidth(), area.GetHeight()), first, second, vertical,
               steps);
  // The gradient itself is opaque; its translucency is the constant alpha alone.
  const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
  GetMsimg32Functions().alpha_blend(dc, area.left, area.top, area.GetWidth(), area.GetHeight(), memory.get(),
                                    0, 0, area.GetWidth(), area.GetHeight(), blend);
}

void Renderer::DrawLine(HDC dc, const RECT& rect, int width, uint32_t color, int pen_style) {
  if (!dc) return;
  LOGPEN description = {static_cast<UINT>(pen_style), {width, 0}, ToColorRef(color)};
  const ScopedPen pen(CreatePenIndirect(&description));
  if (!pen) return;
  const ScopedSelection pen_selection(dc, pen.get());
  POINT previous;
  MoveToEx(dc, rect.left, rect.top, &previous);
  LineTo(dc, rect.right, rect.bottom);
  MoveToEx(dc, previous.x, previous.y, nullptr);
}

void Renderer::DrawRect(HDC dc, const RECT& rect, int width, uint32_t color) {
  if (width == 1 && FillFrame(dc, rect, color)) return;
  const ScopedGdiplusGraphics graphics = GraphicsOn(dc);
  ScopedGdiplusPen pen;
  if (!graphics || gp::GdipCreatePen1(color, static_cast<Gdiplus::REAL>(width), Gdiplus::UnitWorld,
                                      pen.receive()) != Gdiplus::Ok) {
    return;
  }
  gp::GdipSetPenMode(pen.get(), Gdiplus::PenAlignmentInset);
  gp::GdipDrawRectangleI(graphics.get(), pen.get(), rect.left, rect.top, rect.right - rect.left - 1,
                         rect.bottom - rect.top - 1);
}

void Renderer::DrawRoundRect(HDC dc, const RECT& rect, int width, int corner_width, int corner_height,
                             uint32_t color, int pen_style) {
  if (!dc) return;
  const ScopedPen pen(CreatePen(pen_style, width, ToColorRef(color)));
  if (!pen) return;
  const ScopedSelection pen_selection(dc, pen.get());
  const ScopedSelection brush_selection(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, corner_width, corner_height);
}

void Renderer::DrawPlainText(HDC dc, IRenderResources* manager, RECT& rect, const wchar_t* text,
                             uint32_t color, int font_id, UINT format, bool force_gdiplus) {
  if (!dc || !manager || !text || !*text) return;
  HFONT font = manager->GetFontHandle(font_id);
  if (force_gdiplus || manager->IsLayered() || manager->IsUsingGdiplusText()) {
    DrawTextThroughGdiplus(dc, font, manager->GetTextRenderingHint(), rect, text, color, format);
  } else {
    DrawTextThroughGdi(dc, font, rect, text, color, format);
  }
}

void Renderer::DrawTextOnColor(HDC dc, IRenderResources* manager, const RECT& rect, const wchar_t* text,
                               uint32_t color, int font_id, UINT format, uint32_t background) {
  DrawColor(dc, rect, background);
  RECT text_rect = rect;
  DrawPlainText(dc, manager, text_rect, text, color, font_id, format);
}

CUISize Renderer::MeasureText(HDC dc, IRenderResources* manager, const wchar_t* text, int font_id) {
  CUISize size;
  if (!dc || !manager || !text || !*text) return size;
  const int old_mode = SetBkMode(dc, TRANSPARENT);
  {
    ScopedSelection font_selection(dc, manager->GetFontHandle(font_id));
    if (!GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size)) size.Empty();
  }
  SetBkMode(dc, old_mode);
  return size;
}

bool Renderer::ParseGlyphReference(const wchar_t* text, wchar_t* glyph) {
  const wchar_t* reference = text ? wcsstr(text, L"&#x") : nullptr;
  if (!reference) return false;
  const wchar_t* digits = reference + 3;
  int length = 0;
  while (length < 4 && digits[length]) ++length;
  if (length > 0 && digits[length - 1] == L' ') --length;
  if (length > 0 && digits[length - 1] == L';') --length;
  unsigned value = 0;
  int read = 0;
  for (; read < length; ++read) {
    const int digit = HexDigitValue(digits[read]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  if (read == 0 || value == 0) return false;
  *glyph = static_cast<wchar_t>(value);
  return true;
}

uint32_t Renderer::AdjustColorHsl(uint32_t color, int hue, int saturation, int luminance) {
  if (IsNeutralHsl(hue, saturation, luminance)) return color;
  Hsl hsl = RgbToHsl(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0);
  hsl.hue += hue - 180;
  if (hsl.hue <= 0) hsl.hue += 360;
  hsl.saturation *= saturation / 100.0;
  hsl.lightness *= luminance / 100.0;
  return (color & 0xFF000000) | HslToRgb(hsl);
}

void Renderer::AdjustImageHsl(bool apply, ImageRecord* image, int hue, int saturation, int luminance) {
  if (!image || !image->bitmap || !image->pixels || !image->unadjusted_pixels || !image->adjusts_hsl) return;
  GdiFlush();
  image->scaled_copies.ForgetAll();
  const int count = image->width * image->height;
  if (!apply || IsNeutralHsl(hue, saturation, luminance)) {
    std::copy(image->unadjusted_pixels.get(), image->unadjusted_pixels.get() + count, image->pixels);
    return;
  }
  for (int i = 0; i < count; ++i) {
    image->pixels[i] = AdjustPremultipliedPixel(image->unadjusted_pixels[i], hue, saturation, luminance);
  }
}

bool Renderer::ClipToRect(HDC dc, const RECT& rect, ClipRegion* clip) {
  if (!dc || !clip) return false;
  return clip->Apply(dc, rect, ScopedRegion(CreateRectRgnIndirect(&rect)));
}

bool Renderer::ClipToRoundRect(HDC dc, const RECT& rect, int corner_width, int corner_height,
                               ClipRegion* clip) {
  if (!dc || !clip) return false;
  ScopedRegion region(CreateRectRgnIndirect(&rect));
  const ScopedRegion rounded(
      CreateRoundRectRgn(rect.left, rect.top, rect.right + 1, rect.bottom + 1, corner_width, corner_height));
  const bool made =
      region && rounded && CombineRgn(region.get(), region.get(), rounded.get(), RGN_AND) != ERROR;
  if (!made) region.reset();
  return clip->Apply(dc, rect, std::move(region));
}

void Renderer::UseOuterClipBegin(HDC dc, ClipRegion* clip) {
  if (dc && clip) clip->UseOuterBegin();
}

void Renderer::UseOuterClipEnd(HDC dc, ClipRegion* clip) {
  if (dc && clip) clip->UseOuterEnd();
}

HBITMAP Renderer::CreateArgbBitmap(HDC dc, int width, int height, uint32_t** pixels) {
  uint32_t* bits = nullptr;
  ScopedBitmap bitmap = CreateDibSection32(dc, width, height, false, &bits);
  if (pixels) *pixels = bits;
  return bitmap.release();
}

}  // namespace veneer
