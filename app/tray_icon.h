#ifndef APP_TRAY_ICON_H_
#define APP_TRAY_ICON_H_

#include <windows.h>
#include <shellapi.h>

#include "ui/core/win_handles.h"

namespace tessaro {

// The tray menu's commands; the chosen one reaches the icon's window as WM_COMMAND.
constexpr UINT ID_TRAY_SHOW_MAIN = 1033;  // "主窗口"
constexpr UINT ID_TRAY_EXIT = 1034;       // "退出"

// The main window's notification-area icon and its two-item menu. Mouse events on the icon reach the
// window as UM_TRAY_NOTIFY (wParam: icon id 0, lParam: the mouse message). The icon stays until
// Remove (or until the shell restarts: the window then calls Restore on "TaskbarCreated").
//
// It does not own the window or the icon picture (a shared resource icon). Owned by the main window,
// which removes the icon before its window goes. UI thread.
class TrayIcon {
 public:
  TrayIcon() = default;
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;
  ~TrayIcon() { Remove(); }

  // Builds the menu and adds the icon for `window` with `icon` and the tip. Once only; false when the
  // shell refuses the icon (Restore tries again when the shell comes back).
  bool Add(HWND window, HICON icon);
  // Adds the icon again after the shell restarted, unless it was removed on purpose.
  void Restore();
  // Takes the icon off the notification area for good. Nothing when it was never added.
  void Remove();
  // The menu at the cursor, owned by the icon's window; the choice arrives as WM_COMMAND.
  void ShowMenu();

 private:
  NOTIFYICONDATAW data_ = {};
  veneer::ScopedHandle<HMENU, &DestroyMenu> menu_;
  bool wanted_ = false;  // Added and not removed on purpose.
};

}  // namespace tessaro

#endif  // APP_TRAY_ICON_H_
