#include "tests/runtime/test_stack.h"

#include <algorithm>

#include "ui/render/clip_region.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {

TestStack::~TestStack() {
  for (CControlUI* child : children_) delete child;
}

void TestStack::Add(CControlUI* child) {
  children_.push_back(child);
  if (GetPaintManager()) {
    GetPaintManager()->AdoptControls(child, this);
  } else {
    child->AttachManager(nullptr, this, false);
  }
  MarkLayoutDirty();
}

bool TestStack::Unlink(CControlUI* child) {
  auto found = std::find(children_.begin(), children_.end(), child);
  if (found == children_.end()) return false;
  children_.erase(found);
  MarkLayoutDirty();
  return true;
}

void TestStack::RemoveLater(CControlUI* child) {
  if (Unlink(child)) GetPaintManager()->AddDelayedCleanup(child);
}

void TestStack::Release(CControlUI* child) { Unlink(child); }

void TestStack::AttachManager(CPaintManagerUI* manager, CControlUI* parent, bool initialise) {
  for (CControlUI* child : children_) child->AttachManager(manager, this, initialise);
  CControlUI::AttachManager(manager, parent, initialise);
}

CControlUI* TestStack::FindMatching(FindVisitor visitor, void* context, uint32_t flags) {
  if ((flags & kFindVisible) && !IsVisible()) return nullptr;
  if ((flags & kFindEnabled) && !IsEnabled()) return nullptr;
  const bool hit_test = (flags & kFindHitTest) != 0;
  if (hit_test && !PtInRect(&GetBounds(), *static_cast<const POINT*>(context))) return nullptr;
  const bool self_eligible = !hit_test || IsMouseEnabled();
  if ((flags & kFindSelfFirst) && self_eligible) {
    if (CControlUI* found = visitor(this, context)) return found;
  }
  const bool backwards = (flags & kFindLastToFirst) != 0;
  for (size_t i = 0; i < children_.size(); ++i) {
    CControlUI* child = children_[backwards ? children_.size() - 1 - i : i];
    if (CControlUI* found = child->FindMatching(visitor, context, flags)) return found;
  }
  return !(flags & kFindSelfFirst) && self_eligible ? visitor(this, context) : nullptr;
}

void TestStack::Place(const RECT& rect, bool invalidate) {
  CControlUI::Place(rect, invalidate);
  const CUIRect& bounds = GetBounds();
  LONG top = bounds.top;
  for (CControlUI* child : children_) {
    if (!child->IsVisible()) continue;
    const LONG bottom = child->GetFixedHeight() > 0 ? top + child->GetFixedHeight() : bounds.bottom;
    child->Place(CUIRect(bounds.left, top, bounds.right, bottom), false);
    top = bottom;
  }
}

bool TestStack::PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control) {
  CUIRect visible;
  if (!IntersectRect(&visible, &paint_area, &GetBounds())) return true;
  ClipRegion clip;
  Renderer::ClipToRect(dc, visible, &clip);
  CControlUI::PaintLayers(dc, paint_area, stop_control);
  for (CControlUI* child : children_) {
    if (child->IsVisible() && !child->PaintInto(dc, paint_area, stop_control)) return false;
  }
  return true;
}

}  // namespace veneer::test
