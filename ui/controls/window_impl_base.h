#ifndef UI_CONTROLS_WINDOW_IMPL_BASE_H_
#define UI_CONTROLS_WINDOW_IMPL_BASE_H_

#include <windows.h>

#include "ui/controls/dialog_builder_callback.h"
#include "ui/runtime/control_text_table.h"
#include "ui/runtime/message_filter_ui.h"
#include "ui/runtime/notify_pump.h"
#include "ui/runtime/notify_ui.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/window_wnd.h"

namespace veneer {

class CControlUI;
class CMarkupDocument;
class CSkinBuilder;

// The base of every skinned top-level window. When its window is created it builds the window's content
// from a skin (SkinFile, a file or markup text, or a resource id of SkinResourceType) into its paint
// manager, which then gets every message the window's handlers leave; a skin that cannot be built ends
// the process with a message box (OnSkinLoadFailed, which a derived window may take over). It gives a
// frameless window its behaviour: the caption drag area and resize borders (hit testing), a round-corner
// window region, tracking limits, the default buttons "closebtn", "minbtn", "maxbtn" and "restorebtn", and
// Enter and Escape as default keys. Notifications go through its notification tables (CNotifyPump).
//
// Each message handler (Handle...) gets `handled` set to true and clears it to leave the message to the
// paint manager and the previous window procedure. Handlers may destroy the window and a window on the
// heap may delete itself in OnWindowDestroyed: nothing touches the object after that.
//
// Owns its paint manager (and through it the control tree); the window it creates is destroyed at the
// latest with the object. The application derives from it and supplies at least WindowClassName and
// SkinFile. UI thread only.
class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override;

  CPaintManagerUI& GetPaintManager() { return paint_manager_; }

  // Notifications go through the tables: this class's has "click" from any control to OnDefaultClick.
  const NotifyTable& GetNotifyTable() const override;
  static const NotifyTable& ClassNotifyTable();
  void ReceiveNotification(NotifyRecord& record) override;
  // As the manager's pre-message filter: a key-down of Enter or Escape is answered with OnDefaultKey,
  // without marking it handled; anything else with 0.
  LRESULT MessageHandler(UINT message, WPARAM wparam, LPARAM lparam, bool* handled) override;
  // No controls of its own and no texts: null.
  CControlUI* CreateCustomControl(const wchar_t* element_name) override;
  const wchar_t* QueryControlText(const wchar_t* key) override;

 protected:
  UINT ClassStyle() const override { return CS_DBLCLKS; }
  LRESULT ProcessMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // Takes this window off the manager's lists and lets the manager go of the window.
  void OnWindowDestroyed(HWND window) override;

  // The skin has been built and installed as the manager's tree.
  virtual void OnSkinLoaded() {}
  // The skin could not be built: `document` is what the build loaded (its error texts say why a load
  // failed; a document that loaded built no control at its top level). By default the message box
  // "加载资源文件失败：" + SkinFile, then the process ends with exit code 1: a product window has nothing
  // to show without its skin. An override that returns makes the creation fail instead (WM_CREATE
  // answers -1): the window is destroyed and CreateNativeWindow returns null. Tools that must not stop
  // at a message box record the failure here.
  virtual void OnSkinLoadFailed(const CMarkupDocument& document);
  // Default buttons by the sender's name: "closebtn" closes with result 1, "minbtn", "maxbtn" and
  // "restorebtn" send the system command.
  virtual void OnDefaultClick(NotifyRecord& record);
  // Whether a point over `control` drags the window: the control and all its ancestors are passive
  // (labels, texts, plain controls and layouts). False for no control.
  virtual bool IsCaptionControl(CControlUI* control);
  // Empty: SkinFile is a skin file name or markup text. Otherwise the type of the skin resource whose
  // decimal id SkinFile holds.
  virtual const wchar_t* SkinResourceType() const { return L""; }
  virtual const wchar_t* SkinFile() const = 0;
  // The name the manager is attached under; null for none.
  virtual const wchar_t* ManagerName() const { return nullptr; }
  // Enter and Escape from the pre-message filter: 0 for Enter, 1 for Escape, 0 for anything else.
  virtual LRESULT OnDefaultKey(WPARAM key);

  virtual LRESULT HandleClose(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleDestroy(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // Handled unless minimised; lets deactivation proceed (1) and paints no frame.
  virtual LRESULT HandleNcActivate(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // The whole window is client area.
  virtual LRESULT HandleNcCalcSize(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // No system frame is painted.
  virtual LRESULT HandleNcPaint(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // Resize zones (unless maximised), then the caption over passive controls, else client.
  virtual LRESULT HandleNcHitTest(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleGetMinMaxInfo(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleMouseWheel(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleMouseHover(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // The window region follows the size with the skin's round corners; the manager sees the size too.
  virtual LRESULT HandleSize(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleChar(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // SC_CLOSE becomes WM_CLOSE; other commands run, and a change of the maximised state swaps the
  // "maxbtn" and "restorebtn" controls.
  virtual LRESULT HandleSysCommand(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // Attaches the manager and builds the skin.
  virtual LRESULT HandleCreate(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleKeyDown(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleKillFocus(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleSetFocus(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleLButtonDown(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleLButtonUp(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  virtual LRESULT HandleMouseMove(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // Any message the other handlers do not take.
  virtual LRESULT HandleOtherMessage(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // The window's current style without the caption bits.
  virtual LONG_PTR WindowStyle() const;

  // Shows or hides the named control, when the tree has one.
  void SetControlVisible(const wchar_t* name, bool visible);

 private:
  // The slot handler of a message; `handled` false when no slot takes it.
  LRESULT DispatchToHandler(UINT message, WPARAM wparam, LPARAM lparam, bool& handled);
  // The skin's root control built by `builder`, or null when it cannot be built.
  CControlUI* BuildSkin(CSkinBuilder& builder);
  // The maximised state changed through a system command.
  void OnMaximisedChanged(bool maximised);

  CPaintManagerUI paint_manager_;
};

}  // namespace veneer

#endif  // UI_CONTROLS_WINDOW_IMPL_BASE_H_
