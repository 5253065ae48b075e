#include "ui/controls/shadow.h"

#include <map>
#include <memory>

#include "ui/controls/shadow_picture.h"
#include "ui/markup/skin_source.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// A subclassed window: its shadow (null once the shadow is gone but the subclass could not be undone)
// and the window procedure it had before.
struct Subclass {
  CShadowUI* shadow;
  WNDPROC previous;
};

std::map<HWND, Subclass>& Subclasses() {
  static std::map<HWND, Subclass> subclasses;
  return subclasses;
}

// The instance the class was registered with; windows of the class are created with it.
HINSTANCE& ClassInstance() {
  static HINSTANCE instance = nullptr;
  return instance;
}

// A bare popup. A caption or a system menu would make window managers (Wine's, on X11) manage and decorate
// the shadow, and hiding a managed window waits for the manager.
constexpr DWORD kShadowStyle = WS_POPUP;
constexpr DWORD kShadowExStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT;

LONG_PTR WindowStyle(HWND window) { return GetWindowLongPtrW(window, GWL_STYLE); }

}  // namespace

void CShadowUI::InstallInto(CPaintManagerUI* manager) {
  if (manager) manager->SetWindowShadow(std::make_unique<CShadowUI>());
}

bool CShadowUI::RegisterShadowClass(HINSTANCE instance) {
  if (ClassInstance()) return false;
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // The arrow.
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  window_class.lpszClassName = kClassName;
  if (!RegisterClassExW(&window_class)) return false;
  ClassInstance() = instance;
  return true;
}

CShadowUI::~CShadowUI() {
  if (manager_) manager_->GetShadow()->SetObserver(nullptr);
  StopFollowing();
}

void CShadowUI::CreateShadow(CPaintManagerUI* manager) {
  if (parent_ || !manager || !manager->GetShadow()->IsShown()) return;
  HWND parent = manager->GetWindowHandle();
  if (!parent || Subclasses().count(parent)) return;
  HINSTANCE instance = GetAppModule() ? GetAppModule() : GetModuleHandleW(nullptr);
  RegisterShadowClass(instance);
  window_.reset(CreateWindowExW(kShadowExStyle, kClassName, nullptr, kShadowStyle, CW_USEDEFAULT, 0, 0, 0,
                                parent, nullptr, ClassInstance(), nullptr));
  if (!window_) return;
  manager_ = manager;
  parent_ = parent;
  Subclasses()[parent] = {this, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(parent, GWLP_WNDPROC))};
  SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CShadowUI::ParentProcedure));
  manager->GetShadow()->SetObserver(this);

  CUIRect client;
  GetClientRect(parent, &client);
  last_parent_size_ = CUISize(client.GetWidth(), client.GetHeight());
  status_ = kEnabled;
  if (!(WindowStyle(parent) & WS_VISIBLE)) return;
  status_ |= kParentVisible;
  if (!IsParentMinimisedOrMaximised()) Reveal();
}

void CShadowUI::RefreshShadow() {
  if (status_ & kVisible) Draw();
}

void CShadowUI::OnShadowSettingsChanged(const CShadowSettings& settings) {
  if (!window_) return;
  if (!settings.IsShown()) {
    Conceal();
  } else if (status_ & kVisible) {
    Draw();
  } else if ((status_ & kParentVisible) && !IsParentMinimisedOrMaximised()) {
    Reveal();
  }
}

LRESULT CALLBACK CShadowUI::ParentProcedure(HWND parent, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    const auto found = Subclasses().find(parent);
    if (found == Subclasses().end()) return DefWindowProcW(parent, message, wparam, lparam);
    // Copied out: handling the message may end the subclass, and the previous procedure may destroy
    // anything, this shadow included. Nothing here is touched after handing the message on.
    const WNDPROC previous = found->second.previous;
    CShadowUI* shadow = found->second.shadow;
    if (shadow) shadow->HandleParentMessage(message, wparam, lparam);
    if (message == WM_NCDESTROY) {
      if (shadow) shadow->StopFollowing();
      Subclasses().erase(parent);  // Also when another subclass on top kept ours in the chain.
    }
    return CallWindowProcW(previous, parent, message, wparam, lparam);
  } catch (...) {
    // No exception may cross the window procedure.
    return 0;
  }
}

void CShadowUI::HandleParentMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_MOVE:
      if (status_ & kVisible) MoveToParent();
      break;
    case WM_WINDOWPOSCHANGED: {
      // Windows shown or hidden through SetWindowPos get no WM_SHOWWINDOW.
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lparam);
      if (position && (position->flags & SWP_SHOWWINDOW)) OnParentShown(true);
      if (position && (position->flags & SWP_HIDEWINDOW)) OnParentShown(false);
      if (status_ & kVisible) MoveToParent();
      break;
    }
    case WM_SIZE:
      OnParentSize(wparam, lparam);
      break;
    case WM_PAINT:
      if (update_pending_) {
        update_pending_ = false;
        RefreshShadow();
      }
      break;
    case WM_SHOWWINDOW:
      OnParentShown(wparam != FALSE);
      break;
    case WM_EXITSIZEMOVE:
      RefreshShadow();
      break;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
      PutBehindParent();
      break;
    case WM_DESTROY:
      // Owned windows may already be gone: the system destroys them before their owner.
      if (!IsWindow(window_.get())) window_.release();
      window_.reset();
      status_ = 0;
      break;
    default:
      break;
  }
}

void CShadowUI::OnParentSize(WPARAM kind, LPARAM size) {
  if (!(status_ & kEnabled)) return;
  if (kind == SIZE_MINIMIZED || kind == SIZE_MAXIMIZED) {
    Conceal();
    return;
  }
  if (!(status_ & kParentVisible)) return;
  const CUISize now(LOWORD(size), HIWORD(size));
  const bool grew = now.cx > last_parent_size_.cx || now.cy > last_parent_size_.cy;
  last_parent_size_ = now;
  if (!(status_ & kVisible)) {
    Reveal();
  } else if (grew) {
    update_pending_ = true;  // Drawn with the window's next paint, so that the shadow does not run ahead.
  } else {
    Draw();
  }
}

void CShadowUI::OnParentShown(bool shown) {
  if (!(status_ & kEnabled)) return;
  if (!shown) {
    status_ &= ~kParentVisible;
    Conceal();
    return;
  }
  if (status_ & kParentVisible) return;
  status_ |= kParentVisible;
  if (!IsParentMinimisedOrMaximised()) Reveal();
}

void CShadowUI::StopFollowing() {
  if (!parent_) return;
  auto& subclasses = Subclasses();
  const auto found = subclasses.find(parent_);
  if (found != subclasses.end()) {
    const bool ours_on_top =
        GetWindowLongPtrW(parent_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CShadowUI::ParentProcedure);
    if (ours_on_top) {
      SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.previous));
      subclasses.erase(found);
    } else {
      found->second.shadow = nullptr;  // Passes the messages on until the window's WM_NCDESTROY.
    }
  }
  parent_ = nullptr;
  status_ = 0;
  window_.reset();
}

const CShadowSettings& CShadowUI::Settings() const { return *manager_->GetShadow(); }

bool CShadowUI::IsParentMinimisedOrMaximised() const {
  return (WindowStyle(parent_) & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
}

void CShadowUI::Draw() {
  if (!window_ || !Settings().IsShown()) return;
  ShadowPicture picture;
  if (!ComposeShadowPicture(parent_, Settings(), manager_, &picture)) return;
  const ScopedMemoryDC memory_dc(CreateCompatibleDC(nullptr));
  if (!memory_dc) return;
  const ScopedSelection selection(memory_dc.get(), picture.bitmap.get());
  if (!selection.IsSelected()) return;
  const CUIRect& place = picture.placement;
  MoveWindow(window_.get(), place.left, place.top, place.GetWidth(), place.GetHeight(), FALSE);
  POINT position = {place.left, place.top};
  SIZE size = {place.GetWidth(), place.GetHeight()};
  POINT origin = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_.get(), nullptr, &position, &size, memory_dc.get(), &origin, 0, &blend,
                      ULW_ALPHA);
}

void CShadowUI::Reveal() {
  if (!window_ || !Settings().IsShown()) return;
  status_ |= kVisible;
  Draw();
  ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void CShadowUI::Conceal() {
  status_ &= ~kVisible;
  if (window_) ShowWindow(window_.get(), SW_HIDE);
}

void CShadowUI::MoveToParent() {
  CUIRect frame;
  if (!GetWindowRect(parent_, &frame)) return;
  const CUIRect place = ShadowPlacementFor(frame, Settings());
  if (place.IsEmpty()) return;
  SetWindowPos(window_.get(), parent_, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CShadowUI::PutBehindParent() {
  if (window_) {
    SetWindowPos(window_.get(), parent_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
  }
}

}  // namespace veneer
