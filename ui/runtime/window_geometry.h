#ifndef UI_RUNTIME_WINDOW_GEOMETRY_H_
#define UI_RUNTIME_WINDOW_GEOMETRY_H_

#include <windows.h>

namespace veneer {

// The arithmetic of the window base that needs no window: centring, resize and caption zones of a
// frameless window, and its tracking limits. Plain functions, any thread.

// The top-left corner that centres a window (its window rectangle) on `centre`, moved inside `work_area`
// where it would stick out; a window larger than the area is placed at its left and top edge.
POINT CenteredWindowPosition(const RECT& window, const RECT& centre, const RECT& work_area);

// The resize zone (HTTOPLEFT ... HTBOTTOMRIGHT, HTLEFT, HTRIGHT) that a client point lies in, for resize
// borders of the given widths (left, top, right, bottom); HTNOWHERE when it lies in none.
int ResizeZoneAt(POINT point, const RECT& client, const RECT& border);

// Whether a client point lies in the caption: `caption` holds left and right insets from the client's
// sides and the top and bottom of the band (a bottom of -1 reaches the client's bottom).
bool InCaptionArea(POINT point, const RECT& client, const RECT& caption);

// Tracking limits of a frameless window on `monitor`: it maximises over the work area (moved to 0,0 on
// a monitor that is not the primary one, where the system places maximised windows relative to the
// monitor), its maximum tracking size is `max_track` per axis where that is not 0, else the work area's;
// its minimum tracking size is `min_track`.
void FillMinMaxInfo(const MONITORINFO& monitor, SIZE min_track, SIZE max_track, MINMAXINFO* info);

}  // namespace veneer

#endif  // UI_RUNTIME_WINDOW_GEOMETRY_H_
