#ifndef TESTS_APP_DIALOG_DRIVER_H_
#define TESTS_APP_DIALOG_DRIVER_H_

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/controls/window_impl_base.h"

namespace tessaro::test {

// Plays steps on a modal dialog from inside its modal loop. A thread timer looks for this thread's
// top-level window of the dialog's class; each tick that finds one plays the next step on the
// window's object. Once the steps are played, or when the deadline passes, a dialog still open is
// closed by the system (result 0), so that a test never waits for ever. One driver at a time, on the
// test's thread; it plays nothing outside a message loop.
class DialogDriver {
 public:
  using Step = std::function<void(veneer::WindowImplBase& dialog)>;

  DialogDriver(const wchar_t* window_class, std::vector<Step> steps, DWORD deadline_ms = 10000);
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  ~DialogDriver();

  // How many steps were played, and whether the deadline closed the dialog.
  size_t played() const { return played_; }
  bool timed_out() const { return timed_out_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void PlayNext();

  const std::wstring window_class_;
  const std::vector<Step> steps_;
  const ULONGLONG deadline_;
  size_t played_ = 0;
  bool timed_out_ = false;
  UINT_PTR timer_ = 0;
};

// A click on the dialog's control `name`, as its paint manager reports it (nothing when it is missing).
DialogDriver::Step ClickOn(const wchar_t* name);

// Counts the windows of the dialogs' classes ("DMessageBox", "CloseDialogBox") that this thread
// creates while it lives. One at a time, on the test's thread.
class DialogCreationCounter {
 public:
  DialogCreationCounter();
  DialogCreationCounter(const DialogCreationCounter&) = delete;
  DialogCreationCounter& operator=(const DialogCreationCounter&) = delete;
  ~DialogCreationCounter();
  int created() const;

 private:
  HHOOK hook_;
};

// This thread's top-level window of `window_class`; null when there is none.
HWND FindThreadWindow(const wchar_t* window_class);

}  // namespace tessaro::test

#endif  // TESTS_APP_DIALOG_DRIVER_H_
