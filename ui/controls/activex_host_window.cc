#include "ui/controls/activex_host_window.h"

namespace veneer {
namespace {

constexpr wchar_t kHostWindowClass[] = L"ActiveXWnd";

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // The object paints the whole window.
    case WM_SETFOCUS:
      if (HWND object_window = GetWindow(window, GW_CHILD)) SetFocus(object_window);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

bool RegisterHostWindowClass() {
  // Registered once per process; a second registration of the same class fails harmlessly.
  static const bool registered = [] {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &HostWindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kHostWindowClass;
    return RegisterClassExW(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

HWND CreateActiveXHostWindow(HWND parent, const RECT& bounds, bool visible) {
  if (!parent || !RegisterHostWindowClass()) return nullptr;
  const DWORD style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
  return CreateWindowExW(0, kHostWindowClass, L"", style, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

bool HasFocusWithin(HWND host) {
  if (!host) return false;
  for (HWND window = GetFocus(); window; window = GetParent(window)) {
    if (window == host) return true;
  }
  return false;
}

}  // namespace veneer
