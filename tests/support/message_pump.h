#ifndef TESTS_SUPPORT_MESSAGE_PUMP_H_
#define TESTS_SUPPORT_MESSAGE_PUMP_H_

#include <windows.h>

#include <functional>

namespace veneer::test {

// Dispatches this thread's messages until `condition` holds or `timeout_ms` passes. Returns whether
// the condition held. The condition is checked before waiting and after every message.
bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeout_ms);

// Dispatches this thread's messages for `duration_ms`, for tests that assert something does NOT
// happen (a second hand-over, a late repaint).
void PumpMessagesFor(DWORD duration_ms);

}  // namespace veneer::test

#endif  // TESTS_SUPPORT_MESSAGE_PUMP_H_
