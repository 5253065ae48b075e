#ifndef TESTS_APP_HAND_OVER_RECORDER_H_
#define TESTS_APP_HAND_OVER_RECORDER_H_

#include <windows.h>

#include <string>

#include "tests/support/test_window.h"

namespace tessaro::test {

// A message-only window standing in for the main window: records the configuration bodies that fetch
// threads send to it. Lives on the test's thread; the messages arrive while that thread pumps. It
// does not start fetches itself.
class HandOverRecorder {
 public:
  // What one message kind brought: how often it came, the body of the last one (copied up to its
  // first NUL byte, as the main window reads it), its lParam and when it came.
  struct Record {
    int count = 0;
    std::string body;
    LPARAM length = -1;
    ULONGLONG arrived_ms = 0;
  };

  HandOverRecorder();

  HWND hwnd() const { return window_.hwnd(); }
  const Record& global() const { return global_; }
  const Record& goods() const { return goods_; }

  // Pumps messages until both kinds have arrived at least `count` times or `timeout_ms` passes.
  bool WaitForBoth(int count, DWORD timeout_ms);
  bool WaitForGlobal(DWORD timeout_ms);

 private:
  static bool Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result,
                        void* context);

  Record global_;
  Record goods_;
  veneer::test::TestWindow window_;  // Declared last: its procedure writes the records above.
};

}  // namespace tessaro::test

#endif  // TESTS_APP_HAND_OVER_RECORDER_H_
