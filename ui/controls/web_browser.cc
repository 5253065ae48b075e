#include "ui/controls/web_browser.h"

#include "ui/controls/web_browser_site.h"
#include "ui/core/scoped_variant.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// WM_KEYDOWN to WM_UNICHAR.
constexpr UINT kFirstKeyMessage = 256;
constexpr UINT kLastKeyMessage = 265;

}  // namespace

const CLSID CWebBrowserUI::kBrowserClassId = {
    0x8856f961, 0x340a, 0x11d0, {0xa9, 0x6b, 0x00, 0xc0, 0x4f, 0xd7, 0x05, 0xa2}};

CWebBrowserUI::CWebBrowserUI() { SetClassId(kBrowserClassId); }

CWebBrowserUI::~CWebBrowserUI() { ReleaseControl(); }

const wchar_t* CWebBrowserUI::GetClassName() const { return L"WebBrowserUI"; }

void* CWebBrowserUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"WebBrowser") == 0) return this;
  return CActiveXUI::FindInterface(name);
}

void CWebBrowserUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (CUIString(name).CompareNoCase(L"homepage") == 0) {
    SetHomePage(value);
  } else if (CUIString(name).CompareNoCase(L"autonavi") == 0) {
    SetAutoNavigate(CUIString(value).CompareNoCase(L"true") == 0);
  } else {
    CActiveXUI::ApplyAttribute(name, value);
  }
}

ActiveXSite* CWebBrowserUI::CreateSite() { return new WebBrowserSite(this); }

bool CWebBrowserUI::CreateControl() {
  if (!CActiveXUI::CreateControl()) return false;
  accelerator_manager_ = GetPaintManager();
  accelerator_manager_->AddTranslateAccelerator(this);
  QueryObject(IID_IWebBrowser2, browser_.receive());
  if (auto_navigate_ && !home_page_.IsEmpty()) Navigate(home_page_.GetData());
  StartEvents();
  return true;
}

void CWebBrowserUI::ReleaseControl() {
  StopEvents();
  SetDocumentUIHandler(nullptr);
  browser_.reset();
  if (accelerator_manager_) accelerator_manager_->RemoveTranslateAccelerator(this);
  accelerator_manager_ = nullptr;
  CActiveXUI::ReleaseControl();
}

void CWebBrowserUI::Navigate(const wchar_t* url) {
  if (!url || !*url || !browser_) return;
  ScopedVariant address(url);
  ScopedVariant flags, target_frame, post_data, headers;
  browser_->Navigate2(address.get(), flags.get(), target_frame.get(), post_data.get(), headers.get());
}

void CWebBrowserUI::SetDocumentUIHandler(IDocHostUIHandler* handler) {
  if (!browser_) return;
  ComPtr<IDispatch> document;
  if (FAILED(browser_->get_Document(reinterpret_cast<IDispatch**>(document.receive()))) || !document) return;
  ComPtr<ICustomDoc> custom;
  if (SUCCEEDED(document->QueryInterface(__uuidof(ICustomDoc), custom.receive())) && custom)
    custom->SetUIHandler(handler);
}

ComPtr<IConnectionPoint> CWebBrowserUI::FindEventsConnectionPoint() const {
  ComPtr<IConnectionPointContainer> container;
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(QueryObject(IID_IConnectionPointContainer, container.receive())) && container) {
    container->FindConnectionPoint(DIID_DWebBrowserEvents2,
                                   reinterpret_cast<IConnectionPoint**>(point.receive()));
  }
  return point;
}

void CWebBrowserUI::StartEvents() {
  auto* site = static_cast<WebBrowserSite*>(GetSite());
  ComPtr<IConnectionPoint> point = FindEventsConnectionPoint();
  if (!site || !point) return;
  DWORD cookie = 0;
  if (SUCCEEDED(point->Advise(site->AsEventSink(), &cookie))) events_cookie_ = cookie;
}

void CWebBrowserUI::StopEvents() {
  if (events_cookie_ == 0) return;
  if (ComPtr<IConnectionPoint> point = FindEventsConnectionPoint()) point->Unadvise(events_cookie_);
  events_cookie_ = 0;
}

HRESULT CWebBrowserUI::TranslateKeyMessage(const MSG& message) {
  if (message.message < kFirstKeyMessage || message.message > kLastKeyMessage) return S_FALSE;
  if (!HasObject()) return E_NOTIMPL;
  if (!HasFocusWithin(GetHostWindow())) return S_FALSE;
  ComPtr<IOleInPlaceActiveObject> active;
  if (FAILED(QueryObject(IID_IOleInPlaceActiveObject, active.receive())) || !active) return S_FALSE;
  MSG copy = message;
  return active->TranslateAccelerator(&copy);
}

bool CWebBrowserUI::TranslateAcceleratorMessage(const MSG& message) {
  return TranslateKeyMessage(message) == S_OK;
}

}  // namespace veneer
