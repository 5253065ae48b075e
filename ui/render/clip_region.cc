#include "ui/render/clip_region.h"

#include <utility>

namespace veneer {

bool ClipRegion::Apply(HDC dc, const RECT& rect, ScopedRegion region) {
  Restore();
  if (!dc || !region) return false;
  ScopedRegion earlier(CreateRectRgn(0, 0, 0, 0));
  // GetClipRgn answers 1 when the context has a clip region and copies it; 0 when it has none.
  if (earlier && GetClipRgn(dc, earlier.get()) != 1) earlier.reset();
  if (ExtSelectClipRgn(dc, region.get(), RGN_AND) == ERROR) return false;
  rect_ = rect;
  dc_ = dc;
  region_ = std::move(region);
  earlier_region_ = std::move(earlier);
  return true;
}

void ClipRegion::Restore() {
  if (!dc_) return;
  SelectClipRgn(dc_, earlier_region_.get());
  region_.reset();
  earlier_region_.reset();
  dc_ = nullptr;
  rect_.Empty();
}

void ClipRegion::UseOuterBegin() const {
  if (dc_) SelectClipRgn(dc_, earlier_region_.get());
}

void ClipRegion::UseOuterEnd() const {
  if (!dc_) return;
  SelectClipRgn(dc_, earlier_region_.get());
  ExtSelectClipRgn(dc_, region_.get(), RGN_AND);
}

}  // namespace veneer
