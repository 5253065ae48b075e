#ifndef UI_RENDER_CLIP_REGION_H_
#define UI_RENDER_CLIP_REGION_H_

#include <windows.h>

#include "ui/core/geometry.h"
#include "ui/core/win_handles.h"

namespace veneer {

// A clip applied to a device context for the painting of one control, undone when the object dies:
// it re-selects the clip that was in force before (or no clip, when there was none) and deletes the
// regions it made. It lives on the painting code's stack and must not outlive the device context.
// It does not combine several clips: applying a second one first undoes the first.
class ClipRegion {
 public:
  ClipRegion() = default;
  ClipRegion(const ClipRegion&) = delete;
  ClipRegion& operator=(const ClipRegion&) = delete;
  ~ClipRegion() { Restore(); }

  // Intersects the context's clip with `region` (kept until the clip is undone) after remembering the
  // clip in force. False, with the context unchanged and `region` deleted, when `dc` or `region` is
  // empty or the region cannot be selected.
  bool Apply(HDC dc, const RECT& rect, ScopedRegion region);
  // Puts back the earlier clip and deletes both regions; nothing happens when no clip is applied.
  void Restore();

  // Temporarily selects the earlier clip (so that a control can paint outside its own area), and
  // afterwards the applied clip again. Both do nothing when no clip is applied.
  void UseOuterBegin() const;
  void UseOuterEnd() const;

  bool IsApplied() const { return dc_ != nullptr; }
  const CUIRect& GetRect() const { return rect_; }

 private:
  CUIRect rect_;
  HDC dc_ = nullptr;             // Not owned: the painted context; null while no clip is applied.
  ScopedRegion region_;          // The clip that was intersected in.
  ScopedRegion earlier_region_;  // Copy of the clip in force before; empty when there was none.
};

}  // namespace veneer

#endif  // UI_RENDER_CLIP_REGION_H_
