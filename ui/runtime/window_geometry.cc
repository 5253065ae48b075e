#include "ui/runtime/window_geometry.h"

namespace veneer {
namespace {

// The start of a span of `length` centred on [centre_begin, centre_end), kept inside [begin, end) where
// possible and at `begin` when it cannot fit.
LONG CentredStart(LONG length, LONG centre_begin, LONG centre_end, LONG begin, LONG end) {
  const LONG start = (centre_begin + centre_end) / 2 - length / 2;
  if (start < begin) return begin;
  if (start + length > end) return end - length < begin ? begin : end - length;
  return start;
}

}  // namespace

POINT CenteredWindowPosition(const RECT& window, const RECT& centre, const RECT& work_area) {
  return POINT{
      CentredStart(window.right - window.left, centre.left, centre.right, work_area.left, work_area.right),
      CentredStart(window.bottom - window.top, centre.top, centre.bottom, work_area.top, work_area.bottom)};
}

int ResizeZoneAt(POINT point, const RECT& client, const RECT& border) {
  const bool left = point.x < client.left + border.left;
  const bool right = point.x > client.right - border.right;
  if (point.y < client.top + border.top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (point.y > client.bottom - border.bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  return left ? HTLEFT : right ? HTRIGHT : HTNOWHERE;
}

bool InCaptionArea(POINT point, const RECT& client, const RECT& caption) {
  const LONG bottom = caption.bottom == -1 ? client.bottom : caption.bottom;
  return point.x >= client.left + caption.left && point.x < client.right - caption.right &&
         point.y >= caption.top && point.y < bottom;
}

void FillMinMaxInfo(const MONITORINFO& monitor, SIZE min_track, SIZE max_track, MINMAXINFO* info) {
  RECT area = monitor.rcWork;
  if (!(monitor.dwFlags & MONITORINFOF_PRIMARY)) OffsetRect(&area, -area.left, -area.top);
  const LONG width = area.right - area.left;
  const LONG height = area.bottom - area.top;
  info->ptMaxPosition = POINT{area.left, area.top};
  info->ptMaxSize = POINT{width, height};
  info->ptMaxTrackSize =
      POINT{max_track.cx != 0 ? max_track.cx : width, max_track.cy != 0 ? max_track.cy : height};
  info->ptMinTrackSize = POINT{min_track.cx, min_track.cy};
}

}  // namespace veneer
