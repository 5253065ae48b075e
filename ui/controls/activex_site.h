#ifndef UI_CONTROLS_ACTIVEX_SITE_H_
#define UI_CONTROLS_ACTIVEX_SITE_H_

#include <windows.h>

#include <ole2.h>
#include <ocidl.h>

namespace veneer {

class CActiveXUI;

// The container side that a COM control hosted by a CActiveXUI talks to: its client site, its in-place
// site and the in-place frame, all in one reference-counted COM object. The object activates in place
// inside the control's host window (CActiveXUI::GetHostWindow), with its rectangle at the window's
// origin. It offers no windowless site, no menus, no border space and no undo.
//
// The control creates it and holds one reference; the hosted object holds others for as long as it
// wants. The control calls Detach before it lets go, so that a site kept alive by the object (or by
// anyone it handed the site on to) never reaches a control that is gone: a detached site answers
// E_UNEXPECTED where it would need the control. Derived sites add the interfaces of a particular kind
// of control and share this object's reference count. UI thread (single-threaded apartment) only.
// COM interfaces have no virtual destructor by design: a COM object is only ever deleted by its own
// Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ActiveXSite : public IOleClientSite, public IOleInPlaceSiteEx, public IOleInPlaceFrame {
 public:
  // One reference, the creator's.
  explicit ActiveXSite(CActiveXUI* owner) : owner_(owner) {}
  ActiveXSite(const ActiveXSite&) = delete;
  ActiveXSite& operator=(const ActiveXSite&) = delete;

  // Forgets the control; every later call that would need it fails.
  virtual void Detach() { owner_ = nullptr; }

  STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for the in-place site and the frame: the host window.
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return S_OK; }

  // IOleInPlaceSite and IOleInPlaceSiteEx
  STDMETHODIMP CanInPlaceActivate() override { return owner_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO frame_info) override;
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
  STDMETHODIMP OnInPlaceActivateEx(BOOL* no_redraw, DWORD) override;
  STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { return S_OK; }
  STDMETHODIMP RequestUIActivate() override { return owner_ ? S_OK : S_FALSE; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: no tool space, menus or status line.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 protected:
  virtual ~ActiveXSite() = default;
  // The interface of this object that `riid` names, or null; derived sites add theirs and pass the rest
  // on. Adds no reference.
  virtual void* FindSiteInterface(REFIID riid);

 private:
  CActiveXUI* owner_;  // Not owned; null once detached.
  ULONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace veneer

#endif  // UI_CONTROLS_ACTIVEX_SITE_H_
