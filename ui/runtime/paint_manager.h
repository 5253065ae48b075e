#ifndef UI_RUNTIME_PAINT_MANAGER_H_
#define UI_RUNTIME_PAINT_MANAGER_H_

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ui/core/pointer_array.h"
#include "ui/core/ui_string.h"
#include "ui/core/win_handles.h"
#include "ui/render/font_record.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/image_record.h"
#include "ui/render/display_scale.h"
#include "ui/render/render_resources.h"
#include "ui/runtime/control_event.h"
#include "ui/runtime/image_descriptor_cache.h"
#include "ui/runtime/owned_value_map.h"
#include "ui/runtime/resource_tables.h"

namespace veneer {

class CControlUI;

// The window message that runs the work left until the current message has been handled: destroying
// the controls handed to AddDelayedCleanup.
constexpr UINT kDelayedWorkMessage = 0x8001;

// The process-wide hue/saturation/lightness adjustment of skin images and colours. Hue in degrees
// (180 neutral), saturation and lightness in percent (100 neutral); applied only while `active`.
struct HslAdjustment {
  int hue;
  int saturation;
  int lightness;
  bool active;
};

// The per-window engine of the UI framework. This part holds the window's drawing context, its display
// scale, its parsed-descriptor cache and the registry of named skin resources: fonts, images, default
// attribute lists, styles, option groups and default colours, each in a per-window table in front of a
// process-wide shared table (lookups try the window's table first; registrations go to the window's table
// unless they ask for the shared one). Towards its controls it keeps the focus, collects invalidated
// areas, notes that a layout is due and delivers notifications to the sender's notify listeners. It does
// not yet route window messages, paint, lay out, keep timers, or queue notifications. Constructed by the
// window that it serves (or by tests, without a window); it owns its tables, the records and fonts in them,
// its descriptor cache and the drawing context it takes from its window, never the controls it points to.
// The shared tables live until the process ends. It is the drawing operations' IRenderResources. UI thread
// only.
class CPaintManagerUI : public IRenderResources {
 public:
  CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;
  ~CPaintManagerUI() override;

  // Attaches the manager to `window` under `name`: empties the window's resource tables and option groups
  // (so a skin is always built into empty tables) and, for a new window, releases the previous window's
  // drawing context and takes the new one's (GetDC).
  void AttachToWindow(HWND window, const wchar_t* name);
  HWND GetWindowHandle() const { return window_; }
  HDC GetPaintContext() const { return paint_dc_.get(); }
  const CUIString& GetName() const { return name_; }

  // For now the flag only; the window's layered output comes with the painting side.
  void SetLayered(bool layered) { layered_ = layered; }
  bool IsLayered() const override { return layered_; }
  void SetUseGdiplusText(bool use) { use_gdiplus_text_ = use; }
  bool IsUsingGdiplusText() const override { return use_gdiplus_text_; }
  // GDI+ text rendering hint (0 = system default).
  void SetTextRenderingHint(int hint) { text_rendering_hint_ = hint; }
  int GetTextRenderingHint() const override { return text_rendering_hint_; }
  // The last mouse position in client coordinates; (-1, -1) until the mouse has been seen.
  POINT GetLastMousePoint() const override { return last_mouse_point_; }

  // Invalidates `area` of the window (without erasing) and adds it to the dirty area. Negative left and
  // top become 0; inverted right and bottom edges are pulled back to left and top.
  void InvalidateArea(const RECT& area);
  // The union of the areas invalidated so far (the layered output repaints it).
  const CUIRect& GetDirtyArea() const { return dirty_area_; }
  // A layout pass is due at the next paint.
  void MarkLayoutNeeded() { layout_needed_ = true; }
  bool IsLayoutNeeded() const { return layout_needed_; }

  // Attaches `control` and its subtree to this manager under `parent` (or, when null, the control's own
  // parent), initialising every control that has a parent.
  void AdoptControls(CControlUI* control, CControlUI* parent);
  // Takes over a control that left its container: detaches it from its parent and keeps it until the
  // delayed-work message (posted here) or the manager's destruction destroys it.
  void AddDelayedCleanup(CControlUI* control);
  // Controls whose PaintAfterChildren runs after the whole tree is painted; not owned. A control is
  // listed once however often it is added; a forgotten control leaves the list.
  void AddPaintAfterChildren(CControlUI* control);
  void RemovePaintAfterChildren(CControlUI* control);

  CControlUI* GetFocusedControl() const { return focus_; }
  // Moves the focus to `control` (null clears it): the window takes the native focus when it lacks it;
  // the old focus gets FocusLost (its sender is the new control) and "killfocus"; a control of this
  // manager that is visible and enabled becomes the focus, gets FocusGained and "setfocus".
  void FocusControl(CControlUI* control);
  // Moves the focus to the next (forward) or previous tab stop. A forward move while a layout is pending
  // waits for that layout: the focus is marked as needed and the window invalidated. Tab stops are
  // searched from the root control, which this manager does not hold yet.
  void SetNextTabControl(bool forward);
  // Drops every reference to a control that is being destroyed or leaves this manager.
  void ForgetControl(CControlUI* control);
  // Delivers the notification at once to the sender's notify listeners, queued or not.
  void SendNotify(CControlUI* control, const wchar_t* type, WPARAM wparam = 0, LPARAM lparam = 0,
                  bool queued = false);
  // Some control has a virtual window name: notifications carry their sender's from now on.
  void SetUsesVirtualWindows() { uses_virtual_windows_ = true; }
  bool UsesVirtualWindows() const { return uses_virtual_windows_; }

  CDisplayScale* GetDisplayScale() { return &display_scale_; }
  int ScaleForDpi(int value) const override { return display_scale_.ScaleForDpi(value); }

  // The window's parsed descriptor for the pair of texts (null counts as empty), parsed at the current
  // display scale on first use and cached per pair of texts; null when both are empty. The cache is
  // bounded (CImageDescriptorCache): a record stays valid until 1024 other pairs have been looked up
  // since its own last lookup, which no single drawing call comes near; a pair forgotten by then is
  // parsed again when it is next asked for.
  const ImageDescriptor* GetImageDescriptor(const wchar_t* descriptor, const wchar_t* modifier) override;

  // Fonts. Ids are keys in decimal; a negative or unregistered id means the default font.
  // Creates the font at the current display scale and stores it under `id` in the shared table (with
  // `shared` or SetUseSharedTables) or the window's, replacing (and deleting) a font of the same id there.
  // Returns the font handle, owned by the table, or null when nothing was registered.
  HFONT RegisterFont(int id, const wchar_t* face, int size, FontStyle style, bool shared) override;
  // Replaces the window's (or with `shared`, the process's) default font; false when the font cannot be
  // created (the previous default stays).
  bool MakeDefaultFont(int id, const wchar_t* face, int size, FontStyle style, bool shared);
  HFONT GetFontHandle(int id) override;
  // The record for the id (window, then shared) or the default record; metrics measured if still empty.
  FontRecord* GetFontRecord(int id) override;
  // The record holding `font` (window, then shared) or the default record; metrics measured if empty.
  FontRecord* GetFontRecordByHandle(HFONT font) override;
  // The first font (window, then shared) with exactly this face, size and bold, underline and italic
  // flags (strike-out is not compared); null when none. A face longer than the platform keeps (31
  // characters) matches the font registered under it, which stores only its first 31 characters.
  HFONT FindFontHandle(const wchar_t* face, int size, FontStyle style) override;
  // The number of fonts in the table that this window's registrations go to: its own, or the shared one
  // under SetUseSharedTables.
  int GetFontCount() const override;
  // The window's default font when it has one, else the process's; metrics measured if still empty.
  FontRecord* GetDefaultFontRecord();
  void RemoveAllFonts(bool shared);
  // Makes the fonts in a skin file (archive entry, file, or plain path) available to this process until
  // the manager is destroyed. False when the file cannot be read or holds no font.
  bool ImportFontFile(const wchar_t* file_name);

  // Images. Loads the image (a file or archive entry with an empty type; with a type, the module resource
  // whose numeric id the name starts with) and stores it under `name`, replacing a previous image of that
  // name in the target table. Returns the stored record, or null when nothing was registered.
  ImageRecord* RegisterSkinImage(const wchar_t* name, const wchar_t* resource_type, uint32_t mask,
                                 bool hsl_adjusted, bool shared, HINSTANCE instance);
  ImageRecord* FindImage(const wchar_t* name);
  // FindImage, else RegisterSkinImage into the window's table (unless it uses the shared tables).
  ImageRecord* FindOrLoadImage(const wchar_t* name, const wchar_t* resource_type, uint32_t mask,
                               bool hsl_adjusted, HINSTANCE instance) override;
  void RemoveImage(const wchar_t* name, bool shared);
  void RemoveAllImages(bool shared);

  // Default attribute lists: a later registration of the same element name replaces the earlier one.
  // Returned texts stay valid until their entry is replaced or removed.
  void RegisterDefaultAttributes(const wchar_t* element_name, const wchar_t* attribute_list, bool shared);
  const wchar_t* FindDefaultAttributes(const wchar_t* element_name);
  void RemoveAllDefaultAttributes(bool shared);
  // Styles: the first registration of a name stays; false when the name was already taken.
  bool RegisterStyle(const wchar_t* name, const wchar_t* attribute_list, bool shared);
  const wchar_t* FindStyle(const wchar_t* name);
  void RemoveAllStyles(bool shared);

  // Option groups (per window only); the options are not owned. Joining fails for a null option and for
  // one already in the group; a group is created on first use and deleted when emptied.
  bool JoinOptionGroup(const wchar_t* group_name, CControlUI* option);
  const CPointerArray* GetOptionGroup(const wchar_t* group_name);
  void LeaveOptionGroup(const wchar_t* group_name, CControlUI* option);
  void RemoveAllOptionGroups();

  // Default colours (0xAARRGGBB); the getters return the window's values. A shared setting also changes
  // the window's value when it still equals the previous shared value.
  void SetDefaultDisabledColour(uint32_t colour, bool shared);
  void SetDefaultFontColour(uint32_t colour, bool shared);
  void SetDefaultLinkColour(uint32_t colour, bool shared);
  void SetDefaultLinkHoverColour(uint32_t colour, bool shared);
  void SetDefaultSelectedColour(uint32_t colour, bool shared);
  uint32_t GetDefaultDisabledColour() const { return tables_.colours[kDisabledTextColour]; }
  uint32_t GetDefaultFontColour() const { return tables_.colours[kTextColour]; }
  uint32_t GetDefaultLinkColour() const override { return tables_.colours[kLinkTextColour]; }
  uint32_t GetDefaultLinkHoverColour() const override { return tables_.colours[kLinkHoverTextColour]; }
  uint32_t GetDefaultSelectedColour() const override { return tables_.colours[kSelectedBackgroundColour]; }

  // Sends every registration of this window to the shared tables (pop-up windows of some controls).
  void SetUseSharedTables(bool use) { use_shared_tables_ = use; }
  static HslAdjustment GetHslAdjustment();

 private:
  static CResourceTables& SharedTables();
  static void InitSharedResources();

  // The tables a clearing call names: the shared ones with `shared`, else this window's.
  CResourceTables& TablesFor(bool shared);
  // Where a registration goes: the shared tables with `shared` or SetUseSharedTables, else this window's.
  CResourceTables& TargetTables(bool shared);
  // Looks `key` up in this window's table, then in the shared one.
  template <typename T>
  T* FindInTables(COwnedValueMap<T> CResourceTables::*table, const wchar_t* key) {
    T* value = (tables_.*table).Find(key);
    return value ? value : (SharedTables().*table).Find(key);
  }
  void SetDefaultColour(DefaultColour which, uint32_t colour, bool shared);
  // An event for `kind` at this moment: tick count, last mouse position, key and button state.
  EventRecord MakeEvent(EventKind kind, CControlUI* sender) const;
  FontRecord* WithMetrics(FontRecord* record);
  void RemoveWindowTables();
  void ReleaseImportedFonts();

  HWND window_ = nullptr;    // The attached window; not owned.
  ScopedWindowDC paint_dc_;  // The window's client context.

  // The controls' side; no control is owned.
  CControlUI* focus_ = nullptr;
  // The control a running FocusControl is about to focus; cleared when that control is forgotten.
  CControlUI* focus_candidate_ = nullptr;
  CUIRect dirty_area_;
  bool layout_needed_ = false;
  bool focus_needed_ = false;
  std::vector<std::unique_ptr<CControlUI>> delayed_cleanup_;  // Owned until the delayed work runs.
  std::vector<CControlUI*> paint_after_children_;
  bool uses_virtual_windows_ = false;

  CUIString name_;
  POINT last_mouse_point_ = {-1, -1};
  bool layered_ = false;
  bool use_gdiplus_text_ = false;
  int text_rendering_hint_ = 0;
  bool use_shared_tables_ = false;
  CDisplayScale display_scale_;
  CResourceTables tables_;                       // This window's tables and defaults.
  CImageDescriptorCache descriptors_;            // Parsed descriptors by pair of texts.
  COwnedValueMap<CPointerArray> option_groups_;  // Lists of unowned options.
  std::vector<ScopedFontMemResource> imported_fonts_;
};

}  // namespace veneer

#endif  // UI_RUNTIME_PAINT_MANAGER_H_
