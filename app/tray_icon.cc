#include "app/tray_icon.h"

#include "app/app_messages.h"

namespace tessaro {
namespace {

constexpr wchar_t kTip[] = L"Lunet安装助手";

}  // namespace

bool TrayIcon::Add(HWND window, HICON icon) {
  if (wanted_ || !window) return false;
  menu_.reset(CreatePopupMenu());
  if (menu_) {
    AppendMenuW(menu_.get(), MF_STRING, ID_TRAY_SHOW_MAIN, L"主窗口");
    AppendMenuW(menu_.get(), MF_STRING, ID_TRAY_EXIT, L"退出");
  }
  data_ = {};
  data_.cbSize = sizeof(data_);
  data_.hWnd = window;
  data_.uID = 0;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = UM_TRAY_NOTIFY;
  data_.hIcon = icon;
  lstrcpynW(data_.szTip, kTip, ARRAYSIZE(data_.szTip));
  wanted_ = true;
  return Shell_NotifyIconW(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::Restore() {
  if (wanted_) Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::Remove() {
  if (!wanted_) return;
  wanted_ = false;
  Shell_NotifyIconW(NIM_DELETE, &data_);
}

void TrayIcon::ShowMenu() {
  if (!menu_ || !data_.hWnd) return;
  POINT cursor = {};
  GetCursorPos(&cursor);
  // Without the window in front the menu would not close when the user clicks elsewhere; the posted
  // WM_NULL lets a second click on the icon open it again.
  SetForegroundWindow(data_.hWnd);
  TrackPopupMenu(menu_.get(), TPM_LEFTBUTTON, cursor.x, cursor.y, 0, data_.hWnd, nullptr);
  PostMessageW(data_.hWnd, WM_NULL, 0, 0);
}

}  // namespace tessaro
