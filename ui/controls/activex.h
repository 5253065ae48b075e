#ifndef UI_CONTROLS_ACTIVEX_H_
#define UI_CONTROLS_ACTIVEX_H_

#include <windows.h>

#include <ole2.h>
#include <ocidl.h>

#include "ui/controls/activex_host_window.h"
#include "ui/controls/activex_site.h"
#include "ui/core/com_ptr.h"
#include "ui/core/ui_string.h"
#include "ui/core/win_handles.h"
#include "ui/runtime/control.h"

namespace veneer {

// A length in device pixels as HIMETRIC units (hundredths of a millimetre) at `pixels_per_inch`,
// rounded to the nearest unit; 0 for a resolution that is not positive.
int PixelsToHimetric(int pixels, int pixels_per_inch);

// How a hosted object is created: at once, or at the control's first placement.
enum class CreateTiming { kAtOnce, kAtFirstPlace };

// A control whose rectangle holds a COM control (an ActiveX object) of a given class id, loaded from a
// given DLL ("modulename") or the system registry. The object activates in place in a native host
// window over the control's bounds, which follows the control's visibility and placement; the object
// paints its own window, so the control paints none of its layers.
//
// Creation waits for a paint manager with a window; it happens when the skin's attributes ask for it
// ("delaycreate" false) or at the first placement, and once only: a failed creation leaves no object
// and is not retried until ReleaseControl. Releasing clears the object's client site, closes the
// object and lets go of it; the site object (ActiveXSite) is detached first so that an object that
// outlives the control cannot reach it. It does not offer windowless activation.
//
// Owned like any control; the object, the site reference, the host window and the loaded module are
// owned by it. UI thread (single-threaded apartment) only.
class CActiveXUI : public CControlUI {
 public:
  CActiveXUI();
  ~CActiveXUI() override;

  const wchar_t* GetClassName() const override;
  void* FindInterface(const wchar_t* name) override;
  // "clsid" (class id text), "modulename", "delaycreate" ("true" or other); names and the value "true"
  // exact. Others go to the control base.
  void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
  // The base placement, creation when not yet attempted, then the object's extent and rectangles and
  // the host window's position.
  void Place(const RECT& rect, bool invalidate) override;
  // Nothing: a windowed object paints its own host window. Always true.
  bool PaintLayers(HDC dc, const RECT& paint_area, CControlUI* stop_control) override;
  void SetVisible(bool visible) override;
  void SetParentVisible(bool visible) override;
  // Creates the object when it is not to wait for its first placement.
  void InitializeSelf() override;

  const CLSID& GetClassId() const { return class_id_; }
  void SetClassId(const CLSID& class_id) { class_id_ = class_id; }
  // False, and the class id unchanged, when the text is no class id ("{...}").
  bool SetClassIdText(const wchar_t* text);
  const CUIString& GetModuleName() const { return module_name_; }
  // A full path: a relative one would be looked for in folders others may write to, and is not loaded.
  void SetModuleName(const wchar_t* path);
  CreateTiming GetCreateTiming() const { return create_timing_; }
  // Changing to kAtOnce creates the object at once when no creation was attempted and a class id is set.
  void SetCreateTiming(CreateTiming timing);

  // Whether creation was attempted since the last release (successful or not).
  bool IsCreationAttempted() const { return creation_attempted_; }
  bool HasObject() const { return static_cast<bool>(object_); }
  HWND GetHostWindow() const { return host_window_.get(); }
  // An interface of the object; E_UNEXPECTED without one.
  HRESULT QueryObject(REFIID riid, void** out) const;

  // Releases any object, then creates one. False, with no object, when there is no window to host it
  // in yet (not counted as an attempt) or when any step failed (counted).
  virtual bool CreateControl();
  // Lets go of the object and its site; the next placement or CreateControl tries again.
  virtual void ReleaseControl();

 protected:
  // A new site for the object, with one reference for the caller. Derived controls give a site of
  // their own that adds interfaces.
  virtual ActiveXSite* CreateSite();
  ActiveXSite* GetSite() const { return site_.get(); }

 private:
  // The instance (as IOleControl) from the module's class factory, or from the registry; false when
  // neither gave one.
  bool CreateInstance(void** control);
  bool CreateInstanceFromModule(void** control);
  // The steps after the instance: client site, initialisation, in-place activation.
  bool ActivateObject(IOleControl* control, HWND parent);
  void ReleaseObject();
  // Frees the loaded module unless it still has objects alive.
  void UnloadModule();
  // Creates the object when "delaycreate" asks for it at once and nothing was attempted yet.
  void CreateIfWantedAtOnce();
  void PlaceObject();
  void ShowHostWindow(bool show);

  CLSID class_id_ = {};
  CUIString module_name_;
  CreateTiming create_timing_ = CreateTiming::kAtFirstPlace;
  bool creation_attempted_ = false;
  ScopedModule module_;  // Declared first: freed after everything made from it.
  ComPtr<ActiveXSite> site_;
  ComPtr<IOleObject> object_;
  ComPtr<IOleInPlaceObject> in_place_;
  ScopedHostWindow host_window_;
};

}  // namespace veneer

#endif  // UI_CONTROLS_ACTIVEX_H_
