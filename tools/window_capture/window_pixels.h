#ifndef TOOLS_WINDOW_CAPTURE_WINDOW_PIXELS_H_
#define TOOLS_WINDOW_CAPTURE_WINDOW_PIXELS_H_

#include <windows.h>

#include <string>

#include "tools/common/client_picture.h"

namespace tessaro::capture {

// Looking at another program's window from outside: finding it and reading its pixels. The window is
// not asked to paint (printing messages carry a device context that another process cannot use): what
// is read is what the display shows, so the window must not be covered. Any thread.

// The first visible top-level window of class `window_class`, belonging to process `process_id` unless
// that is 0; null when there is none.
HWND FindVisibleWindow(const std::wstring& window_class, DWORD process_id);

// Reads the window's client area, as the display shows it, into a 32-bit bitmap and from there into
// *picture (made opaque). False when the window has no client area or no bitmap can be made.
bool ReadClientPixels(HWND window, tools::ClientPicture* picture);

}  // namespace tessaro::capture

#endif  // TOOLS_WINDOW_CAPTURE_WINDOW_PIXELS_H_
