#include "tests/runtime/managed_window.h"

#include <utility>

#include "tests/support/dib_surface.h"

namespace veneer::test {
namespace {

std::string Narrow(const CUIString& text) {
  std::string narrow;
  for (const wchar_t* p = text.GetData(); *p; ++p) narrow.push_back(static_cast<char>(*p));
  return narrow;
}

const char* KindName(EventKind kind) {
  switch (kind) {
    case EventKind::KeyDown:
      return "KeyDown";
    case EventKind::KeyUp:
      return "KeyUp";
    case EventKind::Char:
      return "Char";
    case EventKind::SystemKey:
      return "SystemKey";
    case EventKind::MouseMove:
      return "MouseMove";
    case EventKind::MouseLeave:
      return "MouseLeave";
    case EventKind::MouseEnter:
      return "MouseEnter";
    case EventKind::MouseHover:
      return "MouseHover";
    case EventKind::ButtonDown:
      return "ButtonDown";
    case EventKind::ButtonUp:
      return "ButtonUp";
    case EventKind::RightButtonDown:
      return "RightButtonDown";
    case EventKind::RightButtonUp:
      return "RightButtonUp";
    case EventKind::MiddleButtonDown:
      return "MiddleButtonDown";
    case EventKind::MiddleButtonUp:
      return "MiddleButtonUp";
    case EventKind::DoubleClick:
      return "DoubleClick";
    case EventKind::ContextMenu:
      return "ContextMenu";
    case EventKind::ScrollWheel:
      return "ScrollWheel";
    case EventKind::FocusLost:
      return "FocusLost";
    case EventKind::FocusGained:
      return "FocusGained";
    case EventKind::WindowSize:
      return "WindowSize";
    case EventKind::CursorRequest:
      return "CursorRequest";
    case EventKind::Timer:
      return "Timer";
  }
  return "?";
}

}  // namespace

ManagedWindow::ManagedWindow(int width, int height)
    : window_(TestWindow::Hidden(width, height, Forward, &manager_)) {
  manager_.AttachToWindow(window_.hwnd(), L"test");
}

bool ManagedWindow::Forward(HWND, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result,
                            void* manager) {
  return static_cast<CPaintManagerUI*>(manager)->HandleMessage(message, wparam, lparam, result);
}

TestStack* ManagedWindow::SetStackRoot(std::vector<CControlUI*> children) {
  auto* root = new TestStack;
  for (CControlUI* child : children) root->Add(child);
  manager_.SetRoot(root);
  return root;
}

void ManagedWindow::Show() {
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
}

uint32_t ManagedWindow::ScreenPixel(int x, int y) const {
  DibSurface surface(1, 1);
  const ScopedWindowDC window_dc(hwnd());
  BitBlt(surface.dc(), 0, 0, 1, 1, window_dc.get(), x, y, SRCCOPY);
  return surface.Pixel(0, 0);
}

Probe::Probe(const wchar_t* name, uint32_t behaviour, int fixed_height) : behaviour_(behaviour) {
  SetName(name);
  if (fixed_height > 0) SetFixedHeight(fixed_height);
}

bool Probe::TryActivate() {
  ++activations;
  return CControlUI::TryActivate();
}

void Probe::HandleEvent(EventRecord& event) {
  log.push_back(Describe(event));
  if (event.kind == EventKind::ButtonUp) {
    const bool cancelled = (event.keyState & kKeyStatePressCancelled) != 0;
    if (!cancelled && PtInRect(&GetBounds(), event.mousePoint)) Notify(L"click");
    return;
  }
  CControlUI::HandleEvent(event);
}

void NotificationLog::ReceiveNotification(NotifyRecord& record) {
  entries.push_back(Narrow(record.type) + ":" + (record.sender ? Narrow(record.sender->GetName()) : "-"));
}

std::string Describe(const EventRecord& event) {
  std::string text = KindName(event.kind);
  if (IsMouseEvent(event.kind)) {
    text += "@" + std::to_string(event.mousePoint.x) + "," + std::to_string(event.mousePoint.y);
  }
  if (event.kind == EventKind::ScrollWheel) text += ":" + std::to_string(event.wParam);
  if (event.keyState & kKeyStatePressCancelled) text += "!";
  return text;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace veneer::test
