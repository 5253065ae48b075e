#ifndef UI_CONTROLS_WEB_BROWSER_H_
#define UI_CONTROLS_WEB_BROWSER_H_

#include <windows.h>

#include <exdisp.h>
#include <mshtmhst.h>

#include "ui/controls/activex.h"
#include "ui/core/com_ptr.h"
#include "ui/core/ui_string.h"
#include "ui/runtime/translate_accelerator.h"

namespace veneer {

class CPaintManagerUI;

// An ActiveX control preset to the platform's web browser component: on creation it registers itself
// as the window's keyboard accelerator translator (keys pressed while the focus is inside the page go
// to the page), subscribes to the browser's events through its site (WebBrowserSite) and, when asked
// to ("autonavi"), opens its home page. Navigate opens an address; the caller decides which addresses
// may be opened. Release cancels the events subscription, takes the UI handler back from the document
// and removes the translator before the host lets go of the object.
//
// It does not forward the browser's events to anyone. Owned like any control; UI thread only.
class CWebBrowserUI : public CActiveXUI, public ITranslateAccelerator {
 public:
  // {8856F961-340A-11D0-A96B-00C04FD705A2}
  static const CLSID kBrowserClassId;

  CWebBrowserUI();
  ~CWebBrowserUI() override;

  const wchar_t* GetClassName() const override;
  void* FindInterface(const wchar_t* name) override;
  // "homepage", "autonavi" ("true" ignoring case); others go to the host.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  bool CreateControl() override;
  void ReleaseControl() override;

  // Opens `url` (passed as a text variant to the browser's Navigate2, no other arguments). Nothing
  // without an address or a browser.
  void Navigate(const wchar_t* url);
  const CUIString& GetHomePage() const { return home_page_; }
  void SetHomePage(const wchar_t* url) { home_page_ = url ? url : L""; }
  bool IsAutoNavigate() const { return auto_navigate_; }
  void SetAutoNavigate(bool navigate) { auto_navigate_ = navigate; }
  // Hands `handler` (null to take it back) to the browser's current document. Nothing without one.
  void SetDocumentUIHandler(IDocHostUIHandler* handler);
  bool HasBrowser() const { return static_cast<bool>(browser_); }

  // A queued message for the page: S_FALSE for anything but key messages (256 to 265), E_NOTIMPL
  // without an object, S_FALSE when the keyboard focus is outside the host window, otherwise the
  // object's answer (S_OK when it consumed the message).
  HRESULT TranslateKeyMessage(const MSG& message);
  bool TranslateAcceleratorMessage(const MSG& message) override;

 protected:
  ActiveXSite* CreateSite() override;

 private:
  void StartEvents();
  void StopEvents();
  // The object's connection point for the browser's events, or null.
  ComPtr<IConnectionPoint> FindEventsConnectionPoint() const;

  ComPtr<IWebBrowser2> browser_;
  CUIString home_page_;
  bool auto_navigate_ = false;
  DWORD events_cookie_ = 0;
  CPaintManagerUI* accelerator_manager_ = nullptr;  // Not owned: where this translator is registered.
};

}  // namespace veneer

#endif  // UI_CONTROLS_WEB_BROWSER_H_
