#ifndef APP_NAMED_CONTROL_H_
#define APP_NAMED_CONTROL_H_

#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace tessaro {

// The control named `name` in the window of `manager` when it answers the interface `kind` ("Label",
// "Button", "Progress", "IContainer", ...); null when the skin lacks it or it is of another kind.
// UI thread.
template <typename Control>
Control* FindNamed(veneer::CPaintManagerUI& manager, const wchar_t* name, const wchar_t* kind) {
  veneer::CControlUI* control = manager.FindControlByName(name);
  return control ? static_cast<Control*>(control->FindInterface(kind)) : nullptr;
}

}  // namespace tessaro

#endif  // APP_NAMED_CONTROL_H_
