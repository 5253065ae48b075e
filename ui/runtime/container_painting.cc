// The container's painting: its own layers, then its children clipped to the content area, then its
// scroll bars.

#include "ui/render/clip_region.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/container.h"

namespace veneer {
namespace {

bool Meets(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

bool CContainerUI::PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control) {
  CUIRect painted;
  if (!IntersectRect(&painted, &paint_area, &GetBounds())) return true;
  ClipRegion clip;  // Undone when painting this container ends.
  Renderer::ClipToRect(dc, painted, &clip);
  CControlUI::PaintLayers(dc, paint_area, stop_control);
  if (GetCount() > 0 && !PaintChildren(dc, paint_area, stop_control)) return false;
  return PaintScrollBars(dc, paint_area, stop_control);
}

bool CContainerUI::PaintChildren(HDC dc, const RECT& paint_area, CControlUI* stop_control) {
  const CUIRect& bounds = GetBounds();
  const CUIRect content = ContentArea(bounds, GetInset(), GetScrollBarStates());
  const bool content_painted = Meets(paint_area, content);
  ClipRegion content_clip;
  if (content_painted) Renderer::ClipToRect(dc, content, &content_clip);
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* child = GetItemAt(i);
    if (child == stop_control) return false;
    if (!child->IsVisible() || !Meets(paint_area, child->GetBounds())) continue;
    if (child->IsFloat()) {
      // Floating children are placed over the whole bounds: they may cover the inset and the bars.
      if (!Meets(bounds, child->GetBounds())) continue;
      Renderer::UseOuterClipBegin(dc, &content_clip);
      const bool go_on = child->PaintInto(dc, paint_area, stop_control);
      Renderer::UseOuterClipEnd(dc, &content_clip);
      if (!go_on) return false;
    } else if (content_painted && Meets(content, child->GetBounds())) {
      if (!child->PaintInto(dc, paint_area, stop_control)) return false;
    }
  }
  return true;
}

bool CContainerUI::PaintScrollBars(HDC dc, const RECT& paint_area, CControlUI* stop_control) {
  for (CScrollBarUI* bar : {vertical_bar_.get(), horizontal_bar_.get()}) {
    if (!bar || !bar->IsVisible()) continue;
    if (bar == stop_control) return false;
    if (Meets(paint_area, bar->GetBounds()) && !bar->PaintInto(dc, paint_area, stop_control)) return false;
  }
  return true;
}

}  // namespace veneer
