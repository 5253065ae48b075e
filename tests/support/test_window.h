#ifndef TESTS_SUPPORT_TEST_WINDOW_H_
#define TESTS_SUPPORT_TEST_WINDOW_H_

#include <windows.h>

namespace veneer::test {

// A native window for tests, destroyed with this object. Hidden windows have a real client area
// (for painting and layout); message-only windows only receive messages (for worker hand-overs).
// `procedure` handles messages first; returning false from it falls through to DefWindowProcW.
class TestWindow {
 public:
  using Procedure = bool (*)(HWND, UINT, WPARAM, LPARAM, LRESULT* result, void* context);

  static TestWindow Hidden(int width, int height, Procedure procedure = nullptr, void* context = nullptr);
  static TestWindow MessageOnly(Procedure procedure = nullptr, void* context = nullptr);

  TestWindow(TestWindow&& other) noexcept;
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  ~TestWindow();

  HWND hwnd() const { return hwnd_; }

 private:
  struct Handler {
    Procedure procedure;
    void* context;  // Not owned; the test keeps it alive while the window exists.
  };
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static TestWindow Create(HWND parent, DWORD style, int width, int height, Procedure procedure, void* context);

  explicit TestWindow(HWND hwnd, Handler* handler) : hwnd_(hwnd), handler_(handler) {}

  HWND hwnd_;         // Owned: destroyed in the destructor.
  Handler* handler_;  // Owned; the window's user data points at it.
};

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_TEST_WINDOW_H_
