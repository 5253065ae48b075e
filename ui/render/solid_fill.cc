#include "ui/render/solid_fill.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "ui/core/clamp_to_int.h"
#include "ui/core/geometry.h"
#include "ui/core/win_handles.h"
#include "ui/render/dib_section.h"

namespace veneer {
namespace {

// A 32-bit DIB section selected into a memory context whose logical coordinates are device coordinates
// moved by `offset`. Which way its rows run is found out by a probe (SetPixelV): the platform does not
// always tell (a top-down section may report a positive height).
struct DirectTarget {
  uint32_t* bits;
  int width;
  int height;
  bool top_down;
  POINT offset;

  uint32_t* At(int x, int y, bool rows_top_down) const {
    const int row = rows_top_down ? y : height - 1 - y;
    return bits + static_cast<size_t>(row) * static_cast<size_t>(width) + x;
  }

  uint32_t* Row(int y) const { return At(0, y, top_down); }
};

bool IsPlainMapping(HDC dc) {
  if (GetMapMode(dc) != MM_TEXT) return false;
  if (GetGraphicsMode(dc) == GM_COMPATIBLE) return true;
  XFORM transform;
  return GetWorldTransform(dc, &transform) && transform.eM11 == 1 && transform.eM12 == 0 &&
         transform.eM21 == 0 && transform.eM22 == 1 && transform.eDx == 0 && transform.eDy == 0;
}

// A meta region would restrict drawing beyond the clip region; nothing here sets one, and a context that
// has one is left to the platform's drawing.
bool HasMetaRegion(HDC dc) {
  const ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  RECT box;
  return !region || (GetMetaRgn(dc, region.get()) != 0 && GetRgnBox(region.get(), &box) != NULLREGION);
}

bool FindDirectTarget(HDC dc, DirectTarget* target) {
  if (GetObjectType(dc) != OBJ_MEMDC || !IsPlainMapping(dc) || HasMetaRegion(dc)) return false;
  DIBSECTION section;
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (GetObjectW(bitmap, sizeof(section), &section) != sizeof(section)) return false;
  if (section.dsBm.bmBitsPixel != 32 || section.dsBmih.biCompression != BI_RGB || !section.dsBm.bmBits)
    return false;
  POINT viewport;
  POINT window;
  GetViewportOrgEx(dc, &viewport);
  GetWindowOrgEx(dc, &window);
  target->bits = static_cast<uint32_t*>(section.dsBm.bmBits);
  target->width = section.dsBm.bmWidth;
  target->height = section.dsBm.bmHeight;
  target->top_down = true;
  target->offset = {ClampToInt(static_cast<int64_t>(viewport.x) - window.x),
                    ClampToInt(static_cast<int64_t>(viewport.y) - window.y)};
  return true;
}

// The device rectangles that drawing may reach: the clip region's, or the whole bitmap without one.
// False when the region cannot be read.
bool ReachableRects(HDC dc, const DirectTarget& target, std::vector<RECT>* rects) {
  const CUIRect bitmap(0, 0, target.width, target.height);
  const ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!region) return false;
  const int has_clip = GetClipRgn(dc, region.get());
  if (has_clip < 0) return false;
  if (has_clip == 0) {
    rects->push_back(bitmap);
    return true;
  }
  const DWORD size = GetRegionData(region.get(), 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return false;
  std::vector<unsigned char> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(region.get(), size, header) != size) return false;
  const RECT* first = reinterpret_cast<const RECT*>(header->Buffer);
  rects->assign(first, first + header->rdh.nCount);
  return true;
}

// Writes a marker through the platform at device pixel (x, y), which drawing must be able to reach, and
// sets target->top_down by where it landed in memory. False when it landed in neither candidate row.
bool ProbeRowOrder(HDC dc, DirectTarget* target, POINT device) {
  uint32_t* if_top_down = target->At(device.x, device.y, true);
  uint32_t* if_bottom_up = target->At(device.x, device.y, false);
  if (if_top_down == if_bottom_up) return true;  // The middle row: the same either way.
  GdiFlush();
  for (uint32_t marker = 1; marker <= 3; ++marker) {  // Blue 1 to 3, stored without alpha.
    if (marker == *if_top_down || marker == *if_bottom_up) continue;
    SetPixelV(dc, device.x - target->offset.x, device.y - target->offset.y, RGB(0, 0, marker));
    GdiFlush();
    if (*if_top_down != marker && *if_bottom_up != marker) return false;
    target->top_down = *if_top_down == marker;
    return true;
  }
  return false;
}

bool FillDirectly(HDC dc, const RECT& rect, uint32_t colour) {
  DirectTarget target;
  std::vector<RECT> reachable;
  if (!FindDirectTarget(dc, &target) || !ReachableRects(dc, target, &reachable)) return false;
  CUIRect device(ClampToInt(static_cast<int64_t>(rect.left) + target.offset.x),
                 ClampToInt(static_cast<int64_t>(rect.top) + target.offset.y),
                 ClampToInt(static_cast<int64_t>(rect.right) + target.offset.x),
                 ClampToInt(static_cast<int64_t>(rect.bottom) + target.offset.y));
  const CUIRect bitmap(0, 0, target.width, target.height);
  if (!IntersectRect(&device, &device, &bitmap)) return true;
  std::vector<CUIRect> parts;
  for (const RECT& reach : reachable) {
    CUIRect part;
    if (IntersectRect(&part, &device, &reach)) parts.push_back(part);
  }
  if (parts.empty()) return true;
  if (!ProbeRowOrder(dc, &target, POINT{parts.front().left, parts.front().top})) return false;
  GdiFlush();  // Drawing still queued for the bitmap comes first.
  for (const CUIRect& part : parts) {
    for (int y = part.top; y < part.bottom; ++y)
      std::fill_n(target.Row(y) + part.left, part.GetWidth(), colour);
  }
  return true;
}

// A 1 x 1 32-bit DIB section selected into its own memory context, made on first use and kept for the
// process. Stretching its one pixel with COLORONCOLOR copies it as it is, alpha included.
class SolidPixel {
 public:
  static const SolidPixel& Get() {
    static const SolidPixel pixel;
    return pixel;
  }
  bool Stretch(HDC dc, const RECT& rect, uint32_t colour) const {
    if (!selection_.IsSelected()) return false;
    GdiFlush();  // No drawing still queued may read the pixel.
    *pixel_ = colour;
    const int old_mode = SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL done = StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                 dc_.get(), 0, 0, 1, 1, SRCCOPY);
    SetStretchBltMode(dc, old_mode);
    return done != FALSE;
  }

 private:
  SolidPixel()
      : dc_(CreateCompatibleDC(nullptr)),
        bitmap_(CreateDibSection32(dc_.get(), 1, 1, true, &pixel_)),
        selection_(dc_.get(), bitmap_.get()) {}

  ScopedMemoryDC dc_;
  uint32_t* pixel_ = nullptr;  // Owned by bitmap_.
  ScopedBitmap bitmap_;
  ScopedSelection selection_;  // Put back before bitmap_ goes.
};

}  // namespace

bool FillSolid(HDC dc, const RECT& rect, uint32_t colour) {
  if (!dc || rect.right <= rect.left || rect.bottom <= rect.top) return false;
  return FillDirectly(dc, rect, colour) || SolidPixel::Get().Stretch(dc, rect, colour);
}

}  // namespace veneer
