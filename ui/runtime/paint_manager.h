#ifndef UI_RUNTIME_PAINT_MANAGER_H_
#define UI_RUNTIME_PAINT_MANAGER_H_

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "ui/core/geometry.h"
#include "ui/core/pointer_array.h"
#include "ui/core/string_keyed_map.h"
#include "ui/core/ui_string.h"
#include "ui/core/walkable_list.h"
#include "ui/core/win_handles.h"
#include "ui/render/font_record.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/image_record.h"
#include "ui/render/display_scale.h"
#include "ui/render/render_resources.h"
#include "ui/runtime/control_event.h"
#include "ui/runtime/control_timers.h"
#include "ui/runtime/image_descriptor_cache.h"
#include "ui/runtime/message_filter_ui.h"
#include "ui/runtime/notify_record.h"
#include "ui/runtime/notify_ui.h"
#include "ui/runtime/owned_value_map.h"
#include "ui/runtime/resource_tables.h"
#include "ui/runtime/shadow_settings.h"
#include "ui/runtime/translate_accelerator.h"
#include "ui/runtime/window_shadow.h"

namespace veneer {

class CControlUI;

// The process-wide hue/saturation/lightness adjustment of skin images and colours. Hue in degrees
// (180 neutral), saturation and lightness in percent (100 neutral); applied only while `active`.
struct HslAdjustment {
  int hue;
  int saturation;
  int lightness;
  bool active;
};

// Native message used for work that waits until the current message has been handled: queued
// notifications and delayed destruction of removed controls.
constexpr UINT kDeliveryMessage = 0x8001;

// The per-window engine of the UI framework. It owns the window's control tree (the root) and maps
// control names to controls; it turns the window's messages into control events (mouse with capture and
// hover, keyboard to the focus, Tab and Alt shortcuts, timers, cursor requests, tool tips), lays the tree
// out when something marked it dirty, paints it double-buffered (or into a per-pixel-alpha layered
// window), and delivers notifications to the sender's notify listeners and the window's INotifyUI
// listeners, at once or through kDeliveryMessage. It also holds the window's drawing context, display
// scale, parsed-descriptor cache and named skin resources (fonts, images, default attribute lists,
// styles, option groups, default colours), each in a per-window table in front of a process-wide shared
// table, and it is the drawing operations' IRenderResources. All live managers are on a process-wide
// list that the message loop (MessageLoop, PreTranslateMessage) consults before dispatching.
//
// Handlers may open nested message loops, destroy controls (the sender included) or the whole window and
// manager, and change any list the manager is walking: after every call out of the manager (control
// events, notifications, filters, platform calls that send messages back) it re-reads its pointers
// instead of trusting local copies, and returns at once when it was destroyed meanwhile. Removed controls
// are destroyed through kDeliveryMessage only while no call out is in progress. It keeps the settings of
// the window's drop shadow and drives the shadow window installed with SetWindowShadow, but does not draw
// the shadow itself, and it does not run OLE drag and drop.
//
// Constructed by the window it serves (or by tests, without a window) before the native window exists.
// It owns the root control and the controls awaiting delayed destruction, its tables and the records and
// fonts in them, its timers, queued notifications, tool tip window, off-screen bitmaps, shadow and the
// drawing context it takes from its window; never its listeners or filters. UI thread only.
class CPaintManagerUI : public IRenderResources {
 public:
  CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;
  ~CPaintManagerUI() override;

  // Attaches the manager to `window` under `name`: empties the name map, the window's resource tables,
  // option groups and timers (so a skin is always built into empty tables) and, for a new window, gives
  // back the previous window's drawing context, takes the new one's (GetDC) and joins the process-wide
  // list of managers.
  void AttachToWindow(HWND window, const wchar_t* name);
  HWND GetWindowHandle() const { return window_; }
  HDC GetPaintContext() const { return paint_dc_.get(); }
  const CUIString& GetName() const { return name_; }

  // The control tree -----------------------------------------------------------------------------------

  // Takes ownership of `root` (null: no tree) as the window's tree: the focus is cleared (with its
  // events), the hover, pressed and key-target controls are forgotten, the old tree goes to delayed
  // destruction, the name map is rebuilt from the new tree, whose controls are attached and initialised,
  // and the next paint lays it out, sends "windowinit" and moves the focus to the first tab stop. The
  // current root given again changes nothing.
  void SetRoot(CControlUI* root);
  CControlUI* GetRoot() const;
  // Attaches `control` and its subtree to this manager under `parent` (its current parent when null),
  // initialising each control, then enters every named control of the subtree into the name map,
  // replacing an earlier control of the same name.
  void AdoptControls(CControlUI* control, CControlUI* parent);
  // The control that the name map holds for the name (exact letter case); null when none.
  CControlUI* FindControlByName(const wchar_t* name);
  // The topmost (last added) visible, mouse-enabled control whose bounds hold the point (client
  // coordinates); null when none. It may belong to another manager.
  CControlUI* FindControlAt(POINT point);

  // Layout and painting --------------------------------------------------------------------------------

  // Invalidates `area` of the window (without erasing) and adds it to the dirty area. Negative left and
  // top become 0; inverted right and bottom edges are pulled back to left and top.
  void InvalidateArea(const RECT& area);
  // Invalidates the whole client area.
  void InvalidateAll();
  // The union of the areas invalidated since the last layered paint.
  const CUIRect& GetDirtyArea() const { return dirty_area_; }
  // A layout pass is due at the next paint.
  void MarkLayoutNeeded() { layout_needed_ = true; }
  bool IsLayoutNeeded() const { return layout_needed_; }

  // Makes the window a per-pixel-alpha layered window (or a plain one again): its content is painted
  // off-screen with alpha and handed to UpdateLayeredWindow. Ignored without a window, for a child
  // window, or for an unchanged value.
  void SetLayered(bool layered);
  bool IsLayered() const override { return layered_; }
  // An image draw string whose alpha shapes the layered window: every painted pixel's colour and alpha
  // are multiplied by the image's alpha at that place. Empty: pixels that the platform drew without
  // alpha (text, lines) are made opaque instead.
  void SetLayeredImage(const wchar_t* image);
  const CUIString& GetLayeredImage() const { return layered_image_; }
  // The constant opacity (0 to 255, clamped) of the layered window's output.
  void SetLayeredOpacity(int opacity);
  // The whole window's opacity (0 to 255, clamped): a layered window takes it as SetLayeredOpacity, any
  // other window through the platform's layered attributes.
  void SetWindowOpacity(int opacity);
  int GetOpacity() const { return opacity_; }
  // Controls whose PaintAfterChildren runs after the whole tree has been painted; false when already
  // registered (or not registered, for Remove).
  bool AddPaintAfterChildren(CControlUI* control);
  bool RemovePaintAfterChildren(CControlUI* control);

  CDisplayScale* GetDisplayScale() { return &display_scale_; }
  int ScaleForDpi(int value) const override { return display_scale_.ScaleForDpi(value); }

  // Focus and input ------------------------------------------------------------------------------------

  CControlUI* GetFocusedControl() const { return focus_; }
  // Moves the focus to `control` (null clears it): the window takes the native focus when it lacks it;
  // the old focus gets FocusLost (its sender is the new control) and "killfocus"; a control of this
  // manager that is visible and enabled becomes the focus, gets FocusGained and "setfocus". A handler
  // that moves the focus again wins over the move in progress.
  void FocusControl(CControlUI* control);
  // Takes the native focus and clears the control focus now; once the tree has been laid out, the first
  // tab stop after `control` takes the focus.
  void SetFocusNeeded(CControlUI* control);
  // Moves the focus to the next tab stop (visible, enabled and keyboard-enabled controls that are
  // kBehaviourTabStop) after the focus, or forward from the first, wrapping; backwards the same way.
  // Forward while a layout is due, only notes that the focus must move after the next layout.
  void SetNextTabControl(bool forward);
  void CaptureMouse();
  void ReleaseMouse();
  bool IsCaptured() const { return captured_; }
  // The last mouse position in client coordinates; (-1, -1) until the mouse has been seen.
  POINT GetLastMousePoint() const override { return last_mouse_point_; }

  // Timers: a control's timer fires as a Timer event (wParam: the control's timer id) until killed.
  // Setting a running pair fails; a killed pair restarts under its old native id.
  bool SetControlTimer(CControlUI* control, UINT_PTR id, UINT elapse_ms);
  bool KillControlTimer(CControlUI* control, UINT_PTR id);
  void KillControlTimers(CControlUI* control);
  void RemoveAllTimers();
  // The pair's timer record (running or killed); null when none.
  const CControlTimers::Record* FindControlTimer(const CControlUI* control, UINT_PTR id) const;

  // Notifications and listeners ------------------------------------------------------------------------

  // Sends a notification about `control` (which may be null) stamped with the tick count, the last mouse
  // point and, while virtual windows are in use, the sender's virtual window name. Immediate: the
  // sender's notify listeners, then the window's listeners in the order they were added. Queued: a copy
  // is delivered so after the current message has been handled (kDeliveryMessage); its sender is null
  // when the control is destroyed before then.
  void SendNotify(CControlUI* control, const wchar_t* type, WPARAM wparam = 0, LPARAM lparam = 0,
                  bool queued = false);
  void SendNotify(const NotifyRecord& record, bool queued);
  // Some control has a virtual window name: notifications carry their sender's from now on.
  void SetUsesVirtualWindows() { uses_virtual_windows_ = true; }
  bool UsesVirtualWindows() const { return uses_virtual_windows_; }
  // Listener and filter lists. Adding one already present (or null) and removing one absent give false.
  // Any of them may be changed by the listeners while the manager walks it.
  bool AddNotifier(INotifyUI* notifier);
  bool RemoveNotifier(INotifyUI* notifier);
  bool AddMessageFilter(IMessageFilterUI* filter);
  bool RemoveMessageFilter(IMessageFilterUI* filter);
  bool AddPreMessageFilter(IMessageFilterUI* filter);
  bool RemovePreMessageFilter(IMessageFilterUI* filter);
  bool AddTranslateAccelerator(ITranslateAccelerator* translator);
  bool RemoveTranslateAccelerator(ITranslateAccelerator* translator);

  // Life cycle and messages ----------------------------------------------------------------------------

  // Takes ownership of a control removed from its container and detaches it from its parent; it is
  // destroyed after the current message, once no call out of the manager is in progress. The root and
  // a control already waiting are refused.
  void AddDelayedCleanup(CControlUI* control);
  // Drops every reference to a control that is being destroyed or leaves this manager: focus, hover,
  // pressed and key-target control, its timers, its name-map entries (under any name), its place among
  // the controls painted after the tree, and the sender of notifications queued or being delivered.
  void ForgetControl(CControlUI* control);
  // The window's messages (called by its window procedure). True when the message was handled, with
  // *result its result. No exception leaves it.
  bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // Queued keyboard messages before they are translated: pre-message filters, Tab navigation, Alt
  // shortcuts. True when the message was consumed.
  bool PreMessageHandler(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // The accelerator translators in turn; true when one consumed the message.
  bool RunAccelerators(const MSG& message);
  // Offers a queued message to the managers of its window (accelerators, then PreMessageHandler); for a
  // child window, to the manager of every window it lies in. True when consumed. No exception leaves it.
  static bool PreTranslateMessage(const MSG& message);
  // The process's message loop: until WM_QUIT, each message goes to PreTranslateMessage and, unless
  // consumed, is translated and dispatched; an exception thrown while dispatching is swallowed.
  static void MessageLoop();

  // Window settings of the skin (used by the window base) --------------------------------------------

  // Stores the size and, before a root exists, resizes the window without moving or activating it.
  void SetInitialSize(int cx, int cy);
  const CUISize& GetInitialSize() const { return initial_size_; }
  // The caption (left, top, right and bottom insets; a bottom of -1 means the whole height).
  void SetCaptionArea(const RECT& area) { caption_area_ = area; }
  const CUIRect& GetCaptionArea() const { return caption_area_; }
  // The resize border widths (left, top, right, bottom).
  void SetResizeBorder(const RECT& border) { resize_border_ = border; }
  const CUIRect& GetResizeBorder() const { return resize_border_; }
  void SetRoundCorner(int cx, int cy) { round_corner_ = CUISize(cx, cy); }
  const CUISize& GetRoundCorner() const { return round_corner_; }
  // Tracking limits for WM_GETMINMAXINFO; a component of 0 or less sets nothing.
  void SetMinTrackSize(int cx, int cy) { min_track_size_ = CUISize(cx, cy); }
  const CUISize& GetMinTrackSize() const { return min_track_size_; }
  void SetMaxTrackSize(int cx, int cy) { max_track_size_ = CUISize(cx, cy); }
  const CUISize& GetMaxTrackSize() const { return max_track_size_; }
  // Outlines every repainted area of a plain (not layered) window in red.
  void SetShowDirtyRects(bool show) { show_dirty_rects_ = show; }
  // Clicks do not take the native focus.
  void SetNoActivate(bool no_activate) { no_activate_ = no_activate; }
  bool IsNoActivate() const { return no_activate_; }
  // How long the mouse rests before a tool tip shows, in milliseconds.
  void SetTooltipHoverTime(int ms) { hover_time_ = ms; }
  int GetTooltipHoverTime() const { return hover_time_; }
  void SetUseGdiplusText(bool use) { use_gdiplus_text_ = use; }
  bool IsUsingGdiplusText() const override { return use_gdiplus_text_; }
  // GDI+ text rendering hint (0 = system default).
  void SetTextRenderingHint(int hint) { text_rendering_hint_ = hint; }
  int GetTextRenderingHint() const override { return text_rendering_hint_; }
  // The look of the window's drop shadow, owned by the manager.
  CShadowSettings* GetShadow() { return &shadow_; }
  // The window's drop shadow window, owned by the manager from now on (null: none; a previous one is
  // destroyed). Installed by whoever creates the window, before the skin's root is set: the manager
  // creates the shadow window when the root is set and after the first layout.
  void SetWindowShadow(std::unique_ptr<IWindowShadow> shadow);
  IWindowShadow* GetWindowShadow() const { return window_shadow_.get(); }
  // Redraws the drop shadow for the window's current size and place, when there is one (after the window
  // was maximised or restored).
  void RefreshShadow();

  // Resources ------------------------------------------------------------------------------------------

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
  // A call out of the manager into code that may change anything (control events, notifications,
  // filters, platform calls that send messages back), opened on the caller's stack around the call.
  // While one is open, delayed destruction waits. It watches one control and one notification record:
  // when that control is forgotten meanwhile, control() turns null, and so does the record's sender. When
  // the manager is destroyed meanwhile, ManagerGone() turns true and the caller must return at once
  // without touching the manager.
  class CallOut {
   public:
    explicit CallOut(CPaintManagerUI* manager, CControlUI* watched = nullptr,
                     NotifyRecord* delivering = nullptr);
    CallOut(const CallOut&) = delete;
    CallOut& operator=(const CallOut&) = delete;
    ~CallOut();
    bool ManagerGone() const { return manager_gone_; }
    CControlUI* control() const { return watched_; }

   private:
    friend class CPaintManagerUI;
    CPaintManagerUI* manager_;
    CallOut* outer_;
    CControlUI* watched_;
    NotifyRecord* delivering_;
    bool manager_gone_ = false;
  };

  // Resources.
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
  FontRecord* WithMetrics(FontRecord* record);
  void RemoveWindowTables();
  void ReleaseImportedFonts();
  static WalkableList<CPaintManagerUI*>& Managers();

  // The tree and its life cycle (paint_manager_tree.cc). The bool results of the private operations
  // below say whether the manager still exists: false means it was destroyed during a call out.
  void RemoveNamesOf(const CControlUI* control);
  void PostDeliveryMessage();
  // After the last call out closed: delayed destruction that had to wait is posted.
  void OnCallOutsEnded();
  bool DestroyDelayedControls();
  bool OnDeliveryMessage();
  // Fills in the tick count, the last mouse point and the sender's virtual window name.
  void Stamp(NotifyRecord* record) const;
  // Immediate delivery: the sender's notify listeners, then the window's listeners.
  bool Deliver(NotifyRecord& record);
  bool Notify(CControlUI* control, const wchar_t* type);
  bool DispatchTo(CControlUI* control, EventRecord& event);
  bool MoveFocus(CControlUI* control);
  bool MoveFocusToTabStop(bool forward);
  // SetFocus on the window; *control becomes null when it was forgotten meanwhile.
  bool TakeNativeFocus(CControlUI** control);

  // Input (paint_manager_input.cc). Handlers return whether the message counts as handled; true also
  // when the manager was destroyed while handling it.
  bool HandleMessageUnguarded(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  bool AskMessageFilters(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  void NoteMousePoint(UINT message, LPARAM lparam);
  bool HandleLayeredFrameMessage(UINT message, WPARAM wparam, LRESULT* result);
  bool HandleInputMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  bool HandleWindowMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);
  // An event for `kind` at this moment: tick count, last mouse position, key and button state, and the
  // message's parameters.
  EventRecord MakeEvent(EventKind kind, CControlUI* sender, WPARAM wparam = 0, LPARAM lparam = 0) const;
  // An event at the message's point; button events carry the message's button and modifier flags.
  EventRecord MakeMouseEvent(EventKind kind, CControlUI* sender, POINT point, WPARAM wparam,
                             LPARAM lparam) const;
  // FindControlAt, null for a control of another manager.
  CControlUI* FindOwnControlAt(POINT point);
  bool SendEventToFocus(EventKind kind, WPARAM wparam, LPARAM lparam);
  bool OnKeyUp(WPARAM wparam, LPARAM lparam);
  bool OnSize();
  bool OnClose();
  // Lets go of the window (being destroyed, or replaced): its handle, drawing context, timers and
  // off-screen bitmaps; the tool tip it owns goes with it.
  void ForgetWindow();
  bool OnSetCursor(LPARAM lparam, LRESULT* result);
  void OnGetMinMaxInfo(LPARAM lparam) const;
  bool OnTimer(WPARAM wparam, LPARAM lparam);
  bool OnMouseMove(WPARAM wparam, LPARAM lparam);
  bool OnMouseHover(WPARAM wparam, LPARAM lparam);
  bool OnMouseLeave();
  bool RefreshHoverAfterLeave();
  bool OnMouseWheel(WPARAM wparam, LPARAM lparam);
  bool OnButtonDown(EventKind kind, WPARAM wparam, LPARAM lparam);
  bool OnButtonUp(WPARAM wparam, LPARAM lparam);
  bool OnOtherButtonUp(EventKind kind, WPARAM wparam, LPARAM lparam);
  bool OnContextMenu(WPARAM wparam, LPARAM lparam);
  // Ends the press of `click_` with a ButtonUp at (-1, -1) flagged kKeyStatePressCancelled.
  bool CancelPress();
  // MouseLeave to the hover control, which is forgotten; the tool tip is hidden.
  bool LeaveHover(POINT point);
  bool ReleaseMouseWatching(CControlUI** control);
  void StartMouseTracking();
  void ShowToolTip(CControlUI* control, const CUIString& text);
  void HideToolTip();
  bool ActivateShortcut(wchar_t character);

  // Layout and painting (paint_manager_paint.cc).
  bool OnPaint();
  // Asks the installed shadow to create its window; false when the manager was destroyed meanwhile.
  bool CreateShadowWindow();
  // Places the whole tree at the client rectangle, or only the controls whose layout is dirty.
  bool LayOut(const CUIRect& client, bool whole_tree);
  void PaintTree(HDC dc, const RECT& area);
  void PaintWithoutRoot();
  bool EnsureOffscreen(HDC reference, const CUISize& size);
  void DiscardOffscreen();
  void UpdateLayeredWindowFrom(const CUISize& size);
  void ApplyLayeredMask(const RECT& area, const CUISize& size);
  bool OnPrintClient(HDC dc, LPARAM flags);

  // The window.
  HWND window_ = nullptr;    // The attached window; not owned.
  ScopedWindowDC paint_dc_;  // The window's client context.
  CUIString name_;

  // The tree. Only the root and the controls awaiting delayed destruction are owned.
  std::unique_ptr<CControlUI> root_;
  CControlUI* focus_ = nullptr;
  // The control a running FocusControl is about to focus; a nested FocusControl replaces it.
  CControlUI* focus_candidate_ = nullptr;
  CControlUI* hover_ = nullptr;       // Got the last MouseEnter.
  CControlUI* click_ = nullptr;       // Took the last button press (and the mouse capture).
  CControlUI* key_target_ = nullptr;  // Got the last KeyDown.
  CControlUI* tab_anchor_ = nullptr;  // SetFocusNeeded's control, while the focus waits for a layout.
  CStringKeyedMap names_;             // Control name to control (not owned).
  WalkableList<CControlUI*> paint_after_children_;
  std::vector<std::unique_ptr<CControlUI>> delayed_cleanup_;
  std::deque<NotifyRecord> queued_notifications_;
  std::vector<CControlUI*> layout_queue_;  // Controls a layout pass places again; forgotten ones null.
  CControlTimers timers_;
  CallOut* call_outs_ = nullptr;  // The innermost call out in progress.

  // Listeners and filters; not owned.
  WalkableList<INotifyUI*> notifiers_;
  WalkableList<IMessageFilterUI*> message_filters_;
  WalkableList<IMessageFilterUI*> pre_message_filters_;
  WalkableList<ITranslateAccelerator*> translators_;

  // State.
  POINT last_mouse_point_ = {-1, -1};
  CUIRect dirty_area_;
  bool layout_needed_ = false;
  bool first_layout_pending_ = true;
  bool focus_needed_ = false;
  bool painting_ = false;
  bool repaint_after_paint_ = false;  // A nested WM_PAINT was only validated.
  bool mouse_tracking_ = false;
  bool captured_ = false;
  // A button went down on a drag source. No drag starts: OLE drag and drop is not part of the manager.
  bool drag_pending_ = false;
  bool async_posted_ = false;
  bool uses_virtual_windows_ = false;

  // Layered output.
  bool layered_ = false;
  bool layered_update_needed_ = false;
  int opacity_ = 255;
  CUIString layered_image_;

  // Off-screen painting: a top-down 32-bit DIB section of the client size, selected into the memory
  // context only while a paint uses it; the layered mask is drawn once per size and image.
  ScopedMemoryDC offscreen_dc_;
  ScopedBitmap offscreen_bitmap_;
  uint32_t* offscreen_pixels_ = nullptr;  // Owned by offscreen_bitmap_.
  CUISize offscreen_size_;
  ScopedBitmap mask_bitmap_;
  uint32_t* mask_pixels_ = nullptr;  // Owned by mask_bitmap_.

  // Tool tips.
  ScopedHandle<HWND, &DestroyWindow> tool_tip_;
  TOOLINFOW tool_info_ = {};
  CUIString tool_tip_text_;  // What tool_info_ points at.

  // Window settings.
  CUISize initial_size_;
  CUIRect caption_area_;
  CUIRect resize_border_;
  CUISize round_corner_;
  CUISize min_track_size_;
  CUISize max_track_size_;
  bool show_dirty_rects_ = false;
  bool no_activate_ = false;
  int hover_time_ = 400;
  bool use_gdiplus_text_ = false;
  int text_rendering_hint_ = 0;
  CShadowSettings shadow_;
  std::unique_ptr<IWindowShadow> window_shadow_;  // Destroyed before the settings it observes.

  // Resources.
  bool use_shared_tables_ = false;
  CDisplayScale display_scale_;
  CResourceTables tables_;                       // This window's tables and defaults.
  CImageDescriptorCache descriptors_;            // Parsed descriptors by pair of texts.
  COwnedValueMap<CPointerArray> option_groups_;  // Lists of unowned options.
  std::vector<ScopedFontMemResource> imported_fonts_;
};

}  // namespace veneer

#endif  // UI_RUNTIME_PAINT_MANAGER_H_
