#include "tests/app/hand_over_recorder.h"

#include "app/app_messages.h"
#include "tests/support/message_pump.h"

namespace tessaro::test {

HandOverRecorder::HandOverRecorder() : window_(veneer::test::TestWindow::MessageOnly(&Procedure, this)) {}

bool HandOverRecorder::Procedure(HWND, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result,
                                 void* context) {
  auto* self = static_cast<HandOverRecorder*>(context);
  Record* record = message == UM_GLOBAL_CONFIG  ? &self->global_
                   : message == UM_GOODS_CONFIG ? &self->goods_
                                                : nullptr;
  if (!record) return false;
  ++record->count;
  record->body = reinterpret_cast<const char*>(wparam);
  record->length = lparam;
  record->arrived_ms = GetTickCount64();
  *result = 0;
  return true;
}

bool HandOverRecorder::WaitForBoth(int count, DWORD timeout_ms) {
  return veneer::test::PumpMessagesUntil([&] { return global_.count >= count && goods_.count >= count; },
                                         timeout_ms);
}

bool HandOverRecorder::WaitForGlobal(DWORD timeout_ms) {
  return veneer::test::PumpMessagesUntil([&] { return global_.count > 0; }, timeout_ms);
}

}  // namespace tessaro::test
