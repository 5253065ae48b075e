#include "tests/app/dialog_driver.h"

#include <cassert>
#include <utility>

namespace tessaro::test {
namespace {

constexpr UINT kTickMs = 20;
DialogDriver* active_driver = nullptr;
int dialogs_created = 0;

LRESULT CALLBACK CountDialogCreation(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    wchar_t class_name[32] = {};
    GetClassNameW(reinterpret_cast<HWND>(wparam), class_name, 32);
    if (wcscmp(class_name, L"DMessageBox") == 0 || wcscmp(class_name, L"CloseDialogBox") == 0) {
      ++dialogs_created;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

struct ClassSearch {
  const wchar_t* window_class;
  HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM search_address) {
  auto* search = reinterpret_cast<ClassSearch*>(search_address);
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  if (wcscmp(class_name, search->window_class) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindThreadWindow(const wchar_t* window_class) {
  ClassSearch search{window_class, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

DialogCreationCounter::DialogCreationCounter()
    : hook_(SetWindowsHookExW(WH_CBT, CountDialogCreation, nullptr, GetCurrentThreadId())) {
  dialogs_created = 0;
}

DialogCreationCounter::~DialogCreationCounter() { UnhookWindowsHookEx(hook_); }

int DialogCreationCounter::created() const { return dialogs_created; }

DialogDriver::DialogDriver(const wchar_t* window_class, std::vector<Step> steps, DWORD deadline_ms)
    : window_class_(window_class), steps_(std::move(steps)), deadline_(GetTickCount64() + deadline_ms) {
  assert(!active_driver);
  active_driver = this;
  timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

DialogDriver::~DialogDriver() {
  KillTimer(nullptr, timer_);
  active_driver = nullptr;
}

void CALLBACK DialogDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (active_driver) active_driver->PlayNext();
}

void DialogDriver::PlayNext() {
  const HWND window = FindThreadWindow(window_class_.c_str());
  if (!window) return;
  const bool late = GetTickCount64() >= deadline_;
  if (played_ == steps_.size() || late) {
    timed_out_ = timed_out_ || late;
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  // The dialogs have windows of their own class, which keep their object in the user data.
  auto* object = reinterpret_cast<veneer::CWindowWnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!object) return;
  steps_[played_++](*static_cast<veneer::WindowImplBase*>(object));
}

DialogDriver::Step ClickOn(const wchar_t* name) {
  const std::wstring control_name = name;
  return [control_name](veneer::WindowImplBase& dialog) {
    veneer::CPaintManagerUI& manager = dialog.GetPaintManager();
    if (veneer::CControlUI* control = manager.FindControlByName(control_name.c_str())) {
      manager.SendNotify(control, L"click");
    }
  };
}

}  // namespace tessaro::test
