#ifndef UI_RUNTIME_CONTROL_TIMERS_H_
#define UI_RUNTIME_CONTROL_TIMERS_H_

#include <windows.h>

#include <vector>

namespace veneer {

class CControlUI;

// The control timers of one window: for each pair of a control and one of its timer ids, the native
// timer (SetTimer on the window) that serves it. Native ids come from a counter that steps through 0 to
// 239 and skips every id a record holds, so that after the counter wraps a new timer never takes the id
// of a running (or killed but kept) one. A killed timer keeps its record and native id, and setting it
// again restarts it under the same id. Calls nothing but the platform's timer functions. Owned by the
// paint manager; it points at controls without owning them. UI thread only.
class CControlTimers {
 public:
  struct Record {
    CControlUI* control;  // Not owned.
    UINT_PTR id;          // The control's own timer id.
    UINT_PTR native_id;   // The id given to SetTimer.
    bool killed;
  };

  CControlTimers() = default;
  CControlTimers(const CControlTimers&) = delete;
  CControlTimers& operator=(const CControlTimers&) = delete;
  ~CControlTimers() { RemoveAll(); }

  // Removes every timer of the previous window, then serves `window` (which may be null: no timers).
  void SetWindow(HWND window);

  // Starts the pair's timer: a killed one again under its native id, a new one under the next free id.
  // False when the pair's timer runs already, without a window or control, when all ids are taken, or
  // when the platform refuses (nothing is recorded then).
  bool Set(CControlUI* control, UINT_PTR id, UINT elapse_ms);
  // Stops the pair's running timer and keeps its record; false when it is not running.
  bool Kill(CControlUI* control, UINT_PTR id);
  // Stops and forgets every timer of the control.
  void RemoveControl(CControlUI* control);
  // Stops and forgets every timer.
  void RemoveAll();

  // The pair's record, running or killed; null when none.
  const Record* Find(const CControlUI* control, UINT_PTR id) const;
  // The running timer whose native id is `native_id` (a WM_TIMER's wParam); null when none.
  const Record* FindRunning(UINT_PTR native_id) const;

 private:
  static constexpr UINT_PTR kNativeIdCount = 240;

  Record* FindRecord(const CControlUI* control, UINT_PTR id);
  bool IsNativeIdHeld(UINT_PTR native_id) const;
  // Advances the counter to the next id no record holds; false when every id is held.
  bool NextFreeNativeId(UINT_PTR* native_id);
  void Stop(const Record& record) const;

  HWND window_ = nullptr;  // Not owned.
  std::vector<Record> records_;
  UINT_PTR counter_ = 4096;  // The first id given out is (4096 + 1) mod 240 = 17.
};

}  // namespace veneer

#endif  // UI_RUNTIME_CONTROL_TIMERS_H_
