#ifndef UI_RENDER_RENDER_RESOURCES_H_
#define UI_RENDER_RENDER_RESOURCES_H_

#include <windows.h>

#include <cstdint>

#include "ui/render/font_style.h"

namespace veneer {

struct FontRecord;
struct ImageDescriptor;
struct ImageRecord;

// What drawing reads from the window it paints for: fonts by id, by handle and by face (registering
// style variants it lacks), images by name, the window's cached image descriptors, the default link and
// selection colours, the display scale, the last mouse position and how the window wants text drawn.
// The drawing operations take this instead of the paint manager, which implements it, so that they
// depend on nothing else of the manager. It hands out borrowed records that stay owned by the
// implementation's tables; callers never delete through it. UI thread only.
class IRenderResources {
 public:
  // Fonts. A negative or unknown id gives the default font.
  virtual HFONT GetFontHandle(int id) = 0;
  // The record for the id, or the default record; its metrics are measured.
  virtual FontRecord* GetFontRecord(int id) = 0;
  // The record holding `font`, or the default record; its metrics are measured.
  virtual FontRecord* GetFontRecordByHandle(HFONT font) = 0;
  // The first font with exactly this face, size and bold, underline and italic flags (strike-out is not
  // compared); null when none.
  virtual HFONT FindFontHandle(const wchar_t* face, int size, FontStyle style) = 0;
  // Creates a font and stores it under `id`, replacing a font of that id; null when nothing was stored.
  virtual HFONT RegisterFont(int id, const wchar_t* face, int size, FontStyle style, bool shared) = 0;
  // How many fonts the table that registrations go to holds (tagged text registers variants only
  // below a limit, so that no text can make a window's fonts grow without end).
  virtual int GetFontCount() const = 0;

  // Images: the stored image of that name, loaded and stored on first use; null when it cannot be had.
  virtual ImageRecord* FindOrLoadImage(const wchar_t* name, const wchar_t* resource_type, uint32_t mask,
                                       bool hsl_adjusted, HINSTANCE instance) = 0;
  // The parsed descriptor for the pair of texts (either may be null), cached; null when both are empty.
  virtual const ImageDescriptor* GetImageDescriptor(const wchar_t* descriptor, const wchar_t* modifier) = 0;

  // Default colours (0xAARRGGBB).
  virtual uint32_t GetDefaultLinkColour() const = 0;
  virtual uint32_t GetDefaultLinkHoverColour() const = 0;
  virtual uint32_t GetDefaultSelectedColour() const = 0;

  // A length in skin units scaled to device pixels.
  virtual int ScaleForDpi(int value) const = 0;
  // The last mouse position in client coordinates; (-1, -1) until the mouse has been seen.
  virtual POINT GetLastMousePoint() const = 0;
  // The window is a per-pixel-alpha layered window: images blend and text goes through GDI+.
  virtual bool IsLayered() const = 0;
  // Text goes through GDI+ with this rendering hint (0 = system default).
  virtual bool IsUsingGdiplusText() const = 0;
  virtual int GetTextRenderingHint() const = 0;

 protected:
  // Virtual so that an implementation deleted through its own type is destroyed whole.
  virtual ~IRenderResources() = default;
};

}  // namespace veneer

#endif  // UI_RENDER_RENDER_RESOURCES_H_
