// The paint manager's message handling: the window's messages (mouse with capture and hover, keyboard,
// focus, timers, cursor, tool tips, reflection), keyboard pre-processing (Tab, Alt shortcuts), and the
// process-wide message loop.
//
// Every handler re-reads the manager's control pointers after a call out (an event, a notification, a
// platform call that sends messages back) and returns at once, reporting the message as handled, when
// the manager was destroyed meanwhile.

#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <cwchar>

#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// The platform's offset of messages reflected to the child window that sent them.
constexpr UINT kReflectedMessageOffset = 0x2000;
constexpr DWORD kToolTipStyle = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP;

bool IsKeyDown(int virtual_key) { return (GetKeyState(virtual_key) & 0x8000) != 0; }

// The keyState of events other than button events: which buttons and modifiers are down now.
uint16_t CurrentKeyState() {
  uint16_t state = 0;
  if (IsKeyDown(VK_LBUTTON)) state |= kKeyStateLeftButton;
  if (IsKeyDown(VK_RBUTTON)) state |= kKeyStateRightButton;
  if (IsKeyDown(VK_SHIFT)) state |= kKeyStateShift;
  if (IsKeyDown(VK_CONTROL)) state |= kKeyStateControl;
  if (IsKeyDown(VK_MENU)) state |= kKeyStateAlt;
  return state;
}

bool IsButtonEvent(EventKind kind) {
  switch (kind) {
    case EventKind::ButtonDown:
    case EventKind::ButtonUp:
    case EventKind::RightButtonDown:
    case EventKind::RightButtonUp:
    case EventKind::MiddleButtonDown:
    case EventKind::MiddleButtonUp:
    case EventKind::DoubleClick:
      return true;
    default:
      return false;
  }
}

POINT ClientPointOf(LPARAM lparam) { return POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}; }

POINT ScreenToClientPoint(HWND window, LPARAM lparam) {
  POINT point = ClientPointOf(lparam);
  ScreenToClient(window, &point);
  return point;
}

LPARAM PointToLParam(POINT point) {
  return MAKELPARAM(static_cast<WORD>(static_cast<SHORT>(point.x)),
                    static_cast<WORD>(static_cast<SHORT>(point.y)));
}

wchar_t UpperCase(wchar_t character) {
  CharUpperBuffW(&character, 1);
  return character;
}

bool ClassNameContains(const CControlUI* control, const wchar_t* part) {
  return std::wcsstr(control->GetClassName(), part) != nullptr;
}

// Alt shortcuts: the first visible control whose shortcut is the key takes it; a label passes it on to
// the next visible control visited after it that is not a label.
struct ShortcutSearch {
  wchar_t key;
  bool label_matched;
};

CControlUI* MatchShortcut(CControlUI* control, void* context) {
  auto* search = static_cast<ShortcutSearch*>(context);
  if (!control->IsVisible()) return nullptr;
  const bool is_label = ClassNameContains(control, L"LabelUI");
  if (search->label_matched) return is_label ? nullptr : control;
  if (UpperCase(control->GetShortcutKey()) != search->key) return nullptr;
  if (!is_label) return control;
  search->label_matched = true;
  return nullptr;
}

}  // namespace

// Events --------------------------------------------------------------------------------------------

EventRecord CPaintManagerUI::MakeEvent(EventKind kind, CControlUI* sender, WPARAM wparam,
                                       LPARAM lparam) const {
  EventRecord event;
  event.kind = kind;
  event.sender = sender;
  event.timestamp = GetTickCount();
  event.mousePoint = last_mouse_point_;
  event.keyState = CurrentKeyState();
  event.wParam = wparam;
  event.lParam = lparam;
  return event;
}

EventRecord CPaintManagerUI::MakeMouseEvent(EventKind kind, CControlUI* sender, POINT point, WPARAM wparam,
                                            LPARAM lparam) const {
  EventRecord event = MakeEvent(kind, sender, wparam, lparam);
  event.mousePoint = point;
  if (IsButtonEvent(kind)) event.keyState = LOWORD(wparam);
  return event;
}

CControlUI* CPaintManagerUI::FindOwnControlAt(POINT point) {
  CControlUI* control = FindControlAt(point);
  return control && control->GetPaintManager() == this ? control : nullptr;
}

// Capture -------------------------------------------------------------------------------------------

void CPaintManagerUI::CaptureMouse() {
  if (!window_) return;
  SetCapture(window_);
  captured_ = true;
}

void CPaintManagerUI::ReleaseMouse() {
  if (!captured_) return;
  captured_ = false;
  ReleaseCapture();
}

bool CPaintManagerUI::ReleaseMouseWatching(CControlUI** control) {
  CallOut call(this, *control);  // WM_CAPTURECHANGED arrives before ReleaseCapture returns.
  ReleaseMouse();
  *control = call.control();
  return !call.ManagerGone();
}

// Message handling ----------------------------------------------------------------------------------

bool CPaintManagerUI::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  *result = 0;
  try {
    return HandleMessageUnguarded(message, wparam, lparam, result);
  } catch (...) {
    // No exception may cross the window procedure: the message is left to the default handling.
    return false;
  }
}

bool CPaintManagerUI::HandleMessageUnguarded(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  if (!window_) return false;
  {
    CallOut call(this);
    const bool filtered = AskMessageFilters(message, wparam, lparam, result);
    if (call.ManagerGone()) return true;
    if (filtered) {
      NoteMousePoint(message, lparam);
      return true;
    }
  }
  if (layered_ && HandleLayeredFrameMessage(message, wparam, result)) return true;
  if (message == kDeliveryMessage) return OnDeliveryMessage();
  if (message == WM_PAINT) return OnPaint();
  if (message == WM_PRINTCLIENT) return OnPrintClient(reinterpret_cast<HDC>(wparam), lparam);
  return HandleInputMessage(message, wparam, lparam, result) ||
         HandleWindowMessage(message, wparam, lparam, result);
}

bool CPaintManagerUI::AskMessageFilters(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  bool handled = false;
  message_filters_.Walk([&](IMessageFilterUI* filter) {
    bool filter_handled = false;
    const LRESULT filter_result = filter->MessageHandler(message, wparam, lparam, &filter_handled);
    if (filter_handled) {
      handled = true;
      *result = filter_result;
    }
    return !filter_handled;
  });
  return handled;
}

void CPaintManagerUI::NoteMousePoint(UINT message, LPARAM lparam) {
  switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      last_mouse_point_ = ClientPointOf(lparam);
      break;
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
      if (lparam != -1) last_mouse_point_ = ScreenToClientPoint(window_, lparam);
      break;
    default:
      break;
  }
}

bool CPaintManagerUI::HandleLayeredFrameMessage(UINT message, WPARAM wparam, LRESULT* result) {
  switch (message) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
      *result = 0;
      return true;
    case WM_NCACTIVATE:
      if (IsIconic(window_)) return false;
      *result = wparam == 0 ? TRUE : FALSE;
      return true;
    default:
      return false;
  }
}

bool CPaintManagerUI::HandleInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_MOUSEMOVE:
      return OnMouseMove(wparam, lparam);
    case WM_MOUSEHOVER:
      return OnMouseHover(wparam, lparam);
    case WM_MOUSELEAVE:
      return OnMouseLeave();
    case WM_MOUSEWHEEL:
      return OnMouseWheel(wparam, lparam);
    case WM_LBUTTONDOWN:
      return OnButtonDown(EventKind::ButtonDown, wparam, lparam);
    case WM_LBUTTONDBLCLK:
      return OnButtonDown(EventKind::DoubleClick, wparam, lparam);
    case WM_RBUTTONDOWN:
      return OnButtonDown(EventKind::RightButtonDown, wparam, lparam);
    case WM_MBUTTONDOWN:
      return OnButtonDown(EventKind::MiddleButtonDown, wparam, lparam);
    case WM_LBUTTONUP:
      return OnButtonUp(wparam, lparam);
    case WM_RBUTTONUP:
      return OnOtherButtonUp(EventKind::RightButtonUp, wparam, lparam);
    case WM_MBUTTONUP:
      return OnOtherButtonUp(EventKind::MiddleButtonUp, wparam, lparam);
    case WM_CONTEXTMENU:
      return OnContextMenu(wparam, lparam);
    case WM_KEYDOWN:
      key_target_ = focus_;
      return SendEventToFocus(EventKind::KeyDown, wparam, lparam);
    case WM_KEYUP:
      return OnKeyUp(wparam, lparam);
    case WM_CHAR:
      return SendEventToFocus(EventKind::Char, wparam, lparam);
    case WM_SETCURSOR:
      return OnSetCursor(lparam, result);
    default:
      return false;
  }
}

bool CPaintManagerUI::HandleWindowMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  switch (message) {
    case WM_SIZE:
      return OnSize();
    case WM_SETFOCUS:
      return SendEventToFocus(EventKind::FocusGained, wparam, lparam);
    case WM_KILLFOCUS:
      ReleaseMouse();
      return false;
    case WM_CLOSE:
      return OnClose();
    case WM_NCDESTROY:
      ForgetWindow();
      return false;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(lparam);
      return false;
    case WM_TIMER:
      return OnTimer(wparam, lparam);
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (!header || !header->hwndFrom) return false;
      *result = SendMessageW(header->hwndFrom, message + kReflectedMessageOffset, wparam, lparam);
      return true;
    }
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HWND child = reinterpret_cast<HWND>(lparam);
      if (!child) return false;
      const LRESULT reflected = SendMessageW(child, message + kReflectedMessageOffset, wparam, lparam);
      if (reflected == 0) return false;
      *result = reflected;
      return true;
    }
    default:
      return false;
  }
}

// Keyboard, focus, size, close ----------------------------------------------------------------------

// Key events and the focus messages are not handled: the default window procedure still sees them.
bool CPaintManagerUI::SendEventToFocus(EventKind kind, WPARAM wparam, LPARAM lparam) {
  if (!focus_) return false;
  EventRecord event = MakeEvent(kind, focus_, wparam, lparam);
  if (kind == EventKind::KeyDown || kind == EventKind::Char) event.keyCode = static_cast<uint16_t>(wparam);
  return !DispatchTo(focus_, event);
}

bool CPaintManagerUI::OnKeyUp(WPARAM wparam, LPARAM lparam) {
  if (!key_target_) return false;
  CControlUI* target = key_target_;
  key_target_ = nullptr;
  EventRecord event = MakeEvent(EventKind::KeyUp, target, wparam, lparam);
  event.keyCode = static_cast<uint16_t>(wparam);
  return !DispatchTo(target, event);
}

bool CPaintManagerUI::OnSize() {
  if (focus_) {
    EventRecord event = MakeEvent(EventKind::WindowSize, focus_);
    if (!DispatchTo(focus_, event)) return true;
  }
  if (!root_) return false;
  root_->MarkLayoutDirty();
  MarkLayoutNeeded();
  return true;
}

bool CPaintManagerUI::OnClose() {
  if (hover_ && !LeaveHover(last_mouse_point_)) return true;
  if (!CancelPress()) return true;
  if (!MoveFocus(nullptr)) return true;
  HWND owner = GetWindow(window_, GW_OWNER);
  if (owner && GetActiveWindow() == window_) {
    CallOut call(this);
    SetFocus(owner);
    if (call.ManagerGone()) return true;
  }
  tool_tip_.reset();
  return false;
}

bool CPaintManagerUI::CancelPress() {
  if (!click_) return true;
  CControlUI* pressed = click_;
  click_ = nullptr;
  drag_pending_ = false;
  if (!ReleaseMouseWatching(&pressed)) return false;
  if (!pressed) return true;
  EventRecord event = MakeEvent(EventKind::ButtonUp, pressed);
  event.mousePoint = POINT{-1, -1};
  event.keyState = kKeyStatePressCancelled;
  return DispatchTo(pressed, event);
}

bool CPaintManagerUI::OnSetCursor(LPARAM lparam, LRESULT* result) {
  if (LOWORD(lparam) != HTCLIENT || !root_) return false;
  if (!captured_) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    CControlUI* control = FindOwnControlAt(point);
    if (!control || !(control->GetBehaviourFlags() & kBehaviourCursorRequests)) return false;
    EventRecord event = MakeMouseEvent(EventKind::CursorRequest, control, point, 0, lparam);
    if (!DispatchTo(control, event)) return true;
  }
  *result = TRUE;  // The cursor is set (or kept while the mouse is captured).
  return true;
}

void CPaintManagerUI::OnGetMinMaxInfo(LPARAM lparam) const {
  auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
  if (!info) return;
  if (min_track_size_.cx > 0) info->ptMinTrackSize.x = min_track_size_.cx;
  if (min_track_size_.cy > 0) info->ptMinTrackSize.y = min_track_size_.cy;
  if (max_track_size_.cx > 0) info->ptMaxTrackSize.x = info->ptMaxSize.x = max_track_size_.cx;
  if (max_track_size_.cy > 0) info->ptMaxTrackSize.y = info->ptMaxSize.y = max_track_size_.cy;
}

bool CPaintManagerUI::OnTimer(WPARAM wparam, LPARAM lparam) {
  const CControlTimers::Record* record = timers_.FindRunning(wparam);
  if (!record) return false;
  CControlUI* control = record->control;
  EventRecord event = MakeEvent(EventKind::Timer, control, record->id, lparam);
  DispatchTo(control, event);
  return true;
}

// Mouse ---------------------------------------------------------------------------------------------

void CPaintManagerUI::StartMouseTracking() {
  TRACKMOUSEEVENT tracking = {};
  tracking.cbSize = sizeof(tracking);
  tracking.dwFlags = TME_HOVER | TME_LEAVE;
  tracking.hwndTrack = window_;
  tracking.dwHoverTime =
      tool_tip_ ? static_cast<DWORD>(SendMessageW(tool_tip_.get(), TTM_GETDELAYTIME, TTDT_INITIAL, 0))
                : static_cast<DWORD>(hover_time_);
  if (TrackMouseEvent(&tracking)) mouse_tracking_ = true;
}

bool CPaintManagerUI::LeaveHover(POINT point) {
  CControlUI* left = hover_;
  hover_ = nullptr;
  HideToolTip();
  if (!left) return true;
  EventRecord event = MakeMouseEvent(EventKind::MouseLeave, left, point, 0, 0);
  return DispatchTo(left, event);
}

bool CPaintManagerUI::OnMouseMove(WPARAM wparam, LPARAM lparam) {
  if (!mouse_tracking_) StartMouseTracking();
  const POINT point = ClientPointOf(lparam);
  last_mouse_point_ = point;
  CControlUI* control = FindControlAt(point);
  if (control && control->GetPaintManager() != this) return false;
  // A drag source pressed here stays drag_pending_; no drag starts (OLE drag and drop is not part of
  // the manager).
  if (!captured_ && control != hover_) {
    if (hover_) {
      if (!LeaveHover(point)) return true;
      control = FindOwnControlAt(point);  // The leave handler may have changed the tree.
    }
    if (control && control != hover_) {
      hover_ = control;
      EventRecord enter = MakeMouseEvent(EventKind::MouseEnter, control, point, wparam, lparam);
      if (!DispatchTo(control, enter)) return true;
    }
  }
  // While a button is held, the pressed control keeps getting the moves.
  CControlUI* target = click_ ? click_ : FindOwnControlAt(point);
  if (!target) return false;
  EventRecord move = MakeMouseEvent(EventKind::MouseMove, target, point, wparam, lparam);
  DispatchTo(target, move);
  return false;
}

bool CPaintManagerUI::OnMouseHover(WPARAM wparam, LPARAM lparam) {
  mouse_tracking_ = false;
  const POINT point = ClientPointOf(lparam);
  if (!FindOwnControlAt(point)) return false;
  if (hover_) {
    EventRecord event = MakeMouseEvent(EventKind::MouseHover, hover_, point, wparam, lparam);
    if (!DispatchTo(hover_, event)) return true;
  }
  CControlUI* control = FindOwnControlAt(point);  // The hover handler may have changed the tree.
  if (!control) return true;
  const CUIString text = control->GetToolTip();
  if (!text.IsEmpty()) ShowToolTip(control, text);
  return true;
}

bool CPaintManagerUI::OnMouseLeave() {
  HideToolTip();
  if (mouse_tracking_ && !RefreshHoverAfterLeave()) return true;
  mouse_tracking_ = false;
  return false;
}

bool CPaintManagerUI::RefreshHoverAfterLeave() {
  // The mouse may have moved onto a native child window or the tool tip: inside the client area the
  // hover is brought up to date, anywhere else the hover control is left.
  POINT cursor;
  GetCursorPos(&cursor);
  RECT frame;
  GetWindowRect(window_, &frame);
  if (!IsIconic(window_) && GetActiveWindow() == window_ && PtInRect(&frame, cursor)) {
    CallOut call(this);
    const LRESULT hit = SendMessageW(window_, WM_NCHITTEST, 0, PointToLParam(cursor));
    if (call.ManagerGone()) return false;
    if (hit == HTCLIENT) {
      ScreenToClient(window_, &cursor);
      SendMessageW(window_, WM_MOUSEMOVE, 0, PointToLParam(cursor));
      return !call.ManagerGone();
    }
  }
  last_mouse_point_ = POINT{-1, -1};
  return LeaveHover(last_mouse_point_);
}

bool CPaintManagerUI::OnMouseWheel(WPARAM wparam, LPARAM lparam) {
  if (!root_) return false;
  last_mouse_point_ = ScreenToClientPoint(window_, lparam);
  const POINT point = last_mouse_point_;
  if (CControlUI* control = FindOwnControlAt(point)) {
    const WPARAM toward_user = GET_WHEEL_DELTA_WPARAM(wparam) < 0 ? 1 : 0;
    EventRecord event = MakeMouseEvent(EventKind::ScrollWheel, control, point, toward_user, lparam);
    if (!DispatchTo(control, event)) return true;
  }
  // The content may have scrolled under the mouse: bring the hover up to date.
  SendMessageW(window_, WM_MOUSEMOVE, 0, PointToLParam(point));
  return true;
}

bool CPaintManagerUI::OnButtonDown(EventKind kind, WPARAM wparam, LPARAM lparam) {
  CControlUI* none = nullptr;
  if (!no_activate_ && !TakeNativeFocus(&none)) return true;
  if (!root_) return false;
  const POINT point = ClientPointOf(lparam);
  last_mouse_point_ = point;
  CControlUI* control = FindOwnControlAt(point);
  if (!control) return false;
  if (kind == EventKind::ButtonDown && control->IsDragSource()) drag_pending_ = true;
  click_ = control;
  CaptureMouse();
  if (kind != EventKind::DoubleClick) {
    CallOut call(this, control);
    control->TakeFocus();
    if (call.ManagerGone()) return true;
    // Destroyed, or another press came first (a nested message loop).
    if (!call.control() || click_ != control) return false;
  }
  EventRecord event = MakeMouseEvent(kind, control, point, wparam, lparam);
  return !DispatchTo(control, event);
}

bool CPaintManagerUI::OnButtonUp(WPARAM wparam, LPARAM lparam) {
  const POINT point = ClientPointOf(lparam);
  last_mouse_point_ = point;
  drag_pending_ = false;
  CControlUI* pressed = click_;
  if (!pressed) return false;
  // The press is over before the control hears of it: its handler may open a modal loop or destroy it.
  click_ = nullptr;
  if (!ReleaseMouseWatching(&pressed)) return true;
  if (!pressed) return false;
  EventRecord event = MakeMouseEvent(EventKind::ButtonUp, pressed, point, wparam, lparam);
  return !DispatchTo(pressed, event);
}

// Not handled, so that the default window procedure turns a right button release into WM_CONTEXTMENU,
// which then goes to the same control.
bool CPaintManagerUI::OnOtherButtonUp(EventKind kind, WPARAM wparam, LPARAM lparam) {
  const POINT point = ClientPointOf(lparam);
  last_mouse_point_ = point;
  click_ = FindOwnControlAt(point);
  CControlUI* control = click_;
  if (!control) return false;
  if (!ReleaseMouseWatching(&control)) return true;
  if (!control) return false;
  EventRecord event = MakeMouseEvent(kind, control, point, wparam, lparam);
  return !DispatchTo(control, event);
}

bool CPaintManagerUI::OnContextMenu(WPARAM wparam, LPARAM lparam) {
  if (!root_) return false;
  if (lparam != -1) last_mouse_point_ = ScreenToClientPoint(window_, lparam);  // -1: from the keyboard.
  CControlUI* control = click_;
  if (!control) return false;
  click_ = nullptr;
  if (!ReleaseMouseWatching(&control)) return true;
  if (!control) return false;
  EventRecord event = MakeEvent(EventKind::ContextMenu, control, wparam, lparam);
  DispatchTo(control, event);
  return true;
}

// Tool tips -----------------------------------------------------------------------------------------

void CPaintManagerUI::ShowToolTip(CControlUI* control, const CUIString& text) {
  tool_tip_text_ = text;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  tool_info_ = {};
  tool_info_.cbSize = TTTOOLINFOW_V2_SIZE;
  tool_info_.uFlags = TTF_IDISHWND;
  tool_info_.hwnd = window_;
  tool_info_.uId = reinterpret_cast<UINT_PTR>(window_);
  tool_info_.hinst = instance;
  tool_info_.lpszText = const_cast<wchar_t*>(tool_tip_text_.GetData());  // Only read by the tool tip.
  tool_info_.rect = control->GetBounds();
  const LPARAM tool = reinterpret_cast<LPARAM>(&tool_info_);
  if (!tool_tip_) {
    tool_tip_.reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, kToolTipStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance, nullptr));
    if (!tool_tip_) return;
    SendMessageW(tool_tip_.get(), TTM_ADDTOOLW, 0, tool);
  }
  SendMessageW(tool_tip_.get(), TTM_SETMAXTIPWIDTH, 0, control->GetToolTipWidth());
  if (IsWindowVisible(tool_tip_.get())) return;
  SendMessageW(tool_tip_.get(), TTM_SETTOOLINFOW, 0, tool);
  SendMessageW(tool_tip_.get(), TTM_TRACKACTIVATE, TRUE, tool);
}

void CPaintManagerUI::HideToolTip() {
  if (tool_tip_)
    SendMessageW(tool_tip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool_info_));
}

// Keyboard pre-processing and the message loop ------------------------------------------------------

bool CPaintManagerUI::PreMessageHandler(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  *result = 0;
  bool handled = false;
  {
    CallOut call(this);
    pre_message_filters_.Walk([&](IMessageFilterUI* filter) {
      bool filter_handled = false;
      const LRESULT filter_result = filter->MessageHandler(message, wparam, lparam, &filter_handled);
      if (filter_handled) {
        handled = true;
        *result = filter_result;
      }
      return !filter_handled;
    });
    if (handled || call.ManagerGone()) return true;
  }
  switch (message) {
    case WM_KEYDOWN:
      if (wparam != VK_TAB) return false;
      // A web view moves the focus among its own elements.
      if (focus_ && focus_->IsVisible() && focus_->IsEnabled() && ClassNameContains(focus_, L"WebViewUI"))
        return false;
      MoveFocusToTabStop(!IsKeyDown(VK_SHIFT));
      return true;
    case WM_SYSKEYDOWN:
      if (focus_) {
        EventRecord event = MakeEvent(EventKind::SystemKey, focus_, wparam, lparam);
        event.keyCode = static_cast<uint16_t>(wparam);
        DispatchTo(focus_, event);
      }
      return false;
    case WM_SYSCHAR:
      return ActivateShortcut(static_cast<wchar_t>(wparam));
    default:
      return false;
  }
}

bool CPaintManagerUI::ActivateShortcut(wchar_t character) {
  if (!root_) return false;
  ShortcutSearch search{UpperCase(character), false};
  CControlUI* control =
      root_->FindMatching(MatchShortcut, &search, kFindEnabled | kFindLastToFirst | kFindSelfFirst);
  if (!control) return false;
  CallOut call(this, control);
  control->TakeFocus();
  if (!call.ManagerGone() && call.control()) control->TryActivate();
  return true;
}

bool CPaintManagerUI::RunAccelerators(const MSG& message) {
  CallOut call(this);
  bool consumed = false;
  translators_.Walk([&message, &consumed](ITranslateAccelerator* translator) {
    consumed = translator->TranslateAcceleratorMessage(message);
    return !consumed;
  });
  return consumed;
}

bool CPaintManagerUI::PreTranslateMessage(const MSG& message) {
  try {
    if (!message.hwnd) return false;
    if (GetWindowLongPtrW(message.hwnd, GWL_STYLE) & WS_CHILD) {
      // A native child window (an embedded control): every manager of a window that holds it.
      bool consumed = false;
      Managers().Walk([&message, &consumed](CPaintManagerUI* manager) {
        HWND window = manager->window_;
        if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return true;
        CallOut call(manager);
        consumed = manager->RunAccelerators(message);
        if (!consumed && !call.ManagerGone()) {
          LRESULT ignored = 0;
          manager->PreMessageHandler(message.message, message.wParam, message.lParam, &ignored);
        }
        return !consumed;
      });
      return consumed;
    }
    CPaintManagerUI* owner = nullptr;
    Managers().Walk([&message, &owner](CPaintManagerUI* manager) {
      if (manager->window_ == message.hwnd) owner = manager;
      return owner == nullptr;
    });
    if (!owner) return false;
    CallOut call(owner);
    if (owner->RunAccelerators(message)) return true;
    if (call.ManagerGone()) return false;
    LRESULT result = 0;
    return owner->PreMessageHandler(message.message, message.wParam, message.lParam, &result);
  } catch (...) {
    return false;  // The message is translated and dispatched as usual.
  }
}

void CPaintManagerUI::MessageLoop() {
  MSG message;
  for (;;) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) return;  // WM_QUIT, or no message queue to read.
    try {
      if (PreTranslateMessage(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    } catch (...) {
      // Swallowed: the loop goes on with the next message.
    }
  }
}

}  // namespace veneer
