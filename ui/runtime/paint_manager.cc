#include "ui/runtime/paint_manager.h"

#include <commctrl.h>

#include <algorithm>
#include <cassert>
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

}  // namespace

CResourceTables& CPaintManagerUI::SharedTables() {
  static CResourceTables shared;
  return shared;
}

WalkableList<CPaintManagerUI*>& CPaintManagerUI::Managers() {
  static WalkableList<CPaintManagerUI*> managers;
  return managers;
}

void CPaintManagerUI::InitSharedResources() {
  static bool initialised = false;
  if (initialised) return;
  initialised = true;
  InitCommonControls();  // The tool tip window class.
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
  // Calls out in progress must not touch the manager any more.
  for (CallOut* call = call_outs_; call; call = call->outer_) call->manager_gone_ = true;
  call_outs_ = nullptr;
  // Messages that the window still gets while the manager goes (HandleMessage) are left alone.
  window_ = nullptr;
  // Destructors may hand further controls over; the controls still find the manager whole.
  while (!delayed_cleanup_.empty()) {
    std::vector<std::unique_ptr<CControlUI>> doomed;
    doomed.swap(delayed_cleanup_);
  }
  queued_notifications_.clear();
  names_.RemoveAll();
  root_.reset();
  timers_.RemoveAll();
  if (captured_) ReleaseMouse();
  tool_tip_.reset();
  RemoveWindowTables();
  ReleaseImportedFonts();
  Managers().Remove(this);
}

void CPaintManagerUI::AttachToWindow(HWND window, const wchar_t* name) {
  names_.RemoveAll();
  RemoveWindowTables();
  name_ = name;
  if (window == window_) {
    timers_.RemoveAll();
    return;
  }
  tool_tip_.reset();
  ForgetWindow();
  if (!window) return;
  window_ = window;
  paint_dc_ = ScopedWindowDC(window);
  timers_.SetWindow(window);
  Managers().Add(this);
  // Work queued before the window existed is delivered now.
  if (!queued_notifications_.empty() || !delayed_cleanup_.empty()) PostDeliveryMessage();
}

void CPaintManagerUI::SetWindowShadow(std::unique_ptr<IWindowShadow> shadow) {
  window_shadow_ = std::move(shadow);
}

void CPaintManagerUI::RefreshShadow() {
  if (window_shadow_) window_shadow_->RefreshShadow();
}

bool CPaintManagerUI::CreateShadowWindow() {
  if (!window_shadow_) return true;
  CallOut call(this);  // Creating and showing the shadow window sends messages to this window.
  window_shadow_->CreateShadow(this);
  return !call.ManagerGone();
}

void CPaintManagerUI::ForgetWindow() {
  tool_tip_.release();  // Destroyed with its owner, the window, if still there.
  timers_.SetWindow(nullptr);
  DiscardOffscreen();
  offscreen_dc_.reset();
  paint_dc_.reset();
  window_ = nullptr;
  async_posted_ = false;
  Managers().Remove(this);
}

CPaintManagerUI::CallOut::CallOut(CPaintManagerUI* manager, CControlUI* watched, NotifyRecord* delivering)
    : manager_(manager), outer_(manager->call_outs_), watched_(watched), delivering_(delivering) {
  manager->call_outs_ = this;
}

CPaintManagerUI::CallOut::~CallOut() {
  if (manager_gone_) return;
  assert(manager_->call_outs_ == this);  // Call outs nest: inner ones close first.
  manager_->call_outs_ = outer_;
  if (!outer_) manager_->OnCallOutsEnded();
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
