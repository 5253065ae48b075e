#ifndef TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_
#define TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_

#include <windows.h>

#include <string>
#include <utility>

#include "tools/skin_preview/preview_picture.h"
#include "ui/controls/window_impl_base.h"

namespace tessaro::preview {

// The window a skin is previewed in: a skinned top-level popup on the product's window base, so that
// it is built, laid out, given its region and its drop shadow exactly as the product's windows are.
// It differs from them only where a tool must: a skin that cannot be built is recorded as a one-line
// reason (no message box, no exit), and no message loop runs. It is shown without being activated,
// painted through real WM_PAINT messages (the first lays the tree out) and its client area is then
// printed into a 32-bit bitmap. A layered skin is painted opaque.
//
// Owns its native window (through the window base). UI thread only.
class PreviewWindow : public veneer::WindowImplBase {
 public:
  // What ComposeWithShadow made.
  enum class ShadowOutcome {
    kComposed,  // The window over its drop shadow.
    kNoShadow,  // The skin shows no drop shadow (no showshadow, or a colour shadow of size 0).
    kFailed,    // The skin asks for a shadow that cannot be drawn (its image cannot be loaded).
  };

  explicit PreviewWindow(std::wstring skin_file) : skin_file_(std::move(skin_file)) {}

  // Creates the (hidden) window and builds the skin into it, read through the skin source. False, with
  // a one-line reason in *error, when the window cannot be made, the skin cannot be loaded, builds no
  // control at its top level or sets no window size.
  bool Create(std::wstring* error);
  // The control of that name in the built tree; null when none.
  veneer::CControlUI* FindControl(const wchar_t* name) { return GetPaintManager().FindControlByName(name); }
  // Shows the window without activating it and lets it lay out and paint until nothing is left to
  // paint and no work is posted to it (a bounded number of rounds).
  void ShowAndPaint();
  // The client area as the paint manager prints it (WM_PRINTCLIENT) into a 32-bit bitmap that starts
  // black, as the manager's own off-screen bitmap does. False when no bitmap can be made.
  bool CaptureClient(ClientPicture* picture);
  // `client` (the client area, see CaptureClient) over the drop shadow that the shadow window shows for
  // the window's current frame, drawn again by the same functions since a layered window's pixels
  // cannot be read back, on an opaque `backdrop`, into *picture. kNoShadow leaves *picture as it is;
  // kFailed leaves a one-line reason in *error.
  ShadowOutcome ComposeWithShadow(const ClientPicture& client, uint32_t backdrop, ClientPicture* picture,
                                  std::wstring* error);

 protected:
  const wchar_t* WindowClassName() const override { return L"TessaroSkinPreview"; }
  const wchar_t* SkinFile() const override { return skin_file_.c_str(); }
  // Records why instead of the product's message box and exit.
  void OnSkinLoadFailed(const veneer::CMarkupDocument& document) override;

 private:
  std::wstring skin_file_;
  std::wstring load_failure_;  // Set by OnSkinLoadFailed.
};

}  // namespace tessaro::preview

#endif  // TOOLS_SKIN_PREVIEW_PREVIEW_WINDOW_H_
