#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "tests/support/access_violation_watch.h"
#include "ui/runtime/window_geometry.h"
#include "ui/runtime/window_wnd.h"

namespace veneer::test {
namespace {

constexpr UINT kThrowMessage = WM_APP + 1;

// A window that counts the messages reaching it and notes its destruction; a superclass of an existing
// class when given one. With `delete_on_destroy` it lives on the heap and deletes itself as top-level
// windows do.
class CountingWindow : public CWindowWnd {
 public:
  explicit CountingWindow(const wchar_t* superclass = nullptr, bool delete_on_destroy = false)
      : superclass_(superclass), delete_on_destroy_(delete_on_destroy) {}
  HWND Create() { return CreateNativeWindow(nullptr, L"", WS_POPUP, 0, 10, 10, 120, 80); }

  int messages = 0;
  HWND destroyed = nullptr;

 protected:
  const wchar_t* WindowClassName() const override {
    return superclass_ ? L"VeneerTestSuperclass" : L"VeneerTestOwnClass";
  }
  const wchar_t* SuperclassName() const override { return superclass_; }
  LRESULT ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == kThrowMessage) throw std::runtime_error("handler failed");
    ++messages;
    return CWindowWnd::ProcessMessage(message, wparam, lparam);
  }
  void OnWindowDestroyed(HWND window) override {
    destroyed = window;
    if (delete_on_destroy_) delete this;
  }

 private:
  const wchar_t* superclass_;
  bool delete_on_destroy_;
};

TEST(WindowWndTest, OwnClassKeepsTheWholeObjectPointerAndLetsGoAtDestruction) {
  CountingWindow window;
  const HWND hwnd = window.Create();
  ASSERT_NE(nullptr, hwnd);
  EXPECT_EQ(hwnd, window.GetHWND());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<CWindowWnd*>(&window)),
            GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  EXPECT_GT(window.messages, 0);  // WM_NCCREATE and WM_CREATE at least.
  EXPECT_EQ(nullptr, window.CreateNativeWindow(nullptr, L"", WS_POPUP, 0, 0, 0, 10, 10)) << "one window each";

  ASSERT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(hwnd, window.destroyed);
  EXPECT_EQ(nullptr, window.GetHWND());
}

TEST(WindowWndTest, SuperclassKeepsTheObjectInAPropertyAndTheClassBehaviour) {
  CountingWindow edit(L"EDIT");
  const HWND hwnd = edit.Create();
  ASSERT_NE(nullptr, hwnd);
  EXPECT_EQ(static_cast<CWindowWnd*>(&edit), GetPropW(hwnd, L"WndX"));
  SetWindowTextW(hwnd, L"typed");  // Handled by the edit class's own procedure.
  wchar_t text[16] = {};
  GetWindowTextW(hwnd, text, 16);
  EXPECT_STREQ(L"typed", text);

  ASSERT_TRUE(DestroyWindow(hwnd));
  EXPECT_EQ(hwnd, edit.destroyed);
}

TEST(WindowWndTest, UnknownSuperclassCreatesNoWindow) {
  CountingWindow window(L"NoSuchClassAnywhere");
  EXPECT_EQ(nullptr, window.Create());
  EXPECT_EQ(nullptr, window.GetHWND());
}

TEST(WindowWndTest, ExceptionsStayInsideTheWindowProcedure) {
  CountingWindow window;
  ASSERT_NE(nullptr, window.Create());
  EXPECT_EQ(0, window.SendToWindow(kThrowMessage));
  EXPECT_TRUE(IsWindow(window.GetHWND()));
}

TEST(WindowWndTest, ObjectDestroyedFirstTakesItsWindowAlong) {
  AccessViolationWatch faults;
  auto* window = new CountingWindow(L"EDIT");
  const HWND hwnd = window->Create();
  ASSERT_NE(nullptr, hwnd);
  delete window;
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(0, faults.count());
}

TEST(WindowWndTest, WindowThatDeletesItselfEndsItsModalLoopCleanly) {
  AccessViolationWatch faults;
  auto* window = new CountingWindow(nullptr, /*delete_on_destroy=*/true);
  const HWND hwnd = window->Create();
  ASSERT_NE(nullptr, hwnd);
  window->PostClose(9);
  EXPECT_EQ(9u, window->RunModal());  // The window and its object are gone when it returns.
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(0, faults.count());
}

struct CentringCase {
  const char* what;
  RECT window;
  RECT centre;
  POINT expected;
};

TEST(WindowGeometryTest, CentredPositionStaysInsideTheWorkArea) {
  const RECT area = {0, 0, 1000, 800};
  const CentringCase cases[] = {
      {"centred on the owner", {0, 0, 100, 50}, {200, 100, 400, 300}, {250, 175}},
      {"pushed back from the right and bottom", {0, 0, 100, 50}, {950, 780, 1000, 800}, {900, 750}},
      {"pushed back from the left and top", {0, 0, 100, 50}, {-100, -100, 0, 0}, {0, 0}},
      {"larger than the area, centred on it", {0, 0, 1200, 900}, area, {0, 0}},
      {"larger than the area, owner at its far corner", {0, 0, 1200, 900}, {900, 700, 1000, 800}, {0, 0}},
  };
  for (const CentringCase& c : cases) {
    const POINT position = CenteredWindowPosition(c.window, c.centre, area);
    EXPECT_EQ(c.expected.x, position.x) << c.what;
    EXPECT_EQ(c.expected.y, position.y) << c.what;
  }
}

}  // namespace
}  // namespace veneer::test
