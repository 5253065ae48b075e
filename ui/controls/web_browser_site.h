#ifndef UI_CONTROLS_WEB_BROWSER_SITE_H_
#define UI_CONTROLS_WEB_BROWSER_SITE_H_

#include <windows.h>

#include <docobj.h>
#include <mshtmhst.h>
#include <servprov.h>
#include <urlmon.h>

#include "ui/controls/activex_site.h"

namespace veneer {

class CWebBrowserUI;

// The number of arguments the browser passes with an event (dispatch id), or -1 for an event the
// control does not know.
int BrowserEventArgumentCount(DISPID event);

// The site of a CWebBrowserUI: the host's site plus what the browser component asks its container for,
// all under the one reference count: the document host UI (no 3-D borders, the browser's own context
// menu), the command target that keeps script errors from showing a dialog, the events sink
// (IDispatch) that gives each new document the UI handler, a security manager that leaves every
// decision to the browser's defaults, and the service provider that hands that security manager out.
// It offers no download manager.
//
// Created by the control (see ActiveXSite for ownership); Detach also forgets the browser control.
// UI thread only.
// COM interfaces have no virtual destructor by design: a COM object is only ever deleted by its own
// Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class WebBrowserSite : public ActiveXSite,
                       public IDocHostUIHandler,
                       public IServiceProvider,
                       public IOleCommandTarget,
                       public IDispatch,
                       public IInternetSecurityManager {
 public:
  explicit WebBrowserSite(CWebBrowserUI* browser);

  void Detach() override;
  IDispatch* AsEventSink() { return this; }
  IDocHostUIHandler* AsUIHandler() { return this; }

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    return ActiveXSite::QueryInterface(riid, out);
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ActiveXSite::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return ActiveXSite::Release(); }

  // IDocHostUIHandler
  STDMETHODIMP ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override { return S_FALSE; }
  STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
  STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                      IOleInPlaceUIWindow*) override {
    return S_OK;
  }
  STDMETHODIMP HideUI() override { return S_OK; }
  STDMETHODIMP UpdateUI() override { return S_OK; }
  // Also the frame's: the hosted object ignores its answer.
  STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
  using ActiveXSite::TranslateAccelerator;
  STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override;
  STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override;
  STDMETHODIMP GetExternal(IDispatch** external) override;
  STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override;
  STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** filtered) override;

  // IServiceProvider: the security manager below; everything else refused.
  STDMETHODIMP QueryService(REFGUID service, REFIID riid, void** out) override;

  // IOleCommandTarget: the script error command of the document host's group.
  STDMETHODIMP QueryStatus(const GUID*, ULONG, OLECMD*, OLECMDTEXT*) override {
    return OLECMDERR_E_NOTSUPPORTED;
  }
  STDMETHODIMP Exec(const GUID* group, DWORD command, DWORD, VARIANT* in, VARIANT* out) override;

  // IDispatch: the browser's events.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID event, REFIID riid, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                      UINT*) override;

  // IInternetSecurityManager: every question is left to the browser's own default.
  STDMETHODIMP SetSecuritySite(IInternetSecurityMgrSite*) override { return INET_E_DEFAULT_ACTION; }
  STDMETHODIMP GetSecuritySite(IInternetSecurityMgrSite**) override { return INET_E_DEFAULT_ACTION; }
  STDMETHODIMP MapUrlToZone(LPCWSTR, DWORD*, DWORD) override { return INET_E_DEFAULT_ACTION; }
  STDMETHODIMP GetSecurityId(LPCWSTR, BYTE*, DWORD*, DWORD_PTR) override { return INET_E_DEFAULT_ACTION; }
  STDMETHODIMP ProcessUrlAction(LPCWSTR, DWORD, BYTE*, DWORD, BYTE*, DWORD, DWORD, DWORD) override {
    return INET_E_DEFAULT_ACTION;
  }
  STDMETHODIMP QueryCustomPolicy(LPCWSTR, REFGUID, BYTE**, DWORD*, BYTE*, DWORD, DWORD) override {
    return INET_E_DEFAULT_ACTION;
  }
  STDMETHODIMP SetZoneMapping(DWORD, LPCWSTR, DWORD) override { return INET_E_DEFAULT_ACTION; }
  STDMETHODIMP GetZoneMappings(DWORD, IEnumString**, DWORD) override { return INET_E_DEFAULT_ACTION; }

 protected:
  ~WebBrowserSite() override = default;
  void* FindSiteInterface(REFIID riid) override;

 private:
  CWebBrowserUI* browser_;  // Not owned; null once detached.
};
#pragma GCC diagnostic pop

}  // namespace veneer

#endif  // UI_CONTROLS_WEB_BROWSER_SITE_H_
