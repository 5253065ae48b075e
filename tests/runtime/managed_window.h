#ifndef TESTS_RUNTIME_MANAGED_WINDOW_H_
#define TESTS_RUNTIME_MANAGED_WINDOW_H_

#include <windows.h>

#include <string>
#include <vector>

#include "tests/runtime/test_stack.h"
#include "tests/support/test_window.h"
#include "ui/runtime/control.h"
#include "ui/runtime/notify_ui.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {

// A native popup window whose messages go to its paint manager first, as a skinned window's do. The
// manager outlives the window. It is placed at the screen's top-left corner and stays hidden until
// Show.
class ManagedWindow {
 public:
  ManagedWindow(int width, int height);
  CPaintManagerUI& manager() { return manager_; }
  HWND hwnd() const { return window_.hwnd(); }
  // A stack of `children` as the root (owned by the manager), placed over the whole client area.
  TestStack* SetStackRoot(std::vector<CControlUI*> children);
  // Shows the window without activating it and paints it at once.
  void Show();
  LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(hwnd(), message, wparam, lparam);
  }
  // The client pixels as they are on the screen, 0xAARRGGBB.
  uint32_t ScreenPixel(int x, int y) const;

 private:
  static bool Forward(HWND, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result, void* manager);

  CPaintManagerUI manager_;
  TestWindow window_;
};

// A control that logs the events reaching it ("ButtonUp@60,10") and acts as a minimal button: a
// ButtonUp inside its bounds that does not cancel the press sends "click". Optionally a tab stop.
class Probe : public CControlUI {
 public:
  explicit Probe(const wchar_t* name = L"", uint32_t behaviour = 0, int fixed_height = 0);
  uint32_t GetBehaviourFlags() const override { return behaviour_; }
  bool TryActivate() override;
  void HandleEvent(EventRecord& event) override;

  std::vector<std::string> log;
  int activations = 0;

 private:
  uint32_t behaviour_;
};

// A window listener that logs notifications as "type:sender" ("-" for no sender).
class NotificationLog : public INotifyUI {
 public:
  void ReceiveNotification(NotifyRecord& record) override;
  std::vector<std::string> entries;
};

// The log text of an event: its kind, for mouse events "@x,y", for wheel events ":" and the direction,
// and "!" for a cancelled press.
std::string Describe(const EventRecord& event);
// A WM_*BUTTON* or WM_MOUSEMOVE lParam.
LPARAM At(int x, int y);

}  // namespace veneer::test

#endif  // TESTS_RUNTIME_MANAGED_WINDOW_H_
