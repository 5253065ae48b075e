#include "ui/controls/activex.h"

#include <shlwapi.h>

#include <cwchar>

#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// In-process server and handler, local and remote server.
constexpr DWORD kCreationContext =
    CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

bool IsNullClassId(const CLSID& class_id) { return class_id == CLSID{}; }

int PixelsPerInch(HWND window, int axis) {
  const ScopedWindowDC dc(window);
  return dc.get() ? GetDeviceCaps(dc.get(), axis) : 96;
}

}  // namespace

int PixelsToHimetric(int pixels, int pixels_per_inch) {
  if (pixels_per_inch <= 0) return 0;
  constexpr int kHimetricPerInch = 2540;
  return MulDiv(pixels, kHimetricPerInch, pixels_per_inch);
}

CActiveXUI::CActiveXUI() = default;

CActiveXUI::~CActiveXUI() {
  ReleaseControl();
  UnloadModule();
}

const wchar_t* CActiveXUI::GetClassName() const { return L"ActiveXUI"; }

void* CActiveXUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"ActiveX") == 0) return this;
  return CControlUI::FindInterface(name);
}

void CActiveXUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (wcscmp(name, L"clsid") == 0) {
    SetClassIdText(value);
  } else if (wcscmp(name, L"modulename") == 0) {
    SetModuleName(value);
  } else if (wcscmp(name, L"delaycreate") == 0) {
    SetCreateTiming(wcscmp(value, L"true") == 0 ? CreateTiming::kAtFirstPlace : CreateTiming::kAtOnce);
  } else {
    CControlUI::ApplyAttribute(name, value);
  }
}

bool CActiveXUI::SetClassIdText(const wchar_t* text) {
  CLSID class_id;
  // CLSIDFromString also looks up program ids in the registry; a class id is only ever given as text.
  if (!text || text[0] != L'{' || FAILED(CLSIDFromString(text, &class_id))) return false;
  class_id_ = class_id;
  return true;
}

void CActiveXUI::SetModuleName(const wchar_t* path) {
  const CUIString name(path ? path : L"");
  if (name == module_name_.GetData()) return;
  // Objects of the old module must be gone before it may go.
  ReleaseControl();
  UnloadModule();
  module_name_ = name;
}

void CActiveXUI::SetCreateTiming(CreateTiming timing) {
  if (timing == create_timing_) return;
  create_timing_ = timing;
  CreateIfWantedAtOnce();
}

void CActiveXUI::InitializeSelf() {
  CControlUI::InitializeSelf();
  CreateIfWantedAtOnce();
}

void CActiveXUI::CreateIfWantedAtOnce() {
  if (create_timing_ == CreateTiming::kAtOnce && !creation_attempted_ && !IsNullClassId(class_id_))
    CreateControl();
}

void CActiveXUI::Place(const RECT& rect, bool invalidate) {
  if (!PlaceBounds(rect, invalidate)) return;
  if (!creation_attempted_) CreateControl();
  PlaceObject();
}

bool CActiveXUI::PaintLayers(HDC, const RECT&, CControlUI*) { return true; }

void CActiveXUI::SetVisible(bool visible) {
  // Hidden before the base's focus change, whose listeners may destroy this control.
  if (!visible) ShowHostWindow(false);
  CControlUI::SetVisible(visible);
  if (visible) ShowHostWindow(IsVisible());
}

void CActiveXUI::SetParentVisible(bool visible) {
  if (!visible) ShowHostWindow(false);
  CControlUI::SetParentVisible(visible);
  if (visible) ShowHostWindow(IsVisible());
}

void CActiveXUI::ShowHostWindow(bool show) {
  if (host_window_) ShowWindow(host_window_.get(), show ? SW_SHOWNA : SW_HIDE);
}

HRESULT CActiveXUI::QueryObject(REFIID riid, void** out) const {
  if (!out) return E_POINTER;
  *out = nullptr;
  return object_ ? object_->QueryInterface(riid, out) : E_UNEXPECTED;
}

bool CActiveXUI::CreateControl() {
  CPaintManagerUI* manager = GetPaintManager();
  HWND parent = manager ? manager->GetWindowHandle() : nullptr;
  if (!parent) return false;
  ReleaseControl();
  creation_attempted_ = true;
  ComPtr<IOleControl> control;
  if (!CreateInstance(control.receive()) || !ActivateObject(control.get(), parent)) {
    ReleaseObject();
    return false;
  }
  return true;
}

bool CActiveXUI::CreateInstance(void** control) {
  if (CreateInstanceFromModule(control)) return true;
  return SUCCEEDED(CoCreateInstance(class_id_, nullptr, kCreationContext, IID_IOleControl, control));
}

bool CActiveXUI::CreateInstanceFromModule(void** control) {
  if (module_name_.IsEmpty() || PathIsRelativeW(module_name_.GetData())) return false;
  if (!module_) module_.reset(LoadLibraryW(module_name_.GetData()));
  if (!module_) return false;
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  const auto get_class_object = reinterpret_cast<GetClassObject>(
      reinterpret_cast<void*>(GetProcAddress(module_.get(), "DllGetClassObject")));
  ComPtr<IClassFactory> factory;
  if (!get_class_object || FAILED(get_class_object(class_id_, IID_IClassFactory, factory.receive())))
    return false;
  return SUCCEEDED(factory->CreateInstance(nullptr, IID_IOleControl, control));
}

bool CActiveXUI::ActivateObject(IOleControl* control, HWND parent) {
  if (FAILED(control->QueryInterface(IID_IOleObject, object_.receive()))) return false;
  site_ = ComPtr<ActiveXSite>(CreateSite());
  DWORD misc_status = 0;
  if (FAILED(object_->GetMiscStatus(DVASPECT_CONTENT, &misc_status))) misc_status = 0;
  const bool site_first = (misc_status & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (site_first && FAILED(object_->SetClientSite(site_.get()))) return false;
  ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit, persist.receive())) &&
      FAILED(persist->InitNew())) {
    return false;
  }
  if (!site_first && FAILED(object_->SetClientSite(site_.get()))) return false;
  // The windowless interface derives from the windowed one: either is kept as the windowed one.
  if (FAILED(object_->QueryInterface(IID_IOleInPlaceObjectWindowless, in_place_.receive())) &&
      FAILED(object_->QueryInterface(IID_IOleInPlaceObject, in_place_.receive()))) {
    return false;
  }
  host_window_.reset(CreateActiveXHostWindow(parent, GetBounds(), IsVisible()));
  if (!host_window_) return false;
  RECT inside = CUIRect(0, 0, GetBounds().GetWidth(), GetBounds().GetHeight());
  return SUCCEEDED(
      object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, host_window_.get(), &inside));
}

void CActiveXUI::PlaceObject() {
  if (!object_) return;
  const CUIRect& bounds = GetBounds();
  SIZEL extent = {PixelsToHimetric(bounds.GetWidth(), PixelsPerInch(host_window_.get(), LOGPIXELSX)),
                  PixelsToHimetric(bounds.GetHeight(), PixelsPerInch(host_window_.get(), LOGPIXELSY))};
  object_->SetExtent(DVASPECT_CONTENT, &extent);
  RECT inside = CUIRect(0, 0, bounds.GetWidth(), bounds.GetHeight());
  if (in_place_) in_place_->SetObjectRects(&inside, &inside);
  if (host_window_)
    MoveWindow(host_window_.get(), bounds.left, bounds.top, bounds.GetWidth(), bounds.GetHeight(), TRUE);
}

void CActiveXUI::ReleaseControl() {
  ReleaseObject();
  creation_attempted_ = false;
}

void CActiveXUI::ReleaseObject() {
  if (object_) {
    object_->SetClientSite(nullptr);
    object_->Close(OLECLOSE_NOSAVE);
  }
  in_place_.reset();
  object_.reset();
  if (site_) site_->Detach();
  site_.reset();
  host_window_.reset();
}

void CActiveXUI::UnloadModule() {
  if (!module_) return;
  using CanUnloadNow = HRESULT(WINAPI*)();
  const auto can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(GetProcAddress(module_.get(), "DllCanUnloadNow")));
  // A module that cannot say, or still has objects, stays loaded for the rest of the process.
  if (!can_unload || can_unload() != S_OK) module_.release();
  module_.reset();
}

ActiveXSite* CActiveXUI::CreateSite() { return new ActiveXSite(this); }

}  // namespace veneer
