#include "ui/controls/web_browser_site.h"

#include "ui/controls/script_error.h"
#include "ui/controls/web_browser.h"

namespace veneer {
namespace {

// The document host's command group, and its "show script error" command.
constexpr GUID kDocHostCommandGroup = {
    0xf38bc242, 0xb950, 0x11d1, {0x89, 0x18, 0x00, 0xc0, 0x4f, 0xc2, 0xc8, 0x36}};
constexpr DWORD kShowScriptError = 40;
// No 3-D border around the document, nor around the outer frame.
constexpr DWORD kHostInfoFlags = 0x4 | 0x200000;

// The browser's events (DWebBrowserEvents2) and their argument counts.
struct BrowserEvent {
  DISPID id;
  int arguments;
};
constexpr DISPID kNavigateComplete = 252;
constexpr BrowserEvent kBrowserEvents[] = {
    {102, 1},  // status text change
    {105, 2},  // command state change
    {113, 1},  // title change
    {250, 7},  // before navigate
    {kNavigateComplete, 2},
    {259, 2},  // document complete
    {271, 5},  // navigate error
    {273, 5},  // new window
};

template <typename Pointer>
void ClearOutput(Pointer* out) {
  if (out) *out = nullptr;
}

}  // namespace

int BrowserEventArgumentCount(DISPID event) {
  for (const BrowserEvent& known : kBrowserEvents) {
    if (known.id == event) return known.arguments;
  }
  return -1;
}

WebBrowserSite::WebBrowserSite(CWebBrowserUI* browser) : ActiveXSite(browser), browser_(browser) {}

void WebBrowserSite::Detach() {
  browser_ = nullptr;
  ActiveXSite::Detach();
}

void* WebBrowserSite::FindSiteInterface(REFIID riid) {
  if (riid == IID_IDocHostUIHandler) return static_cast<IDocHostUIHandler*>(this);
  if (riid == IID_IServiceProvider) return static_cast<IServiceProvider*>(this);
  if (riid == IID_IOleCommandTarget) return static_cast<IOleCommandTarget*>(this);
  if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) return static_cast<IDispatch*>(this);
  if (riid == IID_IInternetSecurityManager) return static_cast<IInternetSecurityManager*>(this);
  return ActiveXSite::FindSiteInterface(riid);
}

STDMETHODIMP WebBrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  info->dwFlags |= kHostInfoFlags;
  return S_OK;
}

STDMETHODIMP WebBrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
  ClearOutput(key);
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
  ClearOutput(target);
  return S_FALSE;
}

STDMETHODIMP WebBrowserSite::GetExternal(IDispatch** external) {
  ClearOutput(external);
  return S_FALSE;
}

STDMETHODIMP WebBrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
  ClearOutput(translated);
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserSite::FilterDataObject(IDataObject*, IDataObject** filtered) {
  ClearOutput(filtered);
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserSite::QueryService(REFGUID service, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  // The download manager service is refused too: the browser then downloads as it always does.
  if (service != IID_IInternetSecurityManager || riid != IID_IInternetSecurityManager) return E_NOINTERFACE;
  *out = static_cast<IInternetSecurityManager*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP WebBrowserSite::Exec(const GUID* group, DWORD command, DWORD, VARIANT* in, VARIANT* out) {
  if (!group || *group != kDocHostCommandGroup) return OLECMDERR_E_UNKNOWNGROUP;
  if (command != kShowScriptError) return OLECMDERR_E_NOTSUPPORTED;
  ReportScriptError(in);
  // True: the scripts go on running, and the browser shows no dialog.
  if (out) {
    VariantInit(out);
    out->vt = VT_BOOL;
    out->boolVal = VARIANT_TRUE;
  }
  return S_OK;
}

STDMETHODIMP WebBrowserSite::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP WebBrowserSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  ClearOutput(info);
  return E_NOTIMPL;
}

STDMETHODIMP WebBrowserSite::Invoke(DISPID event, REFIID riid, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                    EXCEPINFO*, UINT*) {
  if (riid != IID_NULL) return E_INVALIDARG;
  const int arguments = BrowserEventArgumentCount(event);
  if (arguments < 0) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cArgs != static_cast<UINT>(arguments) || (arguments > 0 && !params->rgvarg)) {
    return DISP_E_BADPARAMCOUNT;
  }
  // Each new document gets the UI handler: its look and menus are set per document.
  if (event == kNavigateComplete && browser_) browser_->SetDocumentUIHandler(AsUIHandler());
  return S_OK;
}

}  // namespace veneer
