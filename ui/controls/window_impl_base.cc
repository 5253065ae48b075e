#include "ui/controls/window_impl_base.h"

#include <windowsx.h>

#include "ui/controls/shadow.h"
#include "ui/controls/skin_builder.h"
#include "ui/core/attribute_values.h"
#include "ui/runtime/control.h"
#include "ui/runtime/window_geometry.h"

namespace veneer {
namespace {

// The style bits of a system caption (WS_CAPTION and its border), which a skinned window draws itself.
constexpr LONG_PTR kCaptionBitsMask = 0xFF3FFFFF;

constexpr wchar_t kSkinFailureText[] = L"加载资源文件失败：";
constexpr wchar_t kSkinFailureCaption[] = L"Veneer";

// Classes of passive controls: a point over them (and only them, up to the root) in the caption area
// drags the window.
constexpr const wchar_t* kCaptionClasses[] = {
    L"ControlUI",        L"TextUI",      L"LabelUI",       L"ContainerUI",    L"HorizontalLayoutUI",
    L"VerticalLayoutUI", L"TabLayoutUI", L"ChildLayoutUI", L"DialogLayoutUI", L"ProgressContainerUI"};

bool IsCaptionClass(const wchar_t* class_name) {
  const CUIString name(class_name);
  for (const wchar_t* caption_class : kCaptionClasses) {
    if (name.CompareNoCase(caption_class) == 0) return true;
  }
  return false;
}

SIZE AsSize(const CUISize& size) { return SIZE{size.cx, size.cy}; }

// What the handlers that leave their message to the manager and the previous procedure answer.
LRESULT LeaveUnhandled(bool& handled) {
  handled = false;
  return 0;
}

}  // namespace

WindowImplBase::~WindowImplBase() {
  // While the manager and this class's handlers are still whole.
  DestroyNativeWindow();
}

const NotifyTable& WindowImplBase::ClassNotifyTable() {
  static const NotifyTable table(&CNotifyPump::ClassNotifyTable(),
                                 {OnNotify(L"click", L"", &WindowImplBase::OnDefaultClick)});
  return table;
}

const NotifyTable& WindowImplBase::GetNotifyTable() const { return ClassNotifyTable(); }

void WindowImplBase::ReceiveNotification(NotifyRecord& record) { RouteNotification(record); }

LRESULT WindowImplBase::MessageHandler(UINT message, WPARAM wparam, LPARAM, bool*) {
  if (message == WM_KEYDOWN && (wparam == VK_RETURN || wparam == VK_ESCAPE)) return OnDefaultKey(wparam);
  return 0;
}

CControlUI* WindowImplBase::CreateCustomControl(const wchar_t*) { return nullptr; }

const wchar_t* WindowImplBase::QueryControlText(const wchar_t*) { return nullptr; }

LRESULT WindowImplBase::ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  LifeWatch watch(this);
  bool handled = true;
  LRESULT result = DispatchToHandler(message, wparam, lparam, handled);
  if (handled || watch.ObjectGone()) return result;
  handled = true;
  result = HandleOtherMessage(message, wparam, lparam, handled);
  if (handled || watch.ObjectGone()) return result;
  if (paint_manager_.HandleMessage(message, wparam, lparam, &result) || watch.ObjectGone()) return result;
  return CallPreviousProc(message, wparam, lparam);
}

LRESULT WindowImplBase::DispatchToHandler(UINT message, WPARAM wparam, LPARAM lparam, bool& handled) {
  switch (message) {
    case WM_CREATE:
      return HandleCreate(message, wparam, lparam, handled);
    case WM_DESTROY:
      return HandleDestroy(message, wparam, lparam, handled);
    case WM_SIZE:
      return HandleSize(message, wparam, lparam, handled);
    case WM_SETFOCUS:
      return HandleSetFocus(message, wparam, lparam, handled);
    case WM_KILLFOCUS:
      return HandleKillFocus(message, wparam, lparam, handled);
    case WM_CLOSE:
      return HandleClose(message, wparam, lparam, handled);
    case WM_GETMINMAXINFO:
      return HandleGetMinMaxInfo(message, wparam, lparam, handled);
    case WM_NCCALCSIZE:
      return HandleNcCalcSize(message, wparam, lparam, handled);
    case WM_NCHITTEST:
      return HandleNcHitTest(message, wparam, lparam, handled);
    case WM_NCPAINT:
      return HandleNcPaint(message, wparam, lparam, handled);
    case WM_NCACTIVATE:
      return HandleNcActivate(message, wparam, lparam, handled);
    case WM_KEYDOWN:
      return HandleKeyDown(message, wparam, lparam, handled);
    case WM_CHAR:
      return HandleChar(message, wparam, lparam, handled);
    case WM_SYSCOMMAND:
      return HandleSysCommand(message, wparam, lparam, handled);
    case WM_MOUSEMOVE:
      return HandleMouseMove(message, wparam, lparam, handled);
    case WM_LBUTTONDOWN:
      return HandleLButtonDown(message, wparam, lparam, handled);
    case WM_LBUTTONUP:
      return HandleLButtonUp(message, wparam, lparam, handled);
    case WM_MOUSEWHEEL:
      return HandleMouseWheel(message, wparam, lparam, handled);
    case WM_MOUSEHOVER:
      return HandleMouseHover(message, wparam, lparam, handled);
    default:
      handled = false;
      return 0;
  }
}

void WindowImplBase::OnWindowDestroyed(HWND) {
  paint_manager_.RemovePreMessageFilter(this);
  paint_manager_.RemoveNotifier(this);
  paint_manager_.ForgetControl(paint_manager_.GetRoot());
  // The window procedure keeps WM_NCDESTROY from the manager: it hears here that its window is gone and
  // lets go of the window's drawing context, timers and tool tip.
  LRESULT ignored = 0;
  paint_manager_.HandleMessage(WM_NCDESTROY, 0, 0, &ignored);
}

void WindowImplBase::OnDefaultClick(NotifyRecord& record) {
  const CUIString name = SenderName(record);
  if (name == L"closebtn") {
    PostClose(1);
  } else if (name == L"minbtn") {
    SendToWindow(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (name == L"maxbtn") {
    SendToWindow(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (name == L"restorebtn") {
    SendToWindow(WM_SYSCOMMAND, SC_RESTORE, 0);
  }
}

bool WindowImplBase::IsCaptionControl(CControlUI* control) {
  if (!control) return false;
  for (; control; control = control->GetParentControl()) {
    if (!IsCaptionClass(control->GetClassName())) return false;
  }
  return true;
}

LRESULT WindowImplBase::OnDefaultKey(WPARAM key) { return key == VK_ESCAPE ? 1 : 0; }

LRESULT WindowImplBase::HandleClose(UINT, WPARAM, LPARAM, bool& handled) { return LeaveUnhandled(handled); }

LRESULT WindowImplBase::HandleDestroy(UINT, WPARAM, LPARAM, bool& handled) { return LeaveUnhandled(handled); }

LRESULT WindowImplBase::HandleNcActivate(UINT, WPARAM wparam, LPARAM, bool& handled) {
  if (IsIconic(GetHWND())) handled = false;
  return wparam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::HandleNcCalcSize(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::HandleNcPaint(UINT, WPARAM, LPARAM, bool&) { return 0; }

LRESULT WindowImplBase::HandleNcHitTest(UINT, WPARAM, LPARAM lparam, bool&) {
  POINT point = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  ScreenToClient(GetHWND(), &point);
  RECT client = {};
  GetClientRect(GetHWND(), &client);
  if (!IsZoomed(GetHWND())) {
    const int zone = ResizeZoneAt(point, client, paint_manager_.GetResizeBorder());
    if (zone != HTNOWHERE) return zone;
  }
  if (InCaptionArea(point, client, paint_manager_.GetCaptionArea()) &&
      IsCaptionControl(paint_manager_.FindControlAt(point))) {
    return HTCAPTION;
  }
  return HTCLIENT;
}

LRESULT WindowImplBase::HandleGetMinMaxInfo(UINT, WPARAM, LPARAM lparam, bool&) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(GetHWND(), MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    FillMinMaxInfo(monitor, AsSize(paint_manager_.GetMinTrackSize()),
                   AsSize(paint_manager_.GetMaxTrackSize()), reinterpret_cast<MINMAXINFO*>(lparam));
  }
  return 0;
}

LRESULT WindowImplBase::HandleMouseWheel(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleMouseHover(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleSize(UINT, WPARAM, LPARAM, bool& handled) {
  handled = false;
  const HWND window = GetHWND();
  if (IsIconic(window)) return 0;
  RECT rect = {};
  GetWindowRect(window, &rect);
  const CUISize& corner = paint_manager_.GetRoundCorner();
  ScopedRegion region(
      CreateRoundRectRgn(0, 0, rect.right - rect.left + 1, rect.bottom - rect.top + 1, corner.cx, corner.cy));
  // After a successful call the system owns the region; a failed call leaves it to us.
  if (region && SetWindowRgn(window, region.get(), TRUE)) region.release();
  return 0;
}

LRESULT WindowImplBase::HandleChar(UINT, WPARAM, LPARAM, bool& handled) { return LeaveUnhandled(handled); }

LRESULT WindowImplBase::HandleSysCommand(UINT message, WPARAM wparam, LPARAM lparam, bool&) {
  // The low four bits of the command are the system's own.
  if ((wparam & 0xFFF0) == SC_CLOSE) {
    SendToWindow(WM_CLOSE, 0, 0);
    return 0;
  }
  const HWND window = GetHWND();
  const bool was_maximised = IsZoomed(window) != FALSE;
  LifeWatch watch(this);
  const LRESULT result = CallPreviousProc(message, wparam, lparam);
  if (watch.ObjectGone() || !GetHWND()) return result;
  const bool maximised = IsZoomed(window) != FALSE;
  if (maximised != was_maximised) OnMaximisedChanged(maximised);
  return result;
}

LRESULT WindowImplBase::HandleCreate(UINT, WPARAM, LPARAM, bool&) {
  SetWindowLongPtrW(GetHWND(), GWL_STYLE, WindowStyle() | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  const wchar_t* manager_name = ManagerName();
  paint_manager_.AttachToWindow(GetHWND(), manager_name ? manager_name : L"");
  paint_manager_.AddPreMessageFilter(this);
  // Before the skin is built: its Window attributes configure the shadow, and setting the root creates it.
  CShadowUI::InstallInto(&paint_manager_);
  CSkinBuilder builder;
  CControlUI* root = BuildSkin(builder);
  if (!root) {
    OnSkinLoadFailed(builder.GetDocument());
    return -1;  // A derived window took the failure over: the window is not created.
  }
  paint_manager_.SetRoot(root);
  paint_manager_.AddNotifier(this);
  OnSkinLoaded();
  return 0;
}

CControlUI* WindowImplBase::BuildSkin(CSkinBuilder& builder) {
  const wchar_t* skin = SkinFile();
  const wchar_t* resource_type = SkinResourceType();
  if (!skin) return nullptr;
  if (!resource_type || resource_type[0] == L'\0') {
    return builder.BuildFromSkin(skin, nullptr, this, &paint_manager_, nullptr);
  }
  const WORD resource_id = static_cast<WORD>(ParseIntValue(skin));
  return builder.BuildFromSkin(MAKEINTRESOURCEW(resource_id), resource_type, this, &paint_manager_, nullptr);
}

void WindowImplBase::OnSkinLoadFailed(const CMarkupDocument&) {
  CUIString text(kSkinFailureText);
  text += SkinFile() ? SkinFile() : L"";
  MessageBoxW(nullptr, text.GetData(), kSkinFailureCaption, MB_ICONHAND);
  ExitProcess(1);
}

LRESULT WindowImplBase::HandleKeyDown(UINT, WPARAM, LPARAM, bool& handled) { return LeaveUnhandled(handled); }

LRESULT WindowImplBase::HandleKillFocus(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleSetFocus(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleLButtonDown(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleLButtonUp(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleMouseMove(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LRESULT WindowImplBase::HandleOtherMessage(UINT, WPARAM, LPARAM, bool& handled) {
  return LeaveUnhandled(handled);
}

LONG_PTR WindowImplBase::WindowStyle() const {
  return GetWindowLongPtrW(GetHWND(), GWL_STYLE) & kCaptionBitsMask;
}

void WindowImplBase::OnMaximisedChanged(bool maximised) {
  SetControlVisible(L"maxbtn", !maximised);
  SetControlVisible(L"restorebtn", maximised);
  paint_manager_.RefreshShadow();
}

void WindowImplBase::SetControlVisible(const wchar_t* name, bool visible) {
  if (CControlUI* control = paint_manager_.FindControlByName(name)) control->SetVisible(visible);
}

}  // namespace veneer
