#ifndef TESTS_SUPPORT_TEST_WINDOW_H_
#define TESTS_SUPPORT_TEST_WINDOW_H_

#include <windows.h>

#include <memory>
#include <utility>

#include "ui/core/win_handles.h"

namespace veneer::test {

// A native window for tests, destroyed with this object. Hidden windows have a real client area
// (for painting and layout); message-only windows only receive messages (for worker hand-overs).
// `procedure` handles messages first; returning false from it falls through to DefWindowProcW.
class TestWindow {
 public:
  using Procedure = bool (*)(HWND, UINT, WPARAM, LPARAM, LRESULT* result, void* context);

  static TestWindow Hidden(int width, int height, Procedure procedure = nullptr, void* context = nullptr);
  static TestWindow MessageOnly(Procedure procedure = nullptr, void* context = nullptr);

  TestWindow(TestWindow&& other) noexcept = default;
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hwnd() const { return window_.get(); }

 private:
  struct Handler {
    Procedure procedure;
    void* context;  // Not owned; the test keeps it alive while the window exists.
  };
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static TestWindow Create(HWND parent, DWORD style, int width, int height, Procedure procedure,
                           void* context);

  TestWindow(HWND hwnd, std::unique_ptr<Handler> handler) : handler_(std::move(handler)), window_(hwnd) {}

  std::unique_ptr<Handler> handler_;           // The window's user data points at it.
  ScopedHandle<HWND, &DestroyWindow> window_;  // Destroyed before handler_.
};

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_TEST_WINDOW_H_
