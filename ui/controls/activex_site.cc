#include "ui/controls/activex_site.h"

#include "ui/controls/activex.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {

STDMETHODIMP ActiveXSite::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = FindSiteInterface(riid);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) ActiveXSite::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) ActiveXSite::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

void* ActiveXSite::FindSiteInterface(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) return static_cast<IOleClientSite*>(this);
  if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite || riid == IID_IOleInPlaceSiteEx) {
    return static_cast<IOleInPlaceSiteEx*>(this);
  }
  if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame)
    return static_cast<IOleInPlaceFrame*>(this);
  return nullptr;
}

STDMETHODIMP ActiveXSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker) *moniker = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP ActiveXSite::GetContainer(IOleContainer** container) {
  if (container) *container = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP ActiveXSite::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = owner_ ? owner_->GetHostWindow() : nullptr;
  return *window ? S_OK : E_UNEXPECTED;
}

STDMETHODIMP ActiveXSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frame_info) {
  if (!frame || !document || !position || !clip || !frame_info) return E_POINTER;
  *frame = nullptr;
  *document = nullptr;
  if (!owner_) return E_UNEXPECTED;
  const CUIRect& bounds = owner_->GetBounds();
  // The object fills the host window, which lies over the control's bounds.
  *position = CUIRect(0, 0, bounds.GetWidth(), bounds.GetHeight());
  *clip = *position;
  CPaintManagerUI* manager = owner_->GetPaintManager();
  frame_info->cb = sizeof(OLEINPLACEFRAMEINFO);
  frame_info->fMDIApp = FALSE;
  frame_info->hwndFrame = manager ? manager->GetWindowHandle() : nullptr;
  frame_info->haccel = nullptr;
  frame_info->cAccelEntries = 0;
  *frame = this;
  AddRef();
  return S_OK;
}

STDMETHODIMP ActiveXSite::OnInPlaceActivateEx(BOOL* no_redraw, DWORD) {
  if (no_redraw) *no_redraw = FALSE;
  return owner_ ? S_OK : E_UNEXPECTED;
}

}  // namespace veneer
