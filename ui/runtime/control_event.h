#ifndef UI_RUNTIME_CONTROL_EVENT_H_
#define UI_RUNTIME_CONTROL_EVENT_H_

#include <windows.h>

#include <cstdint>

namespace veneer {

class CControlUI;

// The kinds of input event the paint manager makes from window messages. The values are fixed:
// containers and controls tell mouse events by their range (see IsMouseEvent).
enum class EventKind : int32_t {
  KeyDown = 3,
  KeyUp = 4,
  Char = 5,
  SystemKey = 6,  // A key pressed with Alt, to the focused control.
  MouseMove = 9,
  MouseLeave = 10,
  MouseEnter = 11,
  MouseHover = 12,
  ButtonDown = 13,
  ButtonUp = 14,
  RightButtonDown = 15,
  RightButtonUp = 16,
  MiddleButtonDown = 17,
  MiddleButtonUp = 18,
  DoubleClick = 19,
  ContextMenu = 20,
  ScrollWheel = 21,  // wParam's low word: 0 up or left, 1 down or right.
  FocusLost = 23,
  FocusGained = 24,
  WindowSize = 25,
  CursorRequest = 26,
  Timer = 27,  // wParam: the control's timer id.
};

constexpr bool IsMouseEvent(EventKind kind) {
  return static_cast<int32_t>(kind) > 8 && static_cast<int32_t>(kind) < 22;
}

// keyState bits of events that are not button events (button events carry the message's own
// MK_* flags in keyState).
constexpr uint16_t kKeyStateLeftButton = 0x1;
constexpr uint16_t kKeyStateRightButton = 0x2;
constexpr uint16_t kKeyStateShift = 0x4;
constexpr uint16_t kKeyStateControl = 0x8;
constexpr uint16_t kKeyStateAlt = 0x20;
// keyState of a ButtonUp that ends a press without a release (the window is closing while the button is
// held): the pressed control must not treat it as a click. Such a ButtonUp also carries the mouse point
// (-1, -1), and no other flag.
constexpr uint16_t kKeyStatePressCancelled = 0x8000;

// One input event as a control receives it: made by the paint manager on the UI thread, passed by
// reference for the duration of one dispatch, owned by whoever made it. `sender` is not owned; for
// FocusLost it is the control that receives the focus (null when the focus is cleared).
struct EventRecord {
  EventKind kind = EventKind::MouseMove;
  CControlUI* sender = nullptr;
  uint32_t timestamp = 0;     // GetTickCount when the event was made.
  POINT mousePoint = {0, 0};  // Client coordinates; the last known point for non-mouse events.
  uint16_t keyCode = 0;       // Virtual key (key down and up) or character (Char).
  uint16_t keyState = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace veneer

#endif  // UI_RUNTIME_CONTROL_EVENT_H_
