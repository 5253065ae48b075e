#include "app/modal_dialog.h"

namespace tessaro {
namespace {

// No standard style bit: the skin decides the look. A tool window with the static edge, so that the
// dialog gets no taskbar button of its own.
constexpr DWORD kStyle = 0x100;
constexpr DWORD kExtendedStyle = WS_EX_STATICEDGE | WS_EX_TOOLWINDOW;

}  // namespace

WPARAM RunModalDialog(veneer::WindowImplBase& dialog, HWND owner, const wchar_t* title) {
  if (!dialog.CreateNativeWindow(owner, title, kStyle, kExtendedStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT)) {
    return 0;
  }
  dialog.CenterOnOwner();
  return dialog.RunModal();
}

}  // namespace tessaro
