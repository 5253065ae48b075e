#include "tests/support/message_pump.h"

namespace veneer::test {
namespace {

void DispatchPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  for (;;) {
    DispatchPending();
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    // Messages sent from other threads are delivered inside the wait; the short slice notices
    // conditions that other threads change without a message.
    const ULONGLONG slice = deadline - now < 10 ? deadline - now : 10;
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(slice), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void PumpMessagesFor(DWORD duration_ms) {
  PumpMessagesUntil([] { return false; }, duration_ms);
}

}  // namespace veneer::test
