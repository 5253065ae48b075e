#include "ui/controls/shadow_picture.h"

#include <vector>

#include "ui/render/dib_section.h"
#include "ui/render/image_record.h"
#include "ui/render/shadow_pixels.h"

namespace veneer {
namespace {

// The rectangles of the window's region in window coordinates; the whole window when it has no region.
std::vector<RECT> RegionRectangles(HWND window, int width, int height) {
  const ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!region || GetWindowRgn(window, region.get()) == ERROR) return {RECT{0, 0, width, height}};
  const DWORD bytes = GetRegionData(region.get(), 0, nullptr);
  if (bytes < sizeof(RGNDATAHEADER)) return {};
  std::vector<unsigned char> data(bytes);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(region.get(), bytes, header) != bytes) return {};
  const auto* rectangles = reinterpret_cast<const RECT*>(header->Buffer);
  return std::vector<RECT>(rectangles, rectangles + header->rdh.nCount);
}

bool DrawImageFrame(const ArgbPixels& target, const CShadowSettings& settings, IRenderResources* resources) {
  ImageRecord* image =
      resources ? resources->FindOrLoadImage(settings.GetShadowImage(), nullptr, 0, false, nullptr) : nullptr;
  if (!image || !image->pixels) return false;
  GdiFlush();  // The image's pixels are read directly.
  ComposeNineGridFrame(target, {image->pixels, image->width, image->height}, settings.GetShadowCorner());
  return true;
}

void DrawColourOutline(const ArgbPixels& target, HWND parent, const CUISize& window,
                       const CShadowSettings& settings) {
  const std::vector<RowSpan> outline =
      OutlineFromRectangles(RegionRectangles(parent, window.cx, window.cy), window.cx, window.cy);
  MakeColourShadow(target, outline,
                   {settings.GetShadowSize(), settings.GetShadowSharpness(), settings.GetShadowDarkness(),
                    settings.GetShadowColour()});
}

}  // namespace

CUIRect ShadowPlacementFor(const RECT& frame, const CShadowSettings& settings) {
  const POINT offset = settings.UsesImage() ? POINT{0, 0} : static_cast<POINT>(settings.GetShadowPosition());
  return ShadowPlacement(frame, settings.GetShadowSize(), offset);
}

bool ComposeShadowPicture(HWND parent, const CShadowSettings& settings, IRenderResources* resources,
                          ShadowPicture* picture) {
  CUIRect frame;
  if (!parent || !GetWindowRect(parent, &frame)) return false;
  const bool image_mode = settings.UsesImage();
  if (!image_mode && settings.GetShadowSize() == 0) return false;
  picture->placement = ShadowPlacementFor(frame, settings);
  const int width = picture->placement.GetWidth();
  const int height = picture->placement.GetHeight();
  picture->bitmap = CreateDibSection32(nullptr, width, height, true, &picture->pixels);
  if (!picture->bitmap) return false;
  // A new DIB section is all zero: transparent.
  const ArgbPixels target = {picture->pixels, width, height};
  if (image_mode) return DrawImageFrame(target, settings, resources);
  DrawColourOutline(target, parent, CUISize(frame.GetWidth(), frame.GetHeight()), settings);
  return true;
}

}  // namespace veneer
