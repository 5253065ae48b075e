#ifndef UI_RUNTIME_MESSAGE_FILTER_UI_H_
#define UI_RUNTIME_MESSAGE_FILTER_UI_H_

#include <windows.h>

namespace veneer {

// A window message filter of the paint manager: as a message filter it sees each message of the window
// before the manager handles it; as a pre-message filter it sees each queued message in the message loop
// before it is translated and dispatched. `*handled` arrives false; a filter that sets it ends the
// message's handling with the returned result. Not owned by the manager. UI thread only.
class IMessageFilterUI {
 public:
  virtual LRESULT MessageHandler(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) = 0;

 protected:
  virtual ~IMessageFilterUI() = default;
};

}  // namespace veneer

#endif  // UI_RUNTIME_MESSAGE_FILTER_UI_H_
