#include "tests/support/test_window.h"

#include <utility>

namespace veneer::test {
namespace {

const wchar_t kClassName[] = L"VeneerTestWindow";

}  // namespace

LRESULT CALLBACK TestWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* handler = reinterpret_cast<Handler*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (handler && handler->procedure &&
      handler->procedure(hwnd, message, wparam, lparam, &result, handler->context)) {
    return result;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

TestWindow TestWindow::Create(HWND parent, DWORD style, int width, int height, Procedure procedure,
                              void* context) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  auto handler = std::make_unique<Handler>(Handler{procedure, context});
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND hwnd =
      CreateWindowExW(0, kClassName, L"test", style, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                      parent, nullptr, GetModuleHandleW(nullptr), handler.get());
  return TestWindow(hwnd, std::move(handler));
}

TestWindow TestWindow::Hidden(int width, int height, Procedure procedure, void* context) {
  return Create(nullptr, WS_POPUP, width, height, procedure, context);
}

TestWindow TestWindow::MessageOnly(Procedure procedure, void* context) {
  return Create(HWND_MESSAGE, 0, 0, 0, procedure, context);
}

}  // namespace veneer::test
