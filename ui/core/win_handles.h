#ifndef UI_CORE_WIN_HANDLES_H_
#define UI_CORE_WIN_HANDLES_H_

#include <windows.h>
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out of <windows.h>: <objidl.h> first.
#include <objidl.h>

#include <gdiplus.h>

namespace veneer {

// Owns one platform handle of the kind that `Traits` describes and releases it (Traits::Close) when it
// is destroyed, reset or assigned over; an empty handle (Traits::Empty()) is never released. Movable,
// not copyable. It does not check the handles it is given, and it is not synchronised: one owner, on
// one thread at a time. `Traits` has a `Handle` type and static `Empty()` and `Close(Handle)`.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Empty(); }

  // Gives the handle up without releasing it; the caller owns it from then on.
  Handle release() {
    const Handle handle = handle_;
    handle_ = Traits::Empty();
    return handle;
  }
  // Releases the owned handle (unless it is `handle` itself) and takes `handle`.
  void reset(Handle handle = Traits::Empty()) {
    const Handle previous = handle_;
    handle_ = handle;
    if (previous != Traits::Empty() && previous != handle) Traits::Close(previous);
  }
  // Releases the owned handle and returns where a creating call may store a new one (an out-parameter).
  Handle* receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

// Traits of a handle whose empty value is null and that `Release` gives back (its result is not used).
template <typename HandleType, auto Release>
struct NullableHandleTraits {
  using Handle = HandleType;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { Release(handle); }
};

// A null-when-empty handle released by `Release`, for kinds this header does not name.
template <typename Handle, auto Release>
using ScopedHandle = UniqueHandle<NullableHandleTraits<Handle, Release>>;

// File handles are empty when INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { CloseHandle(handle); }
};

// GDI objects, deleted with DeleteObject. Delete them only while they are not selected into a context:
// declare the object before the selection that uses it.
using ScopedFont = ScopedHandle<HFONT, &DeleteObject>;
using ScopedBitmap = ScopedHandle<HBITMAP, &DeleteObject>;
using ScopedBrush = ScopedHandle<HBRUSH, &DeleteObject>;
using ScopedPen = ScopedHandle<HPEN, &DeleteObject>;
using ScopedRegion = ScopedHandle<HRGN, &DeleteObject>;
// Memory device contexts (CreateCompatibleDC), deleted with DeleteDC.
using ScopedMemoryDC = ScopedHandle<HDC, &DeleteDC>;
// Fonts added from memory (AddFontMemResourceEx), removed with RemoveFontMemResourceEx.
using ScopedFontMemResource = ScopedHandle<HANDLE, &RemoveFontMemResourceEx>;
// Libraries loaded with LoadLibrary, freed with FreeLibrary.
using ScopedModule = ScopedHandle<HMODULE, &FreeLibrary>;
// Kernel objects that are null when empty (threads, processes, events), closed with CloseHandle.
using ScopedKernelHandle = ScopedHandle<HANDLE, &CloseHandle>;
// Memory the system allocated for the caller with LocalAlloc (security descriptors, formatted
// messages), freed with LocalFree.
using ScopedLocalMemory = ScopedHandle<HLOCAL, &LocalFree>;
// Files from CreateFileW, closed with CloseHandle.
using ScopedFileHandle = UniqueHandle<FileHandleTraits>;

// GDI+ flat-API objects, deleted with their own Gdip...Delete call.
using ScopedGdiplusGraphics = ScopedHandle<Gdiplus::GpGraphics*, &Gdiplus::DllExports::GdipDeleteGraphics>;
using ScopedGdiplusSolidFill = ScopedHandle<Gdiplus::GpSolidFill*, &Gdiplus::DllExports::GdipDeleteBrush>;
using ScopedGdiplusPen = ScopedHandle<Gdiplus::GpPen*, &Gdiplus::DllExports::GdipDeletePen>;
using ScopedGdiplusFont = ScopedHandle<Gdiplus::GpFont*, &Gdiplus::DllExports::GdipDeleteFont>;
using ScopedGdiplusStringFormat =
    ScopedHandle<Gdiplus::GpStringFormat*, &Gdiplus::DllExports::GdipDeleteStringFormat>;

// A window's device context from GetDC, given back with ReleaseDC. Without a window it holds nothing
// (GetDC of no window would be the screen's). Movable, not copyable; the window is not owned and must
// outlive it.
class ScopedWindowDC {
 public:
  ScopedWindowDC() = default;
  explicit ScopedWindowDC(HWND window) : window_(window), dc_(window ? GetDC(window) : nullptr) {}
  ScopedWindowDC(ScopedWindowDC&& other) noexcept : window_(other.window_), dc_(other.dc_) {
    other.window_ = nullptr;
    other.dc_ = nullptr;
  }
  ScopedWindowDC& operator=(ScopedWindowDC&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = other.window_;
      dc_ = other.dc_;
      other.window_ = nullptr;
      other.dc_ = nullptr;
    }
    return *this;
  }
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
  ~ScopedWindowDC() { reset(); }

  HDC get() const { return dc_; }
  void reset() {
    if (dc_) ReleaseDC(window_, dc_);
    window_ = nullptr;
    dc_ = nullptr;
  }

 private:
  HWND window_ = nullptr;  // Not owned.
  HDC dc_ = nullptr;       // Owned: given back to window_.
};

// One WM_PAINT's painting of a window: BeginPaint when made, EndPaint when destroyed, so that every way
// out of a paint handler validates the window (or WM_PAINT would come again at once). dc() is null when
// BeginPaint failed; the window is not owned and must outlive the object.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window), paint_{}, dc_(BeginPaint(window, &paint_)) {}
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  ~ScopedPaint() {
    if (dc_) EndPaint(window_, &paint_);
  }

  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;  // Not owned.
  PAINTSTRUCT paint_;
  HDC dc_;  // The window's painting context, given back by EndPaint.
};

// Selects a GDI object into a device context and puts the context's previous object back when it is
// destroyed. A null object selects nothing; regions are not selected this way (SelectClipRgn). Neither
// the context nor the objects are owned; both must outlive the selection (so declare the object before
// its selection).
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  ~ScopedSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  // False when nothing was selected: a null object, or one the platform refused (a bitmap selected
  // into another context, for one).
  bool IsSelected() const { return previous_ != nullptr; }

 private:
  HDC dc_;            // Not owned.
  HGDIOBJ previous_;  // Not owned: the context's object before ours, or null when nothing was selected.
};

}  // namespace veneer

#endif  // UI_CORE_WIN_HANDLES_H_
