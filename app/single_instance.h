#ifndef APP_SINGLE_INSTANCE_H_
#define APP_SINGLE_INSTANCE_H_

#include <windows.h>

namespace tessaro {

// The single-instance marker: the name of a semaphore that the running copy holds, and of the
// property its main window carries.
constexpr wchar_t kInstanceMarker[] = L"tessaro_";

// Whether this process is to go on starting. The first copy creates the marker semaphore and holds it
// until the process ends, so that two copies started at the same moment cannot both go on. A later
// copy waits a few seconds for the first copy's marked window, restores and activates it, and returns
// false (it then ends with exit code 0). A semaphore that cannot be created at all lets the process go
// on. UI thread, once, before any window exists.
bool EnsureSingleInstance();

// The first top-level window carrying the marker property, or null.
HWND FindMarkedWindow();

// Restores a minimised `window`, brings it to the foreground and shows it (also when hidden behind
// its tray icon).
void ActivateInstanceWindow(HWND window);

}  // namespace tessaro

#endif  // APP_SINGLE_INSTANCE_H_
