#include "tools/skin_preview/preview_window.h"

#include "ui/controls/skin_builder.h"
#include "ui/core/geometry.h"
#include "ui/render/dib_section.h"
#include "ui/runtime/control.h"

namespace tessaro::preview {
namespace {

using veneer::CControlUI;
using veneer::CMarkupDocument;
using veneer::CSkinBuilder;
using veneer::CUIRect;
using veneer::CUISize;

const wchar_t kClassName[] = L"TessaroSkinPreview";

// Paints and posted messages after the window is shown: a layout that asks for another layout, or
// queued notifications, take a few rounds; more means something keeps invalidating.
constexpr int kMaxPaintRounds = 16;
constexpr int kMaxMessagesPerRound = 1000;

bool RegisterWindowClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class);
  }();
  return atom != 0;
}

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

LRESULT CALLBACK PreviewWindow::WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  LRESULT result = 0;
  // The manager takes messages once it is attached; it lets no exception out.
  if (self && self->manager_.GetWindowHandle() == window &&
      self->manager_.HandleMessage(message, wparam, lparam, &result)) {
    return result;
  }
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return DefWindowProcW(window, message, wparam, lparam);
}

bool PreviewWindow::Create(const wchar_t* skin_file, std::wstring* error) {
  if (!RegisterWindowClass(&WindowProcedure)) {
    *error = L"cannot register the preview window's class";
    return false;
  }
  // Tool window: no taskbar button for a window that lives for one picture.
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Skin preview",
                                WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this));
  if (!window_) {
    *error = L"cannot create the preview window";
    return false;
  }
  manager_.AttachToWindow(window_.get(), L"preview");
  CSkinBuilder builder;
  CControlUI* root = builder.BuildFromSkin(skin_file, nullptr, nullptr, &manager_, nullptr);
  if (!root) {
    *error = DescribeBuildFailure(builder.GetDocument(), skin_file);
    return false;
  }
  manager_.SetRoot(root);
  const CUISize& size = manager_.GetInitialSize();
  if (size.cx <= 0 || size.cy <= 0) {
    *error = std::wstring(L"skin '") + skin_file +
             L"' sets no window size (its Window element needs size=\"width,height\")";
    return false;
  }
  return true;
}

void PreviewWindow::ShowAndPaint() {
  HWND window = window_.get();
  ShowWindow(window, SW_SHOWNOACTIVATE);
  for (int round = 0; round < kMaxPaintRounds; ++round) {
    const bool invalid = GetUpdateRect(window, nullptr, FALSE);
    if (invalid) UpdateWindow(window);
    if (!DispatchWaitingMessages() && !invalid) return;
  }
}

bool PreviewWindow::CaptureClient(ClientPicture* picture) const {
  CUIRect client;
  GetClientRect(window_.get(), &client);
  const veneer::ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
  uint32_t* pixels = nullptr;
  const veneer::ScopedBitmap bitmap =
      veneer::CreateDibSection32(dc.get(), client.GetWidth(), client.GetHeight(), true, &pixels);
  if (!bitmap) return false;
  {
    const veneer::ScopedSelection selection(dc.get(), bitmap.get());
    if (!selection.IsSelected()) return false;
    SendMessageW(window_.get(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    GdiFlush();
  }
  picture->width = client.GetWidth();
  picture->height = client.GetHeight();
  picture->pixels.assign(pixels, pixels + static_cast<size_t>(picture->width) * picture->height);
  // Plain windows' drawing leaves alpha undefined; the picture shows what the screen shows.
  for (uint32_t& pixel : picture->pixels) pixel |= 0xFF000000u;
  return true;
}

}  // namespace tessaro::preview
