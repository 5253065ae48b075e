#ifndef UI_RUNTIME_NOTIFY_RECORD_H_
#define UI_RUNTIME_NOTIFY_RECORD_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/ui_string.h"

namespace veneer {

class CControlUI;

// Notification types that the control base and the paint manager send (containers, layouts and leaf
// controls add theirs).
constexpr wchar_t kNotifyWindowInit[] = L"windowinit";  // The first layout of the window; immediate.
constexpr wchar_t kNotifyWindowSize[] = L"windowsize";  // After every paint that laid out; queued.
constexpr wchar_t kNotifySetFocus[] = L"setfocus";
constexpr wchar_t kNotifyKillFocus[] = L"killfocus";
constexpr wchar_t kNotifyTimer[] = L"timer";
constexpr wchar_t kNotifyMenu[] = L"menu";

// What the application hears about a user action: a type ("click", "setfocus", ...), the control it
// concerns and two type-specific values. Made and owned by the paint manager for the time of one
// delivery; listeners get it by pointer and must not keep it. `sender` is not owned (null when the
// control was destroyed before a queued notification was delivered). UI thread only.
struct NotifyRecord {
  CUIString type;
  CUIString virtualWindow;  // The sender's virtual window name, filled while the window uses them.
  CControlUI* sender = nullptr;
  uint32_t timestamp = 0;     // GetTickCount when sent.
  POINT mousePoint = {0, 0};  // The manager's last mouse position in client coordinates.
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace veneer

#endif  // UI_RUNTIME_NOTIFY_RECORD_H_
