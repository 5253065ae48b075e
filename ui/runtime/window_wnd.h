#ifndef UI_RUNTIME_WINDOW_WND_H_
#define UI_RUNTIME_WINDOW_WND_H_

#include <windows.h>

#include "ui/core/win_handles.h"

namespace veneer {

// One native window and the object that handles its messages. It registers the window class (a class
// of its own, or a superclass of an existing class such as "EDIT"), creates the window with the object
// attached, routes every message of the window to ProcessMessage and tells the object when the window is
// gone (OnWindowDestroyed, after which the handle is null). It also shows, closes with a result, runs a
// modal loop, centres on the owner and sets icons.
//
// The object is created first and may outlive its window. When it is destroyed while its window still
// exists (a dialog on the stack whose modal loop ended on WM_QUIT), it destroys the window, and the
// messages of that destruction reach only the handlers of the classes not yet destroyed; a derived class
// whose handlers use its own members calls DestroyNativeWindow in its destructor. No C++ exception leaves
// the window procedures. The object owns the icons it sets, not the window's class. UI thread only: the
// thread that created the window.
class CWindowWnd {
 public:
  CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;
  virtual ~CWindowWnd();

  // Registers the class and creates the window; null when the class cannot be registered, the window
  // cannot be created, or this object already has a window.
  HWND CreateNativeWindow(HWND parent, const wchar_t* title, DWORD style, DWORD extended_style, int x, int y,
                          int width, int height, HMENU menu = nullptr);
  HWND CreateNativeWindow(HWND parent, const wchar_t* title, DWORD style, DWORD extended_style,
                          const RECT& rect, HMENU menu = nullptr);
  // Destroys the window now (nothing without one). Destructors of derived classes call it while their
  // handlers can still run.
  void DestroyNativeWindow();
  HWND GetHWND() const { return window_; }

  // Posts WM_CLOSE with `result` as wParam; RunModal returns it. Nothing without a window.
  void PostClose(WPARAM result);
  // Hides, or shows and activates (`take_focus`) or shows without activating. Nothing without a window.
  void ShowNative(bool show, bool take_focus);
  // Shows the window, disables its owner and runs the message loop until the window is gone. Returns the
  // wParam of the last WM_CLOSE posted to the window (0 when it closed otherwise, or without a window).
  // The owner is enabled again and focused; a WM_QUIT that ended the loop is posted again for the outer
  // loop, and the window then still exists.
  WPARAM RunModal();
  // Centres the window on its owner (on the work area without one), inside the work area.
  void CenterOnOwner();
  // Loads the icon resource `resource_id` of the application module as the big and the small icon.
  void SetWindowIcon(UINT resource_id);
  LRESULT SendToWindow(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  bool PostToWindow(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  // The message to the window procedure that the class replaced (DefWindowProcW for a class of its own).
  LRESULT CallPreviousProc(UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  // Notes whether the object is destroyed while a handler that made it calls out (to the previous window
  // procedure, to listeners, to the platform): the handler checks ObjectGone before touching the object
  // again. Lives on the stack; watches of one object nest.
  class LifeWatch {
   public:
    explicit LifeWatch(CWindowWnd* object) : object_(object), outer_(object->watches_) {
      object->watches_ = this;
    }
    LifeWatch(const LifeWatch&) = delete;
    LifeWatch& operator=(const LifeWatch&) = delete;
    ~LifeWatch() {
      if (object_) object_->watches_ = outer_;
    }
    bool ObjectGone() const { return object_ == nullptr; }

   private:
    friend class CWindowWnd;
    CWindowWnd* object_;  // Null once the object is destroyed.
    LifeWatch* outer_;
  };

  // The class name; every concrete window supplies one.
  virtual const wchar_t* WindowClassName() const = 0;
  // The existing class this window's class is a superclass of; null for a class of its own.
  virtual const wchar_t* SuperclassName() const { return nullptr; }
  virtual UINT ClassStyle() const { return 0; }
  // Every message of the window but WM_NCDESTROY; by default the previous window procedure's.
  virtual LRESULT ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // The window is gone (after WM_NCDESTROY); GetHWND is null. A window on the heap may delete itself here.
  virtual void OnWindowDestroyed(HWND window);

 private:
  // Where the window keeps its object: the user data for classes of their own, a window property for
  // superclasses (whose existing class may use the user data itself).
  enum class ObjectSlot { UserData, Property };

  bool RegisterOwnClass(HINSTANCE module);
  bool RegisterSuperclass(HINSTANCE module);
  static LRESULT CALLBACK OwnClassWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK SuperclassWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT RouteMessage(ObjectSlot slot, HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static void AttachObject(ObjectSlot slot, HWND window, CWindowWnd* object);
  static CWindowWnd* AttachedObject(ObjectSlot slot, HWND window);
  static void DetachObject(ObjectSlot slot, HWND window);
  // WM_NCDESTROY: the previous procedure's handling, then the object lets go of the window.
  LRESULT FinishDestruction(ObjectSlot slot, HWND window, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  ObjectSlot slot_ = ObjectSlot::UserData;  // Where the window keeps this object.
  WNDPROC previous_proc_ = DefWindowProcW;
  LifeWatch* watches_ = nullptr;  // The innermost watch on this object.
  ScopedHandle<HICON, &DestroyIcon> big_icon_;
  ScopedHandle<HICON, &DestroyIcon> small_icon_;
};

}  // namespace veneer

#endif  // UI_RUNTIME_WINDOW_WND_H_
