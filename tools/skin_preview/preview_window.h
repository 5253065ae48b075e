#ifndef TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_
#define TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_

#include <windows.h>

#include <string>

#include "tools/common/client_picture.h"
#include "ui/core/win_handles.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro::preview {

using tools::ClientPicture;

// The window a skin is previewed in: a top-level popup whose messages go to its own paint manager first,
// with one skin built into that manager the way a skinned window builds its skin when it is created (the
// skin's resources and window settings, the window resized to the skin's size, then the control tree as
// the root). It is shown without being activated, painted through real WM_PAINT messages (the first lays
// the tree out) and its client area is then printed into a 32-bit bitmap.
//
// It is a stand-in for the product's window base: no message loop, no caption or size-box hit testing,
// no round-corner region, no drop shadow, no listeners. A layered skin is painted opaque.
//
// Owns its native window and its paint manager (which outlives the window). UI thread only.
class PreviewWindow {
 public:
  PreviewWindow() = default;
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  // Creates the (hidden) window and builds `skin_file` into it, read through the skin source. False,
  // with a one-line reason in *error, when the window cannot be made, the skin cannot be loaded, builds
  // no control at its top level or sets no window size.
  bool Create(const wchar_t* skin_file, std::wstring* error);
  // The control of that name in the built tree; null when none.
  veneer::CControlUI* FindControl(const wchar_t* name) { return manager_.FindControlByName(name); }
  // Shows the window without activating it and lets it lay out and paint until nothing is left to
  // paint and no work is posted to it (a bounded number of rounds).
  void ShowAndPaint();
  // The client area as the paint manager prints it (WM_PRINTCLIENT) into a 32-bit bitmap that starts
  // black, as the manager's own off-screen bitmap does. False when no bitmap can be made.
  bool CaptureClient(ClientPicture* picture) const;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  veneer::CPaintManagerUI manager_;
  veneer::ScopedHandle<HWND, &DestroyWindow> window_;  // Destroyed before manager_.
};

}  // namespace tessaro::preview

#endif  // TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_
