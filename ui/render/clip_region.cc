#include "ui/render/clip_region.h"

namespace veneer {

bool ClipRegion::Apply(HDC dc, const RECT& rect, HRGN region) {
  Restore();
  if (!dc || !region) {
    if (region) DeleteObject(region);
    return false;
  }
  HRGN earlier = CreateRectRgn(0, 0, 0, 0);
  // GetClipRgn answers 1 when the context has a clip region and copies it; 0 when it has none.
  if (earlier && GetClipRgn(dc, earlier) != 1) {
    DeleteObject(earlier);
    earlier = nullptr;
  }
  if (ExtSelectClipRgn(dc, region, RGN_AND) == ERROR) {
    if (earlier) DeleteObject(earlier);
    DeleteObject(region);
    return false;
  }
  rect_ = rect;
  dc_ = dc;
  region_ = region;
  earlier_region_ = earlier;
  return true;
}

void ClipRegion::Restore() {
  if (!dc_) return;
  SelectClipRgn(dc_, earlier_region_);
  DeleteObject(region_);
  if (earlier_region_) DeleteObject(earlier_region_);
  dc_ = nullptr;
  region_ = nullptr;
  earlier_region_ = nullptr;
  rect_.Empty();
}

void ClipRegion::UseOuterBegin() const {
  if (dc_) SelectClipRgn(dc_, earlier_region_);
}

void ClipRegion::UseOuterEnd() const {
  if (!dc_) return;
  SelectClipRgn(dc_, earlier_region_);
  ExtSelectClipRgn(dc_, region_, RGN_AND);
}

}  // namespace veneer
