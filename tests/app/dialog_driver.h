#ifndef TESTS_APP_DIALOG_DRIVER_H_
#define TESTS_APP_DIALOG_DRIVER_H_

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/controls/window_impl_base.h"

namespace tessaro::test {

// Plays steps on this thread's modal dialog of one window class from inside its modal loop: a thread
// timer finds the dialog and plays the next step on its object at each tick. Once the steps are
// played, or after ten seconds, a dialog still open is closed by the system (result 0), so a test
// never waits for ever. One driver at a time, on the test's thread.
class DialogDriver {
 public:
  using Step = std::function<void(veneer::WindowImplBase& dialog)>;

  DialogDriver(const wchar_t* window_class, std::vector<Step> steps);
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  ~DialogDriver();

  size_t played() const { return played_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

  const wchar_t* const window_class_;
  const std::vector<Step> steps_;
  const ULONGLONG deadline_;
  size_t played_ = 0;
  UINT_PTR timer_ = 0;
};

// A click on the dialog's control `name`, as its paint manager reports clicks.
DialogDriver::Step ClickOn(const wchar_t* name);

}  // namespace tessaro::test

#endif  // TESTS_APP_DIALOG_DRIVER_H_
