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

// Event kind names by value (3 to 27).
// clang-format off
const char* const kKindNames[] = {
    "", "", "", "KeyDown", "KeyUp", "Char", "SystemKey", "", "", "MouseMove", "MouseLeave", "MouseEnter",
    "MouseHover", "ButtonDown", "ButtonUp", "RightButtonDown", "RightButtonUp", "MiddleButtonDown",
    "MiddleButtonUp", "DoubleClick", "ContextMenu", "ScrollWheel", "", "FocusLost", "FocusGained",
    "WindowSize", "CursorRequest", "Timer"};
// clang-format on

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
  std::string text = kKindNames[static_cast<int>(event.kind)];
  if (IsMouseEvent(event.kind)) {
    text += "@" + std::to_string(event.mousePoint.x) + "," + std::to_string(event.mousePoint.y);
  }
  if (event.kind == EventKind::ScrollWheel) text += ":" + std::to_string(event.wParam);
  if (event.keyState & kKeyStatePressCancelled) text += "!";
  return text;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace veneer::test
