// The paint manager's layout and painting: invalidation, layout when dirty, double-buffered and layered
// painting, WM_PRINTCLIENT, and the window settings that change how the window is drawn.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "ui/core/clamp_to_int.h"
#include "ui/render/dib_section.h"
#include "ui/render/layered_alpha.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

constexpr COLORREF kDirtyRectColour = RGB(220, 0, 0);

// The process-wide pen of dirty-rectangle outlines.
HPEN DirtyRectPen() {
  static const ScopedPen pen(CreatePen(PS_SOLID, 1, kDirtyRectColour));
  return pen.get();
}

void OutlineRect(HDC dc, const RECT& rect) {
  const ScopedSelection pen(dc, DirtyRectPen());
  const ScopedSelection brush(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

int ClampOpacity(int opacity) { return std::clamp(opacity, 0, 255); }

CControlUI* CollectDirtyControl(CControlUI* control, void* context) {
  if (control->IsLayoutDirty()) static_cast<std::vector<CControlUI*>*>(context)->push_back(control);
  return nullptr;
}

bool SetExtendedStyleBit(HWND window, LONG_PTR bit, bool set) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const LONG_PTR wanted = set ? style | bit : style & ~bit;
  if (wanted == style) return false;
  SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
  return true;
}

}  // namespace

// Invalidation --------------------------------------------------------------------------------------

void CPaintManagerUI::InvalidateArea(const RECT& area) {
  CUIRect invalid(area);
  if (invalid.left < 0) invalid.left = 0;
  if (invalid.top < 0) invalid.top = 0;
  if (invalid.right < invalid.left) invalid.right = invalid.left;
  if (invalid.bottom < invalid.top) invalid.bottom = invalid.top;
  UnionRect(&dirty_area_, &dirty_area_, &invalid);
  if (window_) InvalidateRect(window_, &invalid, FALSE);
}

void CPaintManagerUI::InvalidateAll() {
  if (!window_) return;
  CUIRect client;
  GetClientRect(window_, &client);
  UnionRect(&dirty_area_, &dirty_area_, &client);
  InvalidateRect(window_, nullptr, FALSE);
}

// Painting ------------------------------------------------------------------------------------------

bool CPaintManagerUI::OnPaint() {
  if (painting_) {
    // Something this paint called ran a message loop: the outer paint goes on, and everything is
    // painted again once it is over (or WM_PAINT would come back at once, forever).
    ValidateRect(window_, nullptr);
    repaint_after_paint_ = true;
    return true;
  }
  if (!root_) {
    PaintWithoutRoot();
    return true;
  }

  // Layout, "windowinit" and focus handlers may do anything, the manager's destruction included.
  CallOut call(this);
  painting_ = true;
  struct PaintEnds {
    CPaintManagerUI* manager;
    const CallOut& call;
    ~PaintEnds() {
      if (call.ManagerGone()) return;
      manager->painting_ = false;
      manager->layered_update_needed_ = false;
      if (!manager->layout_needed_ && !manager->repaint_after_paint_) return;
      manager->repaint_after_paint_ = false;
      manager->InvalidateAll();
    }
  } ends{this, call};

  CUIRect client;
  GetClientRect(window_, &client);
  const bool can_lay_out = !client.IsEmpty() && !IsIconic(window_);
  if (layout_needed_) {
    layout_needed_ = false;
    if (can_lay_out) {
      if (!LayOut(client, root_->IsLayoutDirty())) return true;
      if (first_layout_pending_) {
        first_layout_pending_ = false;
        if (!Notify(root_.get(), kNotifyWindowInit)) return true;
        if (!CreateShadowWindow()) return true;
      }
      if (root_) SendNotify(root_.get(), kNotifyWindowSize, 0, 0, true);
      if (layered_ && layered_update_needed_) {
        InvalidateAll();
        return true;
      }
    }
  } else if (layered_ && layered_update_needed_ && can_lay_out) {
    if (!LayOut(client, true)) return true;
  }
  if (focus_needed_ && !layout_needed_ && !MoveFocusToTabStop(true)) return true;
  if (!root_) {  // A handler took the tree away.
    PaintWithoutRoot();
    return true;
  }
  if (layered_ && SetExtendedStyleBit(window_, WS_EX_LAYERED, true) && call.ManagerGone()) return true;

  // BeginPaint comes after the layout, so that the areas the layout invalidated are part of this paint.
  const CUISize size(client.GetWidth(), client.GetHeight());
  const ScopedPaint paint(window_);
  CUIRect update = paint.area();
  if (layered_) {
    UnionRect(&update, &update, &dirty_area_);
    IntersectRect(&update, &update, &client);
    dirty_area_.Empty();
  }
  if (update.IsEmpty()) return true;
  if (!EnsureOffscreen(paint.dc(), size)) {
    if (!layered_ && paint.dc()) PaintTree(paint.dc(), update);  // Straight into the window.
    return true;
  }
  const ScopedSelection selection(offscreen_dc_.get(), offscreen_bitmap_.get());
  if (!selection.IsSelected()) return true;
  const ArgbPixels image = {offscreen_pixels_, size.cx, size.cy};
  if (layered_) {
    GdiFlush();
    ClearPixels(image, update);
  }
  PaintTree(offscreen_dc_.get(), update);
  if (layered_) {
    GdiFlush();
    if (layered_image_.IsEmpty()) {
      MakeColouredPixelsOpaque(image, update);
    } else {
      ApplyLayeredMask(update, size);
    }
    UpdateLayeredWindowFrom(size);
  } else if (paint.dc()) {
    BitBlt(paint.dc(), update.left, update.top, update.GetWidth(), update.GetHeight(), offscreen_dc_.get(),
           update.left, update.top, SRCCOPY);
    if (show_dirty_rects_) OutlineRect(paint.dc(), update);
  }
  return true;
}

bool CPaintManagerUI::LayOut(const CUIRect& client, bool whole_tree) {
  CallOut call(this);  // Size listeners run.
  if (whole_tree) {
    DiscardOffscreen();
    root_->Place(client, true);
    return !call.ManagerGone();
  }
  // Every visible control whose layout is dirty, parents first (the collecting visitor accepts none, so
  // an update test would prune nothing), is placed again; one that a parent's placing has laid out
  // already, or that was forgotten meanwhile, is skipped.
  layout_queue_.clear();
  root_->FindMatching(CollectDirtyControl, &layout_queue_, kFindVisible | kFindSelfFirst);
  for (size_t index = 0; index < layout_queue_.size(); ++index) {
    CControlUI* control = layout_queue_[index];
    if (!control || !control->IsLayoutDirty()) continue;
    const CUIRect bounds = control->GetBounds();
    control->Place(bounds, true);
    if (call.ManagerGone()) return false;
  }
  layout_queue_.clear();
  return true;
}

void CPaintManagerUI::PaintTree(HDC dc, const RECT& area) {
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
  root_->PaintInto(dc, area, nullptr);
  paint_after_children_.Walk([dc, &area](CControlUI* control) {
    control->PaintAfterChildren(dc, area);
    return true;
  });
  RestoreDC(dc, saved);
}

void CPaintManagerUI::PaintWithoutRoot() {
  const ScopedPaint paint(window_);
  if (paint.dc()) FillRect(paint.dc(), &paint.area(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

bool CPaintManagerUI::EnsureOffscreen(HDC reference, const CUISize& size) {
  if (offscreen_bitmap_ && offscreen_size_.cx == size.cx && offscreen_size_.cy == size.cy) return true;
  DiscardOffscreen();
  if (!offscreen_dc_) offscreen_dc_.reset(CreateCompatibleDC(reference));
  if (!offscreen_dc_) return false;
  offscreen_bitmap_ = CreateDibSection32(offscreen_dc_.get(), size.cx, size.cy, true, &offscreen_pixels_);
  if (!offscreen_bitmap_) return false;
  offscreen_size_ = size;
  return true;
}

void CPaintManagerUI::DiscardOffscreen() {
  // Never selected between paints, so both may go.
  offscreen_bitmap_.reset();
  offscreen_pixels_ = nullptr;
  offscreen_size_.Empty();
  mask_bitmap_.reset();
  mask_pixels_ = nullptr;
}

void CPaintManagerUI::ApplyLayeredMask(const RECT& area, const CUISize& size) {
  if (!mask_bitmap_) {
    // The mask image, drawn once over the whole client area while the size and image stay.
    mask_bitmap_ = CreateDibSection32(offscreen_dc_.get(), size.cx, size.cy, true, &mask_pixels_);
    const ScopedMemoryDC mask_dc(mask_bitmap_ ? CreateCompatibleDC(offscreen_dc_.get()) : nullptr);
    if (!mask_dc) return;
    const ScopedSelection selection(mask_dc.get(), mask_bitmap_.get());
    const CUIRect whole(0, 0, size.cx, size.cy);
    Renderer::DrawImageDescriptor(mask_dc.get(), this, whole, whole, layered_image_);
    GdiFlush();
  }
  MultiplyByMaskAlpha({offscreen_pixels_, size.cx, size.cy}, {mask_pixels_, size.cx, size.cy}, area);
}

void CPaintManagerUI::UpdateLayeredWindowFrom(const CUISize& size) {
  RECT frame;
  GetWindowRect(window_, &frame);
  POINT position = {frame.left, frame.top};
  SIZE extent = size;
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(opacity_), AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &extent, offscreen_dc_.get(), &source, 0, &blend,
                      ULW_ALPHA);
}

bool CPaintManagerUI::OnPrintClient(HDC dc, LPARAM flags) {
  if (!root_ || !dc) return false;
  CUIRect client;
  GetClientRect(window_, &client);
  PaintTree(dc, client);
  if (!(flags & PRF_CHILDREN)) return true;
  std::vector<HWND> children;
  for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  CallOut call(this);  // The children print through their own window procedures.
  for (HWND child : children) {
    RECT frame;
    if (!GetWindowRect(child, &frame)) continue;
    MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&frame), 2);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, ClampToInt(static_cast<int64_t>(origin.x) + frame.left),
                     ClampToInt(static_cast<int64_t>(origin.y) + frame.top), nullptr);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    if (call.ManagerGone()) return true;
  }
  return true;
}

// Window settings that change the drawing -----------------------------------------------------------

void CPaintManagerUI::SetInitialSize(int cx, int cy) {
  initial_size_ = CUISize(cx, cy);
  if (!root_ && window_)
    SetWindowPos(window_, nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CPaintManagerUI::SetLayered(bool layered) {
  if (!window_ || layered == layered_ || (GetWindowLongPtrW(window_, GWL_STYLE) & WS_CHILD)) return;
  layered_ = layered;
  DiscardOffscreen();
  if (root_) root_->MarkLayoutDirty();
  MarkLayoutNeeded();
  InvalidateAll();
  // The next paint adds the style; a plain window again keeps it only for its window opacity.
  if (!layered) {
    SetExtendedStyleBit(window_, WS_EX_LAYERED, false);
    if (opacity_ != 255) SetWindowOpacity(opacity_);
  }
}

void CPaintManagerUI::SetLayeredImage(const wchar_t* image) {
  layered_image_ = image;
  mask_bitmap_.reset();
  mask_pixels_ = nullptr;
  layered_update_needed_ = true;
  InvalidateAll();
}

void CPaintManagerUI::SetLayeredOpacity(int opacity) {
  opacity_ = ClampOpacity(opacity);
  layered_update_needed_ = true;
  InvalidateAll();
}

void CPaintManagerUI::SetWindowOpacity(int opacity) {
  if (layered_) {
    SetLayeredOpacity(opacity);
    return;
  }
  opacity_ = ClampOpacity(opacity);
  if (!window_) return;
  SetExtendedStyleBit(window_, WS_EX_LAYERED, true);
  SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(opacity_), LWA_ALPHA);
}

}  // namespace veneer
