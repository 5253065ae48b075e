#ifndef UI_RUNTIME_SHADOW_SETTINGS_H_
#define UI_RUNTIME_SHADOW_SETTINGS_H_

#include <windows.h>

#include <cstdint>

#include "ui/core/geometry.h"
#include "ui/core/ui_string.h"

namespace veneer {

class CShadowSettings;

// Told about every accepted change of a window's shadow settings; the drop-shadow window registers
// itself to redraw when its settings change.
class IShadowSettingsObserver {
 public:
  virtual ~IShadowSettingsObserver() = default;
  virtual void OnShadowSettingsChanged(const CShadowSettings& settings) = 0;
};

// What a window's drop shadow looks like, as the skin's Window attributes set it: an image mode (an
// image drawn as a nine-grid frame around the window) and a colour mode (a blurred outline of the
// given size, sharpness, darkness, colour and offset), and whether a shadow is shown at all. The
// setters refuse values out of range (false, nothing changed) and tell the observer about each
// accepted one.
//
// It holds settings only: it creates no window and draws nothing. Owned by the window's paint manager
// (GetShadow); the observer is not owned and must leave (SetObserver(nullptr)) before it goes. UI
// thread only.
class CShadowSettings {
 public:
  // The size and the offsets lie in -kMaxExtent..kMaxExtent, the sharpness in 0..kMaxExtent.
  static constexpr int kMaxExtent = 35;

  bool SetShadowSize(int size);
  bool SetShadowSharpness(int sharpness);
  bool SetShadowDarkness(int darkness);  // 0..255.
  // Both offsets or neither: refused when either is out of range.
  bool SetShadowPosition(int x, int y);
  void SetShadowColour(uint32_t colour);
  // An image name (not a draw string); refused when empty. Switches to the image mode.
  bool SetShadowImage(const wchar_t* image);
  // The image's nine-grid corners; refused when any is negative.
  bool SetShadowCorner(const RECT& corner);
  // Whether the window gets a shadow; the shadow window reads it when it is created.
  void ShowShadow(bool show);
  // Gives `target` this shadow's look through its setters: image, corner and size in the image mode;
  // size, sharpness, darkness, colour and position otherwise; then whether it shows.
  void CopySettings(CShadowSettings* target) const;

  int GetShadowSize() const { return size_; }
  int GetShadowSharpness() const { return sharpness_; }
  int GetShadowDarkness() const { return darkness_; }
  CUIPoint GetShadowPosition() const { return CUIPoint(x_offset_, y_offset_); }
  uint32_t GetShadowColour() const { return colour_; }
  const CUIString& GetShadowImage() const { return image_; }
  const CUIRect& GetShadowCorner() const { return corner_; }
  bool UsesImage() const { return use_image_; }
  bool IsShown() const { return show_; }

  // The one observer (null: none); a later one replaces it.
  void SetObserver(IShadowSettingsObserver* observer) { observer_ = observer; }

 private:
  void Changed();

  int8_t size_ = 0;
  uint8_t sharpness_ = 5;
  uint8_t darkness_ = 150;
  int8_t x_offset_ = 0;
  int8_t y_offset_ = 0;
  uint32_t colour_ = 0;
  CUIString image_;
  CUIRect corner_;
  bool use_image_ = false;
  bool show_ = false;
  IShadowSettingsObserver* observer_ = nullptr;
};

}  // namespace veneer

#endif  // UI_RUNTIME_SHADOW_SETTINGS_H_
