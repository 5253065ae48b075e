#ifndef UI_RUNTIME_NOTIFY_UI_H_
#define UI_RUNTIME_NOTIFY_UI_H_

#include "ui/runtime/notify_record.h"

namespace veneer {

// A window's notification listener: the paint manager hands it every notification of the window
// ("click", "windowinit", ...), after the sender's own notify listeners, in the order listeners were
// added. The record lives for the call only. Implemented by the application's windows; the manager
// does not own its listeners. UI thread only.
class INotifyUI {
 public:
  virtual void ReceiveNotification(NotifyRecord& record) = 0;

 protected:
  virtual ~INotifyUI() = default;
};

}  // namespace veneer

#endif  // UI_RUNTIME_NOTIFY_UI_H_
