#ifndef APP_APP_MESSAGES_H_
#define APP_APP_MESSAGES_H_

#include <windows.h>

namespace tessaro {

// The application's own window messages, sent or posted to the main window by worker threads and the
// notification-area icon. Workers hand data over with SendMessageW (the data stays alive until the UI
// thread has used it) and report progress, failure and the installer's end with PostMessageW.
constexpr UINT UM_IMAGE_READY = WM_USER + 1;        // wParam: image task record. Sent.
constexpr UINT UM_DOWNLOAD_PROGRESS = WM_USER + 2;  // wParam: percent done; lParam: total bytes. Posted.
constexpr UINT UM_DOWNLOAD_DONE = WM_USER + 3;      // wParam: CheckedInstaller*, lock movable. Sent.
constexpr UINT UM_DOWNLOAD_FAILED = WM_USER + 4;    // Posted.
constexpr UINT UM_INSTALLER_FAILED = WM_USER + 5;   // The installer could not be started. Posted.
constexpr UINT UM_INSTALLER_EXITED = WM_USER + 6;   // Posted.
// wParam: the reply body's bytes, NUL-terminated; lParam: the body's length in bytes. Sent.
constexpr UINT UM_GLOBAL_CONFIG = WM_USER + 7;
constexpr UINT UM_TRAY_NOTIFY = WM_USER + 8;    // wParam: icon id; lParam: mouse message.
constexpr UINT UM_GOODS_CONFIG = WM_USER + 11;  // As UM_GLOBAL_CONFIG, for the goods document.

}  // namespace tessaro

#endif  // APP_APP_MESSAGES_H_
