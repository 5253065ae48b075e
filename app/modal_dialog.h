#ifndef APP_MODAL_DIALOG_H_
#define APP_MODAL_DIALOG_H_

#include <windows.h>

#include <initializer_list>

#include "ui/controls/window_impl_base.h"

namespace tessaro {

// Runs `dialog` once as a modal window over `owner`: creates its native window (title `title`, the
// skin decides the look and size), centres it on the owner and runs the modal loop, which disables the
// owner until the dialog is gone. Returns the result the dialog closed with; 0 when no window came
// about or it closed by other means. The caller owns the dialog (on its stack); a dialog whose loop
// ended on WM_QUIT still has its window, which goes with the object. UI thread.
WPARAM RunModalDialog(veneer::WindowImplBase& dialog, HWND owner, const wchar_t* title);

// The dialog result among `results` (an enumeration whose values are the close codes and whose 0
// means "closed by other means") that `code` stands for; 0 for any code not among them.
template <typename Result>
Result DialogResultOf(WPARAM code, std::initializer_list<Result> results) {
  for (const Result result : results) {
    if (static_cast<WPARAM>(result) == code) return result;
  }
  return Result{};
}

}  // namespace tessaro

#endif  // APP_MODAL_DIALOG_H_
