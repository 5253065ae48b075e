#ifndef UI_CONTROLS_ACTIVEX_HOST_WINDOW_H_
#define UI_CONTROLS_ACTIVEX_HOST_WINDOW_H_

#include <windows.h>

#include "ui/core/win_handles.h"

namespace veneer {

// The native child window (class "ActiveXWnd") in which a hosted COM control activates in place: it
// lies over the control's bounds in the skinned window, clips its children and siblings, paints no
// background of its own (the object covers it) and passes the keyboard focus on to the object's own
// window. Destroying it destroys the object's windows inside it.
using ScopedHostWindow = ScopedHandle<HWND, &DestroyWindow>;

// A host window in `parent` over `bounds` (parent client coordinates), shown only when `visible`.
// Null when the window could not be made. UI thread.
HWND CreateActiveXHostWindow(HWND parent, const RECT& bounds, bool visible);

// Whether the window with the keyboard focus is `host` or lies inside it. False without a host.
bool HasFocusWithin(HWND host);

}  // namespace veneer

#endif  // UI_CONTROLS_ACTIVEX_HOST_WINDOW_H_
