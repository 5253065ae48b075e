#ifndef UI_CORE_GEOMETRY_H_
#define UI_CORE_GEOMETRY_H_

#include <windows.h>

#include <cstddef>

namespace veneer {

// Rectangle, size and point values with exactly the platform's RECT, SIZE and POINT layouts, so
// that they pass wherever the platform takes one. Plain values: no ownership, no validation
// (a rectangle may be inverted; width and height are then negative).
//
//   (left, top) +-----------------+
//               |                 |  width  = right - left
//               |                 |  height = bottom - top
//               +-----------------+ (right, bottom)   right and bottom are exclusive
struct CUIRect : RECT {
  CUIRect() : RECT{0, 0, 0, 0} {}
  CUIRect(LONG l, LONG t, LONG r, LONG b) : RECT{l, t, r, b} {}
  CUIRect(const RECT& rc) : RECT(rc) {}  // NOLINT: a platform rectangle is one of ours.

  int GetWidth() const { return right - left; }
  int GetHeight() const { return bottom - top; }
  void Empty() { left = top = right = bottom = 0; }
  bool IsEmpty() const { return right <= left || bottom <= top; }

  void Offset(int dx, int dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
  }
  void MoveToOrigin() { Offset(-left, -top); }
  // Grows each side outwards by (dx, dy); Deflate shrinks it.
  void Inflate(int dx, int dy) {
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
  }
  void Deflate(int dx, int dy) { Inflate(-dx, -dy); }
  // The smallest rectangle holding both (componentwise min of left/top, max of right/bottom).
  void Join(const RECT& other) {
    if (other.left < left) left = other.left;
    if (other.top < top) top = other.top;
    if (other.right > right) right = other.right;
    if (other.bottom > bottom) bottom = other.bottom;
  }
};

struct CUISize : SIZE {
  CUISize() : SIZE{0, 0} {}
  CUISize(LONG x, LONG y) : SIZE{x, y} {}
  CUISize(const SIZE& size) : SIZE(size) {}  // NOLINT
  void Empty() { cx = cy = 0; }
};

struct CUIPoint : POINT {
  CUIPoint() : POINT{0, 0} {}
  CUIPoint(LONG px, LONG py) : POINT{px, py} {}
  CUIPoint(const POINT& point) : POINT(point) {}  // NOLINT
  void Empty() { x = y = 0; }
};

static_assert(sizeof(CUIRect) == sizeof(RECT) && offsetof(CUIRect, left) == 0 &&
                  offsetof(CUIRect, top) == 4 && offsetof(CUIRect, right) == 8 &&
                  offsetof(CUIRect, bottom) == 12,
              "CUIRect must keep RECT's layout");
static_assert(sizeof(CUISize) == sizeof(SIZE) && offsetof(CUISize, cx) == 0 && offsetof(CUISize, cy) == 4,
              "CUISize must keep SIZE's layout");
static_assert(sizeof(CUIPoint) == sizeof(POINT) && offsetof(CUIPoint, x) == 0 && offsetof(CUIPoint, y) == 4,
              "CUIPoint must keep POINT's layout");

}  // namespace veneer

#endif  // UI_CORE_GEOMETRY_H_
