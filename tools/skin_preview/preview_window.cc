#include "tools/skin_preview/preview_window.h"

#include "ui/controls/shadow_picture.h"
#include "ui/core/geometry.h"
#include "ui/markup/markup_document.h"
#include "ui/render/dib_section.h"

namespace tessaro::preview {
namespace {

using veneer::CMarkupDocument;
using veneer::CUIRect;
using veneer::CUISize;

// Paints and posted messages after the window is shown: a layout that asks for another layout, or
// queued notifications, take a few rounds; more means something keeps invalidating.
constexpr int kMaxPaintRounds = 16;
constexpr int kMaxMessagesPerRound = 1000;

// Why a build gave no control: the load failure the document recorded, or a skin without controls.
std::wstring DescribeBuildFailure(const CMarkupDocument& document, const wchar_t* skin_file) {
  const std::wstring quoted = std::wstring(L"'") + skin_file + L"'";
  if (!document.RootElement().IsValid()) {
    std::wstring reason = L"cannot load skin " + quoted + L": " + document.LastErrorMessage();
    // A file that cannot be read is its own location; a markup error names the text it stopped at.
    std::wstring location = document.LastErrorLocation();
    for (wchar_t& character : location) {
      if (character < L' ') character = L' ';  // The message stays on one line.
    }
    if (!location.empty() && location != skin_file) reason += L" near \"" + location + L"\"";
    return reason;
  }
  return L"skin " + quoted +
         L" builds no control: it has no control element at its top level (a skin of resources only, "
         L"such as Default.xml, is included by other skins and has nothing to show)";
}

// Dispatches the messages waiting for this thread (queued notifications, delayed destruction, paints);
// true when there were any.
bool DispatchWaitingMessages() {
  MSG message;
  int count = 0;
  while (count < kMaxMessagesPerRound && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    DispatchMessageW(&message);
    ++count;
  }
  return count > 0;
}

}  // namespace

bool PreviewWindow::Create(std::wstring* error) {
  // Tool window: no taskbar button for a window that lives for one picture.
  if (!CreateNativeWindow(nullptr, L"Skin preview", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 0, 0)) {
    *error = load_failure_.empty() ? L"cannot create the preview window" : load_failure_;
    return false;
  }
  const CUISize& size = GetPaintManager().GetInitialSize();
  if (size.cx <= 0 || size.cy <= 0) {
    *error =
        L"skin '" + skin_file_ + L"' sets no window size (its Window element needs size=\"width,height\")";
    return false;
  }
  return true;
}

void PreviewWindow::OnSkinLoadFailed(const CMarkupDocument& document) {
  load_failure_ = DescribeBuildFailure(document, skin_file_.c_str());
}

void PreviewWindow::ShowAndPaint() {
  const HWND window = GetHWND();
  ShowNative(true, false);
  for (int round = 0; round < kMaxPaintRounds; ++round) {
    const bool invalid = GetUpdateRect(window, nullptr, FALSE);
    if (invalid) UpdateWindow(window);
    if (!DispatchWaitingMessages() && !invalid) return;
  }
}

bool PreviewWindow::CaptureClient(ClientPicture* picture) {
  CUIRect client;
  GetClientRect(GetHWND(), &client);
  const veneer::ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  uint32_t* pixels = nullptr;
  const veneer::ScopedBitmap bitmap =
      veneer::CreateDibSection32(dc.get(), client.GetWidth(), client.GetHeight(), true, &pixels);
  if (!bitmap) return false;
  {
    const veneer::ScopedSelection selection(dc.get(), bitmap.get());
    if (!selection.IsSelected()) return false;
    SendToWindow(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
  }
  picture->width = client.GetWidth();
  picture->height = client.GetHeight();
  picture->pixels.assign(pixels, pixels + static_cast<size_t>(picture->width) * picture->height);
  // Plain windows' drawing leaves alpha undefined; the picture shows what the screen shows.
  for (uint32_t& pixel : picture->pixels) pixel |= 0xFF000000u;
  return true;
}

PreviewWindow::ShadowOutcome PreviewWindow::ComposeWithShadow(const ClientPicture& client, uint32_t backdrop,
                                                              ClientPicture* picture, std::wstring* error) {
  veneer::CPaintManagerUI& manager = GetPaintManager();
  const veneer::CShadowSettings& settings = *manager.GetShadow();
  // A colour shadow of size 0 is nothing: the shadow window stays empty.
  if (!settings.IsShown() || (!settings.UsesImage() && settings.GetShadowSize() == 0)) {
    return ShadowOutcome::kNoShadow;
  }
  veneer::ShadowPicture shadow;
  if (!veneer::ComposeShadowPicture(GetHWND(), settings, &manager, &shadow)) {
    *error = L"cannot draw the drop shadow of skin '" + skin_file_ + L"'";
    if (settings.UsesImage()) {
      *error += std::wstring(L" from its shadowimage '") + settings.GetShadowImage().GetData() + L"'";
    }
    return ShadowOutcome::kFailed;
  }
  POINT client_origin = {0, 0};
  ClientToScreen(GetHWND(), &client_origin);
  const CUIRect& place = shadow.placement;
  *picture = ComposeShadowedWindow({shadow.pixels, place.GetWidth(), place.GetHeight()},
                                   POINT{place.left, place.top}, client, client_origin, backdrop);
  return ShadowOutcome::kComposed;
}

}  // namespace tessaro::preview
