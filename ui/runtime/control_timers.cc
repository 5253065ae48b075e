#include "ui/runtime/control_timers.h"

#include <algorithm>
#include <new>

namespace veneer {

void CControlTimers::SetWindow(HWND window) {
  RemoveAll();
  window_ = window;
}

CControlTimers::Record* CControlTimers::FindRecord(const CControlUI* control, UINT_PTR id) {
  for (Record& record : records_) {
    if (record.control == control && record.id == id) return &record;
  }
  return nullptr;
}

const CControlTimers::Record* CControlTimers::Find(const CControlUI* control, UINT_PTR id) const {
  return const_cast<CControlTimers*>(this)->FindRecord(control, id);
}

const CControlTimers::Record* CControlTimers::FindRunning(UINT_PTR native_id) const {
  for (const Record& record : records_) {
    if (!record.killed && record.native_id == native_id) return &record;
  }
  return nullptr;
}

bool CControlTimers::IsNativeIdHeld(UINT_PTR native_id) const {
  return std::any_of(records_.begin(), records_.end(),
                     [native_id](const Record& record) { return record.native_id == native_id; });
}

bool CControlTimers::NextFreeNativeId(UINT_PTR* native_id) {
  for (UINT_PTR tries = 0; tries < kNativeIdCount; ++tries) {
    counter_ = (counter_ + 1) % kNativeIdCount;
    if (!IsNativeIdHeld(counter_)) {
      *native_id = counter_;
      return true;
    }
  }
  return false;
}

bool CControlTimers::Set(CControlUI* control, UINT_PTR id, UINT elapse_ms) {
  if (!window_ || !control) return false;
  if (Record* record = FindRecord(control, id)) {
    if (!record->killed || !SetTimer(window_, record->native_id, elapse_ms, nullptr)) return false;
    record->killed = false;
    return true;
  }
  UINT_PTR native_id = 0;
  if (!NextFreeNativeId(&native_id)) return false;
  try {
    records_.reserve(records_.size() + 1);  // Before the timer starts, so that it is always recorded.
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!SetTimer(window_, native_id, elapse_ms, nullptr)) return false;
  records_.push_back(Record{control, id, native_id, false});
  return true;
}

void CControlTimers::Stop(const Record& record) const {
  if (!record.killed && IsWindow(window_)) KillTimer(window_, record.native_id);
}

bool CControlTimers::Kill(CControlUI* control, UINT_PTR id) {
  Record* record = FindRecord(control, id);
  if (!record || record->killed) return false;
  Stop(*record);
  record->killed = true;
  return true;
}

void CControlTimers::RemoveControl(CControlUI* control) {
  auto first_removed =
      std::remove_if(records_.begin(), records_.end(), [this, control](const Record& record) {
        if (record.control != control) return false;
        Stop(record);
        return true;
      });
  records_.erase(first_removed, records_.end());
}

void CControlTimers::RemoveAll() {
  for (const Record& record : records_) Stop(record);
  records_.clear();
}

}  // namespace veneer
