#ifndef UI_CONTROLS_SHADOW_H_
#define UI_CONTROLS_SHADOW_H_

#include <windows.h>

#include "ui/core/geometry.h"
#include "ui/core/win_handles.h"
#include "ui/runtime/shadow_settings.h"
#include "ui/runtime/window_shadow.h"

namespace veneer {

class CPaintManagerUI;

// The drop shadow of a skinned top-level window: a click-through (WS_EX_LAYERED | WS_EX_TRANSPARENT),
// per-pixel-alpha popup of class "UmbraShadowWnd", owned by the window, drawn as the paint manager's
// CShadowSettings say (see ComposeShadowPicture) and kept in step with the window's place, size,
// visibility and z-order. To follow the window it subclasses it; a process-wide table maps each window
// to its shadow, and the subclass stays until the window or the shadow goes, whichever is first. Every
// accepted settings change redraws a visible shadow at once.
//
// It neither creates nor owns the window it shadows. Owned by the window's paint manager (InstallInto);
// it owns its shadow window. UI thread only.
class CShadowUI : public IWindowShadow, public IShadowSettingsObserver {
 public:
  static constexpr wchar_t kClassName[] = L"UmbraShadowWnd";

  // Gives the manager's window a drop shadow: the window base calls it when it creates its window,
  // before the skin is built. It replaces an earlier shadow of the manager.
  static void InstallInto(CPaintManagerUI* manager);
  // Registers the shadow window class with `instance`, once per process: later calls return false.
  static bool RegisterShadowClass(HINSTANCE instance);

  CShadowUI() = default;
  CShadowUI(const CShadowUI&) = delete;
  CShadowUI& operator=(const CShadowUI&) = delete;
  // Destroys the shadow window and, while the shadowed window lives on, stops following it.
  ~CShadowUI() override;

  // Nothing unless the settings show a shadow and the manager has a window that no other shadow
  // follows. Creates the shadow window, shown and drawn at once when the window is visible and neither
  // minimised nor maximised, and subclasses the window. Once created, later calls change nothing.
  void CreateShadow(CPaintManagerUI* manager) override;
  // Redraws the shadow when it is shown.
  void RefreshShadow() override;
  void OnShadowSettingsChanged(const CShadowSettings& settings) override;

  // The shadow window; null before creation and after the shadowed window was destroyed.
  HWND GetShadowWindow() const { return window_.get(); }

 private:
  enum StatusBits : unsigned { kEnabled = 0x1, kVisible = 0x2, kParentVisible = 0x4 };

  static LRESULT CALLBACK ParentProcedure(HWND parent, UINT message, WPARAM wparam, LPARAM lparam);
  void HandleParentMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnParentSize(WPARAM kind, LPARAM size);
  void OnParentShown(bool shown);
  // Stops following the parent: its window procedure is given back (or, when a later subclass sits on
  // top of ours, its messages pass through untouched until it is destroyed).
  void StopFollowing();
  const CShadowSettings& Settings() const;
  bool IsParentMinimisedOrMaximised() const;
  // Draws the shadow for the parent's current frame and moves the shadow window there.
  void Draw();
  // Shows the shadow window without activating it, freshly drawn; nothing when no shadow is wanted.
  void Reveal();
  void Conceal();
  void MoveToParent();
  void PutBehindParent();

  CPaintManagerUI* manager_ = nullptr;  // Set at creation; owns this object.
  HWND parent_ = nullptr;               // The followed window; not owned.
  ScopedHandle<HWND, &DestroyWindow> window_;
  unsigned status_ = 0;
  CUISize last_parent_size_;  // Client size at the last restored (not minimised or maximised) size.
  bool update_pending_ = false;
};

}  // namespace veneer

#endif  // UI_CONTROLS_SHADOW_H_
