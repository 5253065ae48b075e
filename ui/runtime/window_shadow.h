#ifndef UI_RUNTIME_WINDOW_SHADOW_H_
#define UI_RUNTIME_WINDOW_SHADOW_H_

namespace veneer {

class CPaintManagerUI;

// A window's drop shadow as its paint manager sees it: the few calls the manager makes, so that the
// manager can drive a shadow window drawn by a higher layer. The shadow reads its look from the manager's
// CShadowSettings (GetShadow). Implementations own the shadow window; the manager owns the
// implementation (SetWindowShadow) and destroys it with itself. UI thread only.
class IWindowShadow {
 public:
  virtual ~IWindowShadow() = default;
  // Creates the shadow window for the manager's window when the settings ask for a shadow. Called when
  // the root is set and again after the first layout; once a shadow window exists, later calls change
  // nothing.
  virtual void CreateShadow(CPaintManagerUI* manager) = 0;
  // Redraws an existing, visible shadow for the window's current size and place.
  virtual void RefreshShadow() = 0;
};

}  // namespace veneer

#endif  // UI_RUNTIME_WINDOW_SHADOW_H_
