#include "tests/app/dialog_driver.h"

#include <cassert>
#include <string>
#include <utility>

namespace tessaro::test {
namespace {

DialogDriver* active_driver = nullptr;

}  // namespace

DialogDriver::DialogDriver(const wchar_t* window_class, std::vector<Step> steps)
    : window_class_(window_class), steps_(std::move(steps)), deadline_(GetTickCount64() + 10000) {
  assert(!active_driver);
  active_driver = this;
  timer_ = SetTimer(nullptr, 0, 20, Tick);
}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  active_driver = nullptr;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  DialogDriver* driver = active_driver;
  const HWND window = driver ? FindWindowW(driver->window_class_, nullptr) : nullptr;
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return;
  if (driver->played_ == driver->steps_.size() || GetTickCount64() >= driver->deadline_) {
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  // The dialogs' windows are of classes of their own, which keep their object in the user data.
  auto* object = reinterpret_cast<veneer::CWindowWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object) driver->steps_[driver->played_++](*static_cast<veneer::WindowImplBase*>(object));
}

DialogDriver::Step ClickOn(const wchar_t* name) {
  return [control_name = std::wstring(name)](veneer::WindowImplBase& dialog) {
    veneer::CPaintManagerUI& manager = dialog.GetPaintManager();
    if (veneer::CControlUI* control = manager.FindControlByName(control_name.c_str())) {
      manager.SendNotify(control, L"click");
    }
  };
}

}  // namespace tessaro::test
