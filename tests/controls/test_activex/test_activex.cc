// A small in-process ActiveX control for the framework's tests, loaded through a control's "modulename".
// It records every call made on it, in order, into a log the test reads through TestActiveXCalls, and
// stands in for the web browser component where a real object is needed: Navigate2 records its
// address, the document records the UI handler it is given, and the events connection point records
// Advise and Unadvise. Everything else it is not asked for answers E_NOTIMPL.
//
// Two classes: kSiteFirstClass asks for its client site before initialisation (OLEMISC_SETCLIENTSITEFIRST),
// kInitFirstClass after. Objects are never freed: a call that reaches one after its last release is
// logged with a leading "!" instead of touching freed memory. UI thread only.
#include <windows.h>

#include <exdisp.h>
#include <mshtmhst.h>
#include <ocidl.h>
#include <olectl.h>
#include <oleidl.h>

#include <string>
#include <vector>

// COM objects are deleted by their own Release only (here: never), and the interfaces have no virtual
// destructors. The exported functions are declared by their callers, who look them up by name.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#pragma GCC diagnostic ignored "-Wmissing-declarations"

namespace {

// {5C1E7F3A-9B2D-4E61-8A47-2F0D3C9B6E15} and {...16}: the same as in test_activex.h.
const CLSID kSiteFirstClass = {0x5c1e7f3a, 0x9b2d, 0x4e61, {0x8a, 0x47, 0x2f, 0x0d, 0x3c, 0x9b, 0x6e, 0x15}};
const CLSID kInitFirstClass = {0x5c1e7f3a, 0x9b2d, 0x4e61, {0x8a, 0x47, 0x2f, 0x0d, 0x3c, 0x9b, 0x6e, 0x16}};
const DWORD kEventsCookie = 7;

std::vector<std::wstring> &Calls() {
  static std::vector<std::wstring> calls;
  return calls;
}

IOleClientSite *g_client_site = nullptr;  // The site the last object holds; one reference.
IDispatch *g_event_sink = nullptr;        // The advised events sink; one reference.
HWND g_host_window = nullptr;             // The window the last in-place activation was given.

std::wstring RectText(const RECT &rect) {
  return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) +
         L"," + std::to_wstring(rect.bottom);
}

template <typename Interface>
void ReplaceHeld(Interface **held, Interface *value) {
  if (value) value->AddRef();
  if (*held) (*held)->Release();
  *held = value;
}

// The document the stand-in browser hands out: it records the UI handler it is given.
class TestDocument : public IDispatch, public ICustomDoc {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void **out) override {
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
      *out = static_cast<IDispatch *>(this);
    } else if (riid == __uuidof(ICustomDoc)) {
      *out = static_cast<ICustomDoc *>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP GetTypeInfoCount(UINT *) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override {
    return E_NOTIMPL;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override { return --refs_; }
  STDMETHODIMP SetUIHandler(IDocHostUIHandler *handler) override {
    Calls().push_back(handler ? L"SetUIHandler" : L"SetUIHandler(null)");
    return S_OK;
  }

 private:
  ULONG refs_ = 1;  // Static lifetime: the module's own reference.
};

TestDocument g_document;

class TestObject : public IOleControl,
                   public IOleObject,
                   public IPersistStreamInit,
                   public IOleInPlaceObject,
                   public IOleInPlaceActiveObject,
                   public IWebBrowser2,
                   public IConnectionPointContainer,
                   public IConnectionPoint {
 public:
  explicit TestObject(bool site_first) : site_first_(site_first) {}

  STDMETHODIMP QueryInterface(REFIID riid, void **out) override {
    *out = Find(riid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override {
    if (released_) Record(L"AddRef");
    return ++refs_;
  }
  STDMETHODIMP_(ULONG) Release() override {
    if (released_) {
      Record(L"Release");
      return 0;
    }
    if (--refs_ == 0) {
      released_ = true;
      Calls().push_back(L"Released");
    }
    return refs_;
  }

  // IOleControl
  STDMETHODIMP GetControlInfo(CONTROLINFO *) override { return E_NOTIMPL; }
  STDMETHODIMP OnMnemonic(MSG *) override { return E_NOTIMPL; }
  STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return E_NOTIMPL; }
  STDMETHODIMP FreezeEvents(BOOL) override { return E_NOTIMPL; }

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite *site) override {
    Record(site ? L"SetClientSite" : L"SetClientSite(null)");
    ReplaceHeld(&g_client_site, site);
    return S_OK;
  }
  STDMETHODIMP GetClientSite(IOleClientSite **) override { return E_NOTIMPL; }
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return E_NOTIMPL; }
  STDMETHODIMP Close(DWORD) override {
    Record(L"Close");
    return S_OK;
  }
  STDMETHODIMP SetMoniker(DWORD, IMoniker *) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker **) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject *, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject **) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite *site, LONG, HWND parent, LPCRECT rect) override {
    Record(L"DoVerb " + std::to_wstring(verb) + L" " + (rect ? RectText(*rect) : L"-"));
    g_host_window = parent;
    return site && parent == HostWindowOf(site) ? S_OK : E_UNEXPECTED;
  }
  STDMETHODIMP EnumVerbs(IEnumOLEVERB **) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return E_NOTIMPL; }
  STDMETHODIMP IsUpToDate() override { return E_NOTIMPL; }
  STDMETHODIMP GetUserClassID(CLSID *) override { return E_NOTIMPL; }
  STDMETHODIMP GetUserType(DWORD, LPOLESTR *) override { return E_NOTIMPL; }
  STDMETHODIMP SetExtent(DWORD aspect, SIZEL *size) override {
    Record(L"SetExtent " + std::to_wstring(aspect) + L" " + std::to_wstring(size->cx) + L"x" +
           std::to_wstring(size->cy));
    return S_OK;
  }
  STDMETHODIMP GetExtent(DWORD, SIZEL *) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IAdviseSink *, DWORD *) override { return E_NOTIMPL; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA **) override { return E_NOTIMPL; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD *status) override {
    *status = site_first_ ? OLEMISC_SETCLIENTSITEFIRST : 0;
    return S_OK;
  }
  STDMETHODIMP SetColorScheme(LOGPALETTE *) override { return E_NOTIMPL; }

  // IPersistStreamInit
  STDMETHODIMP GetClassID(CLSID *) override { return E_NOTIMPL; }
  STDMETHODIMP IsDirty() override { return E_NOTIMPL; }
  STDMETHODIMP Load(LPSTREAM) override { return E_NOTIMPL; }
  STDMETHODIMP Save(LPSTREAM, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER *) override { return E_NOTIMPL; }
  STDMETHODIMP InitNew() override {
    Record(L"InitNew");
    return S_OK;
  }

  // IOleInPlaceObject and IOleInPlaceActiveObject
  STDMETHODIMP GetWindow(HWND *) override { return E_NOTIMPL; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override { return E_NOTIMPL; }
  STDMETHODIMP UIDeactivate() override { return E_NOTIMPL; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT) override {
    Record(L"SetObjectRects " + RectText(*position));
    return S_OK;
  }
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAccelerator(LPMSG message) override {
    Record(L"TranslateAccelerator " + std::to_wstring(message->message));
    return S_OK;
  }
  STDMETHODIMP OnFrameWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP OnDocWindowActivate(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow *, BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP EnableModeless(BOOL) override { return E_NOTIMPL; }

  // IDispatch of the browser
  STDMETHODIMP GetTypeInfoCount(UINT *) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override {
    return E_NOTIMPL;
  }

  // IWebBrowser2: navigation and the document; the rest is not supported.
  STDMETHODIMP Navigate2(VARIANT *url, VARIANT *flags, VARIANT *frame, VARIANT *post,
                         VARIANT *headers) override {
    const bool others_empty = IsEmpty(flags) && IsEmpty(frame) && IsEmpty(post) && IsEmpty(headers);
    if (!url || url->vt != VT_BSTR) {
      Record(L"Navigate2 (not text)");
    } else {
      Record(std::wstring(L"Navigate2 ") + url->bstrVal + (others_empty ? L"" : L" (with arguments)"));
    }
    return S_OK;
  }
  STDMETHODIMP get_Document(IDispatch **document) override {
    *document = nullptr;
    Record(L"get_Document");
    *document = &g_document;
    g_document.AddRef();
    return S_OK;
  }
  STDMETHODIMP GoBack() override { return E_NOTIMPL; }
  STDMETHODIMP GoForward() override { return E_NOTIMPL; }
  STDMETHODIMP GoHome() override { return E_NOTIMPL; }
  STDMETHODIMP GoSearch() override { return E_NOTIMPL; }
  STDMETHODIMP Navigate(BSTR, VARIANT *, VARIANT *, VARIANT *, VARIANT *) override { return E_NOTIMPL; }
  STDMETHODIMP Refresh() override { return E_NOTIMPL; }
  STDMETHODIMP Refresh2(VARIANT *) override { return E_NOTIMPL; }
  STDMETHODIMP Stop() override { return E_NOTIMPL; }
  STDMETHODIMP get_Application(IDispatch **) override { return E_NOTIMPL; }
  STDMETHODIMP get_Parent(IDispatch **) override { return E_NOTIMPL; }
  STDMETHODIMP get_Container(IDispatch **) override { return E_NOTIMPL; }
  STDMETHODIMP get_TopLevelContainer(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Type(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Left(LONG *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Left(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP get_Top(LONG *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Top(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP get_Width(LONG *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Width(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP get_Height(LONG *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Height(LONG) override { return E_NOTIMPL; }
  STDMETHODIMP get_LocationName(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_LocationURL(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Busy(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP Quit() override { return E_NOTIMPL; }
  STDMETHODIMP ClientToWindow(int *, int *) override { return E_NOTIMPL; }
  STDMETHODIMP PutProperty(BSTR, VARIANT) override { return E_NOTIMPL; }
  STDMETHODIMP GetProperty(BSTR, VARIANT *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Name(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_HWND(SHANDLE_PTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_FullName(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Path(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Visible(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Visible(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_StatusBar(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_StatusBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_StatusText(BSTR *) override { return E_NOTIMPL; }
  STDMETHODIMP put_StatusText(BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP get_ToolBar(int *) override { return E_NOTIMPL; }
  STDMETHODIMP put_ToolBar(int) override { return E_NOTIMPL; }
  STDMETHODIMP get_MenuBar(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_MenuBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_FullScreen(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_FullScreen(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP QueryStatusWB(OLECMDID, OLECMDF *) override { return E_NOTIMPL; }
  STDMETHODIMP ExecWB(OLECMDID, OLECMDEXECOPT, VARIANT *, VARIANT *) override { return E_NOTIMPL; }
  STDMETHODIMP ShowBrowserBar(VARIANT *, VARIANT *, VARIANT *) override { return E_NOTIMPL; }
  STDMETHODIMP get_ReadyState(READYSTATE *) override { return E_NOTIMPL; }
  STDMETHODIMP get_Offline(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Offline(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Silent(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Silent(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_RegisterAsBrowser(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_RegisterAsBrowser(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_RegisterAsDropTarget(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_RegisterAsDropTarget(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_TheaterMode(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_TheaterMode(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_AddressBar(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_AddressBar(VARIANT_BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP get_Resizable(VARIANT_BOOL *) override { return E_NOTIMPL; }
  STDMETHODIMP put_Resizable(VARIANT_BOOL) override { return E_NOTIMPL; }

  // IConnectionPointContainer and its one connection point, for the browser events.
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints **) override { return E_NOTIMPL; }
  STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint **point) override {
    *point = nullptr;
    if (riid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP GetConnectionInterface(IID *) override { return E_NOTIMPL; }
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer **) override { return E_NOTIMPL; }
  STDMETHODIMP Advise(IUnknown *sink, DWORD *cookie) override {
    Record(L"Advise");
    IDispatch *dispatch = nullptr;
    if (!sink || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void **>(&dispatch)))) {
      return CONNECT_E_CANNOTCONNECT;
    }
    ReplaceHeld(&g_event_sink, dispatch);
    dispatch->Release();
    *cookie = kEventsCookie;
    return S_OK;
  }
  // Also IOleObject's Unadvise (same signature), which the host never calls.
  STDMETHODIMP Unadvise(DWORD cookie) override {
    Record(L"Unadvise " + std::to_wstring(cookie));
    if (cookie != kEventsCookie) return CONNECT_E_NOCONNECTION;
    ReplaceHeld<IDispatch>(&g_event_sink, nullptr);
    return S_OK;
  }
  STDMETHODIMP EnumConnections(IEnumConnections **) override { return E_NOTIMPL; }

 private:
  static bool IsEmpty(const VARIANT *value) { return !value || value->vt == VT_EMPTY; }
  static HWND HostWindowOf(IOleClientSite *site) {
    IOleInPlaceSite *in_place = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void **>(&in_place))))
      return nullptr;
    HWND window = nullptr;
    if (FAILED(in_place->GetWindow(&window))) window = nullptr;
    in_place->Release();
    return window;
  }
  void *Find(REFIID riid) {
    if (riid == IID_IUnknown || riid == IID_IOleControl) return static_cast<IOleControl *>(this);
    if (riid == IID_IOleObject) return static_cast<IOleObject *>(this);
    if (riid == IID_IPersistStreamInit) return static_cast<IPersistStreamInit *>(this);
    if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
      return static_cast<IOleInPlaceObject *>(this);
    if (riid == IID_IOleInPlaceActiveObject) return static_cast<IOleInPlaceActiveObject *>(this);
    if (riid == IID_IWebBrowser2 || riid == IID_IWebBrowserApp || riid == IID_IWebBrowser ||
        riid == IID_IDispatch) {
      return static_cast<IWebBrowser2 *>(this);
    }
    if (riid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer *>(this);
    return nullptr;
  }
  // A call on this object; one that comes after the last release is marked.
  void Record(const std::wstring &call) { Calls().push_back(released_ ? L"!" + call : call); }

  const bool site_first_;
  ULONG refs_ = 0;
  bool released_ = false;  // The last reference went: from then on every call is one too many.
};

class TestClassFactory : public IClassFactory {
 public:
  explicit TestClassFactory(bool site_first) : site_first_(site_first) {}
  STDMETHODIMP QueryInterface(REFIID riid, void **out) override {
    *out = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *out = static_cast<IClassFactory *>(this);
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP CreateInstance(IUnknown *outer, REFIID riid, void **out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Calls().push_back(L"CreateInstance");
    return (new TestObject(site_first_))->QueryInterface(riid, out);  // Kept: see the file comment.
  }
  STDMETHODIMP LockServer(BOOL) override { return S_OK; }

 private:
  const bool site_first_;
};

TestClassFactory g_site_first_factory(true);
TestClassFactory g_init_first_factory(false);

}  // namespace

extern "C" {

__declspec(dllexport) HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID riid, void **out) {
  *out = nullptr;
  if (clsid == kSiteFirstClass) return g_site_first_factory.QueryInterface(riid, out);
  if (clsid == kInitFirstClass) return g_init_first_factory.QueryInterface(riid, out);
  return CLASS_E_CLASSNOTAVAILABLE;
}

// The module stays loaded: the objects it made are never freed.
__declspec(dllexport) HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }

// The calls recorded since the last TestActiveXClearCalls, one a line.
__declspec(dllexport) const wchar_t *TestActiveXCalls() {
  static std::wstring joined;
  joined.clear();
  for (const std::wstring &call : Calls()) joined += call + L"\n";
  return joined.c_str();
}

__declspec(dllexport) void TestActiveXClearCalls() { Calls().clear(); }

// The client site the object holds (not AddRef'd), or null.
__declspec(dllexport) IOleClientSite *TestActiveXClientSite() { return g_client_site; }

// The advised events sink (not AddRef'd), or null.
__declspec(dllexport) IDispatch *TestActiveXEventSink() { return g_event_sink; }

// The parent window of the last in-place activation.
__declspec(dllexport) HWND TestActiveXHostWindow() { return g_host_window; }

}  // extern "C"
