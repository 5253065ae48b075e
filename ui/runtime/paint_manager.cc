#include "ui/runtime/paint_manager.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "ui/markup/skin_source.h"
#include "ui/render/gdiplus_session.h"
#include "ui/render/image_loader.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/control.h"
#include "ui/runtime/skin_fonts.h"

namespace veneer {
namespace {

constexpr int kOptionGroupCapacity = 6;

// Initial shared default colours, in DefaultColour order.
constexpr uint32_t kInitialColours[kDefaultColourCount] = {
    0xFFA7A6AA,  // Disabled text.
    0xFF000000,  // Text.
    0xFF0000FF,  // Link text.
    0xFFD3215F,  // Link text under the mouse.
    0xFFBAE4FF,  // Selected background.
};

// Nothing in the system changes the adjustment: it stays neutral and inactive.
constexpr HslAdjustment kHslAdjustment = {180, 100, 100, false};

bool IsKeyDown(int virtual_key) { return (GetKeyState(virtual_key) & 0x8000) != 0; }

// The keyState of events other than button events: which buttons and modifiers are down now.
uint16_t CurrentKeyState() {
  uint16_t state = 0;
  if (IsKeyDown(VK_LBUTTON)) state |= kKeyStateLeftButton;
  if (IsKeyDown(VK_RBUTTON)) state |= kKeyStateRightButton;
  if (IsKeyDown(VK_SHIFT)) state |= kKeyStateShift;
  if (IsKeyDown(VK_CONTROL)) state |= kKeyStateControl;
  if (IsKeyDown(VK_MENU)) state |= kKeyStateAlt;
  return state;
}

}  // namespace

CResourceTables& CPaintManagerUI::SharedTables() {
  static CResourceTables shared;
  return shared;
}

void CPaintManagerUI::InitSharedResources() {
  static bool initialised = false;
  if (initialised) return;
  initialised = true;
  CResourceTables& shared = SharedTables();
  std::copy(std::begin(kInitialColours), std::end(kInitialColours), shared.colours);
  std::unique_ptr<FontRecord> gui_font = CreateDefaultGuiFontRecord();
  if (gui_font) shared.default_font = std::move(gui_font);
  EnsureGdiplusStarted();
}

CPaintManagerUI::CPaintManagerUI() {
  InitSharedResources();
  const uint32_t* shared_colours = SharedTables().colours;
  std::copy(shared_colours, shared_colours + kDefaultColourCount, tables_.colours);
}

CPaintManagerUI::~CPaintManagerUI() {
  // Moved out first: the destroyed controls' destructors call ForgetControl on this manager.
  std::vector<std::unique_ptr<CControlUI>> delayed = std::move(delayed_cleanup_);
  delayed.clear();
  RemoveWindowTables();
  ReleaseImportedFonts();
}

void CPaintManagerUI::AttachToWindow(HWND window, const wchar_t* name) {
  RemoveWindowTables();
  name_ = name;
  if (window == window_) return;
  paint_dc_.reset();
  window_ = window;
  paint_dc_ = ScopedWindowDC(window);
}

void CPaintManagerUI::RemoveWindowTables() {
  tables_.fonts.RemoveAll();
  tables_.images.RemoveAll();
  tables_.default_attributes.RemoveAll();
  tables_.styles.RemoveAll();
  RemoveAllOptionGroups();
}

void CPaintManagerUI::ReleaseImportedFonts() { imported_fonts_.clear(); }

CResourceTables& CPaintManagerUI::TablesFor(bool shared) { return shared ? SharedTables() : tables_; }

CResourceTables& CPaintManagerUI::TargetTables(bool shared) {
  return TablesFor(shared || use_shared_tables_);
}

const ImageDescriptor* CPaintManagerUI::GetImageDescriptor(const wchar_t* descriptor,
                                                           const wchar_t* modifier) {
  const CUIString descriptor_text(descriptor);
  if (descriptor_text.IsEmpty() && (!modifier || !*modifier)) return nullptr;
  // The descriptor's length leads the key, so that pairs joining to the same characters, such as
  // ("a", "bc") and ("ab", "c"), keep separate records.
  CUIString key;
  key.FormatShort(L"%d:", descriptor_text.GetLength());
  key += descriptor_text;
  key += modifier;
  const ImageDescriptor* cached = descriptors_.Find(key);
  if (cached) return cached;
  auto record = std::make_unique<ImageDescriptor>();
  ParseImageDescriptor(record.get(), descriptor, modifier, display_scale_.GetScale());
  return descriptors_.Insert(key, std::move(record));
}

// Controls ------------------------------------------------------------------------------------------

void CPaintManagerUI::InvalidateArea(const RECT& area) {
  CUIRect invalid(area);
  if (invalid.left < 0) invalid.left = 0;
  if (invalid.top < 0) invalid.top = 0;
  if (invalid.right < invalid.left) invalid.right = invalid.left;
  if (invalid.bottom < invalid.top) invalid.bottom = invalid.top;
  UnionRect(&dirty_area_, &dirty_area_, &invalid);
  if (window_) InvalidateRect(window_, &invalid, FALSE);
}

EventRecord CPaintManagerUI::MakeEvent(EventKind kind, CControlUI* sender) const {
  EventRecord event;
  event.kind = kind;
  event.sender = sender;
  event.timestamp = GetTickCount();
  event.mousePoint = last_mouse_point_;
  event.keyState = CurrentKeyState();
  return event;
}

void CPaintManagerUI::FocusControl(CControlUI* control) {
  if (window_ && GetFocus() != window_ && control != focus_) SetFocus(window_);
  if (control == focus_) return;
  // Listeners of the events below may destroy either control, or move the focus themselves (the latest
  // request wins): ForgetControl clears focus_ and focus_candidate_ when their control goes.
  focus_candidate_ = control;
  if (CControlUI* losing = focus_) {
    EventRecord lost = MakeEvent(EventKind::FocusLost, control);
    losing->DispatchEvent(lost);
    if (focus_ == losing) SendNotify(losing, kNotifyKillFocus);
    if (focus_ == losing) focus_ = nullptr;
  }
  CControlUI* gaining = focus_candidate_;
  focus_candidate_ = nullptr;
  if (!gaining || gaining->GetPaintManager() != this || !gaining->IsVisible() || !gaining->IsEnabled())
    return;
  focus_ = gaining;
  EventRecord gained = MakeEvent(EventKind::FocusGained, gaining);
  gaining->DispatchEvent(gained);
  if (focus_ == gaining) SendNotify(gaining, kNotifySetFocus);
}

void CPaintManagerUI::SetNextTabControl(bool forward) {
  if (forward && layout_needed_) {
    focus_needed_ = true;
    if (window_) InvalidateRect(window_, nullptr, FALSE);
  }
}

void CPaintManagerUI::ForgetControl(CControlUI* control) {
  if (focus_ == control) focus_ = nullptr;
  if (focus_candidate_ == control) focus_candidate_ = nullptr;
  RemovePaintAfterChildren(control);
}

void CPaintManagerUI::AdoptControls(CControlUI* control, CControlUI* parent) {
  if (control) control->AttachManager(this, parent ? parent : control->GetParentControl(), true);
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
  if (!control) return;
  control->AttachManager(this, nullptr, false);
  try {
    delayed_cleanup_.emplace_back(control);
  } catch (const std::exception&) {
    delete control;  // Out of memory: destroyed at once rather than lost.
    return;
  }
  if (window_) PostMessageW(window_, kDelayedWorkMessage, 0, 0);
}

void CPaintManagerUI::AddPaintAfterChildren(CControlUI* control) {
  if (!control || std::find(paint_after_children_.begin(), paint_after_children_.end(), control) !=
                      paint_after_children_.end()) {
    return;
  }
  try {
    paint_after_children_.push_back(control);
  } catch (const std::exception&) {
    // Out of memory: the control's after-tree painting is skipped.
  }
}

void CPaintManagerUI::RemovePaintAfterChildren(CControlUI* control) {
  paint_after_children_.erase(
      std::remove(paint_after_children_.begin(), paint_after_children_.end(), control),
      paint_after_children_.end());
}

void CPaintManagerUI::SendNotify(CControlUI* control, const wchar_t* type, WPARAM wparam, LPARAM lparam,
                                 bool /*queued*/) {
  NotifyRecord record;
  record.type = type;
  record.sender = control;
  record.timestamp = GetTickCount();
  record.mousePoint = last_mouse_point_;
  record.wParam = wparam;
  record.lParam = lparam;
  if (control) {
    if (uses_virtual_windows_) record.virtualWindow = control->GetVirtualWindowName();
    control->NotifyListeners().Fire(&record);
  }
}

// Fonts ---------------------------------------------------------------------------------------------

HFONT CPaintManagerUI::RegisterFont(int id, const wchar_t* face, int size, FontStyle style, bool shared) {
  std::unique_ptr<FontRecord> record = CreateFontRecord(id, face, size, style, display_scale_.GetScale());
  if (!record) return nullptr;
  if (paint_dc_.get()) MeasureFontMetrics(record.get(), paint_dc_.get());
  HFONT handle = record->handle.get();
  return TargetTables(shared).fonts.Replace(FontKey(id), std::move(record)) ? handle : nullptr;
}

bool CPaintManagerUI::MakeDefaultFont(int id, const wchar_t* face, int size, FontStyle style, bool shared) {
  std::unique_ptr<FontRecord> record = CreateFontRecord(id, face, size, style, display_scale_.GetScale());
  if (!record) return false;
  if (paint_dc_.get()) MeasureFontMetrics(record.get(), paint_dc_.get());
  TablesFor(shared).default_font = std::move(record);
  return true;
}

FontRecord* CPaintManagerUI::WithMetrics(FontRecord* record) {
  if (!record->HasMetrics()) MeasureFontMetrics(record, paint_dc_.get());
  return record;
}

FontRecord* CPaintManagerUI::GetDefaultFontRecord() {
  FontRecord* record = tables_.default_font->faceName.IsEmpty() ? SharedTables().default_font.get()
                                                                : tables_.default_font.get();
  return WithMetrics(record);
}

HFONT CPaintManagerUI::GetFontHandle(int id) { return GetFontRecord(id)->handle.get(); }

FontRecord* CPaintManagerUI::GetFontRecord(int id) {
  if (id < 0) return GetDefaultFontRecord();
  FontRecord* record = FindInTables(&CResourceTables::fonts, FontKey(id));
  return record ? WithMetrics(record) : GetDefaultFontRecord();
}

FontRecord* CPaintManagerUI::GetFontRecordByHandle(HFONT font) {
  FontRecord* record = tables_.FindFontByHandle(font);
  if (!record) record = SharedTables().FindFontByHandle(font);
  return record ? WithMetrics(record) : GetDefaultFontRecord();
}

HFONT CPaintManagerUI::FindFontHandle(const wchar_t* face, int size, FontStyle style) {
  FontRecord* record = tables_.FindFontByFace(face, size, style);
  if (!record) record = SharedTables().FindFontByFace(face, size, style);
  return record ? record->handle.get() : nullptr;
}

int CPaintManagerUI::GetFontCount() const {
  return (use_shared_tables_ ? SharedTables() : tables_).fonts.GetSize();
}

void CPaintManagerUI::RemoveAllFonts(bool shared) { TablesFor(shared).fonts.RemoveAll(); }

bool CPaintManagerUI::ImportFontFile(const wchar_t* file_name) {
  std::vector<unsigned char> bytes;
  if (!file_name || !ReadSkinFile(file_name, true, &bytes)) return false;
  DWORD font_count = 0;
  ScopedFontMemResource fonts(
      AddFontMemResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), nullptr, &font_count));
  if (!fonts) return false;
  try {
    imported_fonts_.push_back(std::move(fonts));
  } catch (const std::exception&) {
    return false;  // Out of memory: `fonts` is still ours and removed again.
  }
  return true;
}

// Images --------------------------------------------------------------------------------------------

ImageRecord* CPaintManagerUI::RegisterSkinImage(const wchar_t* name, const wchar_t* resource_type,
                                                uint32_t mask, bool hsl_adjusted, bool shared,
                                                HINSTANCE instance) {
  std::unique_ptr<ImageRecord> record = LoadImageRecord(name, resource_type, mask, instance);
  if (!record) return nullptr;
  if (hsl_adjusted) {
    record->adjusts_hsl = true;
    if (!record->KeepUnadjustedPixels()) return nullptr;
  }
  const HslAdjustment hsl = GetHslAdjustment();
  if (hsl.active) Renderer::AdjustImageHsl(true, record.get(), hsl.hue, hsl.saturation, hsl.lightness);
  ImageRecord* stored = record.get();
  return TargetTables(shared).images.Replace(name, std::move(record)) ? stored : nullptr;
}

ImageRecord* CPaintManagerUI::FindImage(const wchar_t* name) {
  return FindInTables(&CResourceTables::images, name);
}

ImageRecord* CPaintManagerUI::FindOrLoadImage(const wchar_t* name, const wchar_t* resource_type,
                                              uint32_t mask, bool hsl_adjusted, HINSTANCE instance) {
  ImageRecord* record = FindImage(name);
  return record ? record : RegisterSkinImage(name, resource_type, mask, hsl_adjusted, false, instance);
}

void CPaintManagerUI::RemoveImage(const wchar_t* name, bool shared) { TablesFor(shared).images.Remove(name); }

void CPaintManagerUI::RemoveAllImages(bool shared) { TablesFor(shared).images.RemoveAll(); }

// Default attribute lists and styles ----------------------------------------------------------------

void CPaintManagerUI::RegisterDefaultAttributes(const wchar_t* element_name, const wchar_t* attribute_list,
                                                bool shared) {
  TargetTables(shared).default_attributes.Replace(element_name, std::make_unique<CUIString>(attribute_list));
}

const wchar_t* CPaintManagerUI::FindDefaultAttributes(const wchar_t* element_name) {
  const CUIString* list = FindInTables(&CResourceTables::default_attributes, element_name);
  return list ? list->GetData() : nullptr;
}

void CPaintManagerUI::RemoveAllDefaultAttributes(bool shared) {
  TablesFor(shared).default_attributes.RemoveAll();
}

bool CPaintManagerUI::RegisterStyle(const wchar_t* name, const wchar_t* attribute_list, bool shared) {
  CResourceTables& target = TargetTables(shared);
  if (target.styles.Find(name)) return false;
  return target.styles.Insert(name, std::make_unique<CUIString>(attribute_list));
}

const wchar_t* CPaintManagerUI::FindStyle(const wchar_t* name) {
  const CUIString* list = FindInTables(&CResourceTables::styles, name);
  return list ? list->GetData() : nullptr;
}

void CPaintManagerUI::RemoveAllStyles(bool shared) { TablesFor(shared).styles.RemoveAll(); }

// Option groups -------------------------------------------------------------------------------------

bool CPaintManagerUI::JoinOptionGroup(const wchar_t* group_name, CControlUI* option) {
  if (!option) return false;
  CPointerArray* group = option_groups_.Find(group_name);
  if (!group) {
    auto created = std::make_unique<CPointerArray>(kOptionGroupCapacity);
    group = created.get();
    if (!option_groups_.Insert(group_name, std::move(created))) return false;
  }
  return group->Find(option) < 0 && group->Add(option);
}

const CPointerArray* CPaintManagerUI::GetOptionGroup(const wchar_t* group_name) {
  return option_groups_.Find(group_name);
}

void CPaintManagerUI::LeaveOptionGroup(const wchar_t* group_name, CControlUI* option) {
  CPointerArray* group = option_groups_.Find(group_name);
  if (!group) return;
  const int index = group->Find(option);
  if (index >= 0) group->Remove(index);
  if (group->IsEmpty()) option_groups_.Remove(group_name);
}

void CPaintManagerUI::RemoveAllOptionGroups() { option_groups_.RemoveAll(); }

// Default colours -----------------------------------------------------------------------------------

void CPaintManagerUI::SetDefaultColour(DefaultColour which, uint32_t colour, bool shared) {
  if (shared) {
    uint32_t& shared_colour = SharedTables().colours[which];
    if (tables_.colours[which] == shared_colour) tables_.colours[which] = colour;
    shared_colour = colour;
  } else {
    tables_.colours[which] = colour;
  }
}

void CPaintManagerUI::SetDefaultDisabledColour(uint32_t colour, bool shared) {
  SetDefaultColour(kDisabledTextColour, colour, shared);
}
void CPaintManagerUI::SetDefaultFontColour(uint32_t colour, bool shared) {
  SetDefaultColour(kTextColour, colour, shared);
}
void CPaintManagerUI::SetDefaultLinkColour(uint32_t colour, bool shared) {
  SetDefaultColour(kLinkTextColour, colour, shared);
}
void CPaintManagerUI::SetDefaultLinkHoverColour(uint32_t colour, bool shared) {
  SetDefaultColour(kLinkHoverTextColour, colour, shared);
}
void CPaintManagerUI::SetDefaultSelectedColour(uint32_t colour, bool shared) {
  SetDefaultColour(kSelectedBackgroundColour, colour, shared);
}

HslAdjustment CPaintManagerUI::GetHslAdjustment() { return kHslAdjustment; }

}  // namespace veneer
