#include "ui/render/gdiplus_session.h"

#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out of <windows.h>: <objidl.h> first.
#include <objidl.h>

#include <gdiplus.h>

namespace veneer {

bool EnsureGdiplusStarted() {
  // A function-local static is initialised exactly once, even with concurrent first callers.
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

}  // namespace veneer
