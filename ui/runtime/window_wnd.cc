#include "ui/runtime/window_wnd.h"

#include <initializer_list>

#include "ui/markup/skin_source.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/window_geometry.h"

namespace veneer {
namespace {

// The window property that holds the object of a superclassed window.
constexpr wchar_t kObjectProperty[] = L"WndX";

// The module that owns the window classes and icons: the application's, else this program's.
HINSTANCE ApplicationModule() {
  HINSTANCE module = GetAppModule();
  return module ? module : GetModuleHandleW(nullptr);
}

bool Registered(ATOM atom) { return atom != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS; }

// The standard icon size for one axis, rounded down to a multiple of 16.
int IconSide(int system_metric) { return (GetSystemMetrics(system_metric) + 15) / 16 * 16; }

// Enables the owner of a modal window again and gives it the focus.
void ReturnToOwner(HWND owner) {
  if (!owner) return;
  EnableWindow(owner, TRUE);
  SetFocus(owner);
}

}  // namespace

CWindowWnd::~CWindowWnd() {
  DestroyNativeWindow();
  for (LifeWatch* watch = watches_; watch; watch = watch->outer_) watch->object_ = nullptr;
}

HWND CWindowWnd::CreateNativeWindow(HWND parent, const wchar_t* title, DWORD style, DWORD extended_style,
                                    int x, int y, int width, int height, HMENU menu) {
  if (window_) return nullptr;
  const HINSTANCE module = ApplicationModule();
  slot_ = SuperclassName() ? ObjectSlot::Property : ObjectSlot::UserData;
  const bool registered =
      slot_ == ObjectSlot::Property ? RegisterSuperclass(module) : RegisterOwnClass(module);
  if (!registered) return nullptr;
  // WM_NCCREATE attaches the object and sets window_; a window destroyed during creation clears it again.
  return CreateWindowExW(extended_style, WindowClassName(), title, style, x, y, width, height, parent, menu,
                         module, this);
}

HWND CWindowWnd::CreateNativeWindow(HWND parent, const wchar_t* title, DWORD style, DWORD extended_style,
                                    const RECT& rect, HMENU menu) {
  return CreateNativeWindow(parent, title, style, extended_style, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, menu);
}

void CWindowWnd::DestroyNativeWindow() {
  if (!window_) return;
  const HWND window = window_;
  if (DestroyWindow(window)) return;  // WM_NCDESTROY has let go of it.
  // The window cannot be destroyed from here (another thread's): it must not reach this object again.
  DetachObject(slot_, window);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_proc_));
  window_ = nullptr;
}

bool CWindowWnd::RegisterOwnClass(HINSTANCE module) {
  WNDCLASSW window_class = {};
  window_class.style = ClassStyle();
  window_class.lpfnWndProc = OwnClassWindowProc;
  window_class.hInstance = module;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = WindowClassName();
  return Registered(RegisterClassW(&window_class));
}

bool CWindowWnd::RegisterSuperclass(HINSTANCE module) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof(window_class);
  if (!GetClassInfoExW(nullptr, SuperclassName(), &window_class) &&
      !GetClassInfoExW(module, SuperclassName(), &window_class)) {
    return false;
  }
  previous_proc_ = window_class.lpfnWndProc;
  window_class.lpfnWndProc = SuperclassWindowProc;
  window_class.hInstance = module;
  window_class.lpszClassName = WindowClassName();
  return Registered(RegisterClassExW(&window_class));
}

LRESULT CALLBACK CWindowWnd::OwnClassWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return RouteMessage(ObjectSlot::UserData, window, message, wparam, lparam);
}

LRESULT CALLBACK CWindowWnd::SuperclassWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return RouteMessage(ObjectSlot::Property, window, message, wparam, lparam);
}

LRESULT CWindowWnd::RouteMessage(ObjectSlot slot, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    CWindowWnd* object = nullptr;
    if (message == WM_NCCREATE) {
      object = static_cast<CWindowWnd*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
      if (object) {
        AttachObject(slot, window, object);
        object->window_ = window;
      }
    } else {
      object = AttachedObject(slot, window);
    }
    if (!object) return DefWindowProcW(window, message, wparam, lparam);
    if (message == WM_NCDESTROY) return object->FinishDestruction(slot, window, wparam, lparam);
    return object->ProcessMessage(message, wparam, lparam);
  } catch (...) {
    return 0;  // The object may be gone: nothing of it is touched here.
  }
}

void CWindowWnd::AttachObject(ObjectSlot slot, HWND window, CWindowWnd* object) {
  if (slot == ObjectSlot::UserData) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  } else {
    SetPropW(window, kObjectProperty, object);
  }
}

CWindowWnd* CWindowWnd::AttachedObject(ObjectSlot slot, HWND window) {
  if (slot == ObjectSlot::UserData) {
    return reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  return static_cast<CWindowWnd*>(GetPropW(window, kObjectProperty));
}

void CWindowWnd::DetachObject(ObjectSlot slot, HWND window) {
  if (slot == ObjectSlot::UserData) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  } else {
    RemovePropW(window, kObjectProperty);
  }
}

LRESULT CWindowWnd::FinishDestruction(ObjectSlot slot, HWND window, WPARAM wparam, LPARAM lparam) {
  LifeWatch watch(this);
  const LRESULT result = CallPreviousProc(WM_NCDESTROY, wparam, lparam);
  DetachObject(slot, window);
  if (watch.ObjectGone()) return result;
  window_ = nullptr;
  OnWindowDestroyed(window);  // May delete the object: the last use of it.
  return result;
}

LRESULT CWindowWnd::ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return CallPreviousProc(message, wparam, lparam);
}

void CWindowWnd::OnWindowDestroyed(HWND) {}

void CWindowWnd::PostClose(WPARAM result) {
  if (window_) PostMessageW(window_, WM_CLOSE, result, 0);
}

void CWindowWnd::ShowNative(bool show, bool take_focus) {
  if (!window_) return;
  ShowWindow(window_, !show ? SW_HIDE : take_focus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
}

WPARAM CWindowWnd::RunModal() {
  // Only locals after the first dispatch: a window on the heap may delete itself when its window goes.
  const HWND window = window_;
  if (!window) return 0;
  const HWND owner = GetWindow(window, GW_OWNER);
  ShowWindow(window, SW_SHOWNORMAL);
  if (owner) EnableWindow(owner, FALSE);
  WPARAM result = 0;
  bool quit = false;
  MSG message = {};
  while (IsWindow(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) quit = true;
    if (got == 0 || got == -1) break;
    if (message.message == WM_CLOSE && message.hwnd == window) {
      result = message.wParam;
      ReturnToOwner(owner);  // Before the window goes, so that the activation returns to the owner.
    }
    if (!CPaintManagerUI::PreTranslateMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  ReturnToOwner(owner);
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return result;
}

void CWindowWnd::CenterOnOwner() {
  if (!window_) return;
  RECT window_rect = {};
  GetWindowRect(window_, &window_rect);
  const HWND owner = GetWindow(window_, GW_OWNER);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(owner ? owner : window_, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  RECT centre = monitor.rcWork;
  if (owner) GetWindowRect(owner, &centre);
  const POINT position = CenteredWindowPosition(window_rect, centre, monitor.rcWork);
  SetWindowPos(window_, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetWindowIcon(UINT resource_id) {
  if (!window_) return;
  const int width = IconSide(SM_CXICON);
  const int height = IconSide(SM_CYICON);
  for (auto* icon : {&big_icon_, &small_icon_}) {
    const HANDLE loaded = LoadImageW(ApplicationModule(), MAKEINTRESOURCEW(resource_id), IMAGE_ICON, width,
                                     height, LR_DEFAULTCOLOR);
    if (!loaded) return;
    const WPARAM kind = icon == &big_icon_ ? ICON_BIG : ICON_SMALL;
    SendMessageW(window_, WM_SETICON, kind, reinterpret_cast<LPARAM>(loaded));
    icon->reset(static_cast<HICON>(loaded));  // The one it replaced is no longer shown.
  }
}

LRESULT CWindowWnd::SendToWindow(UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(window_, message, wparam, lparam);
}

bool CWindowWnd::PostToWindow(UINT message, WPARAM wparam, LPARAM lparam) {
  return PostMessageW(window_, message, wparam, lparam) != FALSE;
}

LRESULT CWindowWnd::CallPreviousProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return CallWindowProcW(previous_proc_, window_, message, wparam, lparam);
}

}  // namespace veneer
