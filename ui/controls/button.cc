#include "ui/controls/button.h"

#include "ui/core/attribute_values.h"
#include "ui/render/image_descriptor.h"
#include "ui/render/image_record.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/attribute_table.h"
#include "ui/runtime/event_source.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/tab_layout.h"

namespace veneer {

namespace {

constexpr WORD kHandCursor = 32649;  // IDC_HAND.

// Notes whether a control is destroyed while it is watched: the listeners of a notification that the
// control sends may destroy it. Lives on the stack of one of the control's own operations.
class DestructionWatch {
 public:
  explicit DestructionWatch(CControlUI* control) : control_(control) {
    control_->DestroyListeners().Add(AsDelegate());
  }
  DestructionWatch(const DestructionWatch&) = delete;
  DestructionWatch& operator=(const DestructionWatch&) = delete;
  ~DestructionWatch() {
    if (!destroyed_) control_->DestroyListeners().Remove(AsDelegate());
  }
  bool destroyed() const { return destroyed_; }

 private:
  bool OnDestroyed(CControlUI* /*control*/) {
    destroyed_ = true;
    return true;
  }
  Delegate AsDelegate() {
    return MakeDelegate<DestructionWatch, CControlUI, &DestructionWatch::OnDestroyed>(this);
  }

  CControlUI* control_;
  bool destroyed_ = false;
};

const AttributeRow<CButtonUI> kButtonAttributes[] = {
    {L"normalimage", [](CButtonUI* b, const wchar_t* v) { b->SetNormalImage(v); }},
    {L"hotimage", [](CButtonUI* b, const wchar_t* v) { b->SetHotImage(v); }},
    {L"pushedimage", [](CButtonUI* b, const wchar_t* v) { b->SetPushedImage(v); }},
    {L"focusedimage", [](CButtonUI* b, const wchar_t* v) { b->SetFocusedImage(v); }},
    {L"disabledimage", [](CButtonUI* b, const wchar_t* v) { b->SetDisabledImage(v); }},
    {L"hotforeimage", [](CButtonUI* b, const wchar_t* v) { b->SetHotForeImage(v); }},
    {L"stateimage", [](CButtonUI* b, const wchar_t* v) { b->SetStateImage(v); }},
    {L"statecount", [](CButtonUI* b, const wchar_t* v) { b->SetStateCount(ParseIntValue(v)); }},
    {L"bindtabindex", [](CButtonUI* b, const wchar_t* v) { b->SetBindTabIndex(ParseIntValue(v)); }},
    {L"bindtablayoutname", [](CButtonUI* b, const wchar_t* v) { b->SetBindTabLayoutName(v); }},
    {L"hotbkcolor", [](CButtonUI* b, const wchar_t* v) { b->SetHotBkColor(ParseColorValue(v)); }},
    {L"pushedbkcolor", [](CButtonUI* b, const wchar_t* v) { b->SetPushedBkColor(ParseColorValue(v)); }},
    {L"disabledbkcolor", [](CButtonUI* b, const wchar_t* v) { b->SetDisabledBkColor(ParseColorValue(v)); }},
    {L"hottextcolor", [](CButtonUI* b, const wchar_t* v) { b->SetHotTextColor(ParseColorValue(v)); }},
    {L"pushedtextcolor", [](CButtonUI* b, const wchar_t* v) { b->SetPushedTextColor(ParseColorValue(v)); }},
    {L"focusedtextcolor", [](CButtonUI* b, const wchar_t* v) { b->SetFocusedTextColor(ParseColorValue(v)); }},
    {L"hotfont", [](CButtonUI* b, const wchar_t* v) { b->SetHotFont(ParseIntValue(v)); }},
    {L"pushedfont", [](CButtonUI* b, const wchar_t* v) { b->SetPushedFont(ParseIntValue(v)); }},
    // Skins have always spelt the focused font this way; no other name sets it.
    {L"focuedfont", [](CButtonUI* b, const wchar_t* v) { b->SetFocusedFont(ParseIntValue(v)); }},
};

bool Inside(const RECT& bounds, POINT point) { return PtInRect(&bounds, point) != FALSE; }

}  // namespace

uint32_t ButtonPaintState(uint32_t stored, bool focused, bool enabled, bool window_enabled) {
  uint32_t state = stored & ~(kButtonFocused | kButtonDisabled);
  if (focused) state |= kButtonFocused;
  if (!enabled) state |= kButtonDisabled;
  if (!window_enabled) state &= kButtonDisabled;
  return state;
}

StateStripCells CellsOfStateStrip(int count) {
  StateStripCells cells = {-1, -1, -1, -1};
  if (count > 0) cells.normal = 0;
  if (count > 1) cells.hot = cells.pushed = 1;
  if (count > 2) cells.pushed = 2;
  if (count > 3) cells.disabled = 3;
  return cells;
}

CUIRect StateStripCellSource(int image_width, int image_height, int count, int cell) {
  const int width = image_width / count;
  return CUIRect(cell * width, 0, cell * width + width, image_height);
}

CButtonUI::CButtonUI() { SetTextFormat(kDefaultButtonTextFormat); }

const wchar_t* CButtonUI::GetClassName() const { return L"ButtonUI"; }

void* CButtonUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(L"Button") == 0) return this;
  return CLabelUI::FindInterface(name);
}

uint32_t CButtonUI::GetBehaviourFlags() const {
  return (IsKeyboardEnabled() ? kBehaviourTabStop : 0) | (IsEnabled() ? kBehaviourCursorRequests : 0);
}

bool CButtonUI::TryActivate() {
  if (!CLabelUI::TryActivate()) return false;
  DestructionWatch watch(this);
  Notify(kNotifyClick);
  if (watch.destroyed()) return false;
  SelectBoundTab();
  return !watch.destroyed();
}

void CButtonUI::SelectBoundTab() {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager || bind_tab_layout_name_.IsEmpty() || bind_tab_index_ < 0) return;
  CControlUI* found = manager->FindControlByName(bind_tab_layout_name_);
  auto* tab = found ? static_cast<CTabLayoutUI*>(found->FindInterface(L"TabLayout")) : nullptr;
  if (tab) tab->SelectIndex(bind_tab_index_);
}

void CButtonUI::SetEnabled(bool enabled) {
  CLabelUI::SetEnabled(enabled);
  if (!IsEnabled()) state_ = 0;
}

void CButtonUI::HandleEvent(EventRecord& event) {
  if (PassOnMouseEventWhenNotMouseEnabled(event)) return;
  switch (event.kind) {
    case EventKind::FocusGained:
    case EventKind::FocusLost:
      RequestRepaint();  // The label below keeps the focused flag.
      break;
    case EventKind::KeyDown:
      if (IsKeyboardEnabled() && (event.keyCode == VK_SPACE || event.keyCode == VK_RETURN)) {
        TryActivate();
        return;
      }
      break;
    case EventKind::ButtonDown:
    case EventKind::DoubleClick:
      OnButtonDown(event);
      return;
    case EventKind::MouseMove:
      OnMouseMove(event);
      return;
    case EventKind::ButtonUp:
      OnButtonUp(event);
      return;
    case EventKind::MouseEnter:
    case EventKind::MouseLeave:
      if (!IsEnabled()) break;
      SetStateBits(kButtonHot, event.kind == EventKind::MouseEnter);
      RequestRepaint();
      return;
    case EventKind::CursorRequest:
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(kHandCursor)));
      return;
    default:
      break;
  }
  // Context menus ("menu" when enabled) and everything else: as for a label.
  CLabelUI::HandleEvent(event);
}

void CButtonUI::OnButtonDown(const EventRecord& event) {
  if (!Inside(GetBounds(), event.mousePoint) || !IsEnabled()) return;
  SetStateBits(kButtonPushed | kButtonCaptured, true);
  RequestRepaint();
}

void CButtonUI::OnMouseMove(const EventRecord& event) {
  if (!(state_ & kButtonCaptured)) return;
  SetStateBits(kButtonPushed, Inside(GetBounds(), event.mousePoint));
  RequestRepaint();
}

void CButtonUI::OnButtonUp(const EventRecord& event) {
  if (!(state_ & kButtonCaptured)) return;
  SetStateBits(kButtonPushed | kButtonCaptured, false);
  RequestRepaint();
  // A press that the window ended (it is closing) is no click.
  const bool cancelled = (event.keyState & kKeyStatePressCancelled) != 0;
  if (!cancelled && Inside(GetBounds(), event.mousePoint)) TryActivate();
}

void CButtonUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  if (!name) return;
  if (!value) value = L"";
  if (!ApplyAttributeRow(kButtonAttributes, this, name, value)) CLabelUI::ApplyAttribute(name, value);
}

// Painting -------------------------------------------------------------------------------------------

uint32_t CButtonUI::PaintState() const {
  CPaintManagerUI* manager = GetPaintManager();
  const HWND window = manager ? manager->GetWindowHandle() : nullptr;
  const bool window_enabled = !window || IsWindowEnabled(window);
  return ButtonPaintState(state_, IsFocused(), IsEnabled(), window_enabled);
}

void CButtonUI::DrawBackColour(HDC dc) {
  const uint32_t state = PaintState();
  uint32_t colour = 0;
  if (state & kButtonDisabled) {
    colour = disabled_bk_colour_;
  } else if (state & kButtonPushed) {
    colour = pushed_bk_colour_;
  } else if (state & kButtonHot) {
    colour = hot_bk_colour_;
  }
  if (colour == 0) {
    CLabelUI::DrawBackColour(dc);
    return;
  }
  Renderer::DrawColor(dc, GetPaintRect(), AdjustColour(colour));
}

void CButtonUI::CutStateStrip(const CUIString& strip, int count, CUIString* const (&cells)[4]) {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager || strip.IsEmpty() || count <= 0 || !cells[0]->IsEmpty()) return;
  // Read unscaled: the cells' descriptors are scaled for the display when they are drawn.
  ImageDescriptor parsed;
  ParseImageDescriptor(&parsed, strip, nullptr);
  const wchar_t* type = parsed.resource_type.IsEmpty() ? nullptr : parsed.resource_type.GetData();
  const ImageRecord* image =
      manager->FindOrLoadImage(parsed.image_name, type, parsed.mask, parsed.hsl, nullptr);
  if (!image || image->height <= 0 || image->width / count <= 0) return;
  const StateStripCells which = CellsOfStateStrip(count);
  const int indexes[4] = {which.normal, which.hot, which.pushed, which.disabled};
  const CUIRect& dest = parsed.dest;
  for (int i = 0; i < 4; ++i) {
    if (!cells[i] || indexes[i] < 0) continue;
    const CUIRect source = StateStripCellSource(image->width, image->height, count, indexes[i]);
    cells[i]->Format(L"res='%s' restype='%s' dest='%d,%d,%d,%d' source='%d,%d,%d,%d'",
                     parsed.image_name.GetData(), parsed.resource_type.GetData(), dest.left, dest.top,
                     dest.right, dest.bottom, source.left, source.top, source.right, source.bottom);
  }
}

bool CButtonUI::DrawFirstStateImage(HDC dc, std::initializer_list<StateImageChoice> choices) {
  for (const StateImageChoice& choice : choices) {
    if (choice.applies && !choice.image->IsEmpty() && DrawImageText(dc, *choice.image)) return true;
  }
  return false;
}

void CButtonUI::DrawStateImage(HDC dc) {
  CutStateStrip(state_image_, state_count_, {&normal_image_, &hot_image_, &pushed_image_, &disabled_image_});
  const uint32_t state = PaintState();
  if (DrawFirstStateImage(dc, {{(state & kButtonDisabled) != 0, &disabled_image_},
                               {(state & kButtonPushed) != 0, &pushed_image_},
                               {(state & kButtonHot) != 0, &hot_image_},
                               {(state & kButtonFocused) != 0, &focused_image_}})) {
    return;
  }
  if (!normal_image_.IsEmpty()) DrawImageText(dc, normal_image_);
}

void CButtonUI::DrawForeImage(HDC dc) {
  const uint32_t state = PaintState();
  if (DrawFirstStateImage(dc, {{(state & kButtonPushed) != 0, &pushed_fore_image_},
                               {(state & kButtonHot) != 0, &hot_fore_image_}})) {
    return;
  }
  CLabelUI::DrawForeImage(dc);
}

void CButtonUI::DrawTextContent(HDC dc) {
  TakeDefaultTextColours();
  const uint32_t state = PaintState();
  uint32_t colour = IsEnabled() ? GetTextColor() : GetDisabledTextColor();
  int font = GetFont();
  if ((state & kButtonPushed) && pushed_text_colour_ != 0) {
    colour = pushed_text_colour_;
  } else if ((state & kButtonHot) && hot_text_colour_ != 0) {
    colour = hot_text_colour_;
  } else if ((state & kButtonFocused) && focused_text_colour_ != 0) {
    colour = focused_text_colour_;
  }
  if ((state & kButtonPushed) && pushed_font_ != -1) {
    font = pushed_font_;
  } else if ((state & kButtonHot) && hot_font_ != -1) {
    font = hot_font_;
  } else if ((state & kButtonFocused) && focused_font_ != -1) {
    font = focused_font_;
  }
  DrawTextWith(dc, colour, font);
}

// Setters --------------------------------------------------------------------------------------------

const CUIString& CButtonUI::GetNormalImage() const { return normal_image_; }

void CButtonUI::SetNormalImage(const wchar_t* image) { StoreAndRepaint(&normal_image_, image); }

const CUIString& CButtonUI::GetHotImage() const { return hot_image_; }

void CButtonUI::SetHotImage(const wchar_t* image) { StoreAndRepaint(&hot_image_, image); }

const CUIString& CButtonUI::GetPushedImage() const { return pushed_image_; }

void CButtonUI::SetPushedImage(const wchar_t* image) { StoreAndRepaint(&pushed_image_, image); }

const CUIString& CButtonUI::GetFocusedImage() const { return focused_image_; }

void CButtonUI::SetFocusedImage(const wchar_t* image) { StoreAndRepaint(&focused_image_, image); }

const CUIString& CButtonUI::GetDisabledImage() const { return disabled_image_; }

void CButtonUI::SetDisabledImage(const wchar_t* image) { StoreAndRepaint(&disabled_image_, image); }

const CUIString& CButtonUI::GetHotForeImage() const { return hot_fore_image_; }

void CButtonUI::SetHotForeImage(const wchar_t* image) { StoreAndRepaint(&hot_fore_image_, image); }

const CUIString& CButtonUI::GetStateImage() const { return state_image_; }

void CButtonUI::SetStateImage(const wchar_t* image) {
  normal_image_.Empty();
  StoreAndRepaint(&state_image_, image);
}

void CButtonUI::SetPushedForeImage(const wchar_t* image) { StoreAndRepaint(&pushed_fore_image_, image); }

void CButtonUI::SetStateCount(int count) { StoreAndRepaint(&state_count_, count); }

void CButtonUI::SetHotBkColor(uint32_t colour) { StoreAndRepaint(&hot_bk_colour_, colour); }

void CButtonUI::SetPushedBkColor(uint32_t colour) { StoreAndRepaint(&pushed_bk_colour_, colour); }

void CButtonUI::SetDisabledBkColor(uint32_t colour) { StoreAndRepaint(&disabled_bk_colour_, colour); }

void CButtonUI::SetHotTextColor(uint32_t colour) { StoreAndRepaint(&hot_text_colour_, colour); }

void CButtonUI::SetPushedTextColor(uint32_t colour) { StoreAndRepaint(&pushed_text_colour_, colour); }

void CButtonUI::SetFocusedTextColor(uint32_t colour) { StoreAndRepaint(&focused_text_colour_, colour); }

void CButtonUI::SetHotFont(int font_id) { StoreAndRepaint(&hot_font_, font_id); }

void CButtonUI::SetPushedFont(int font_id) { StoreAndRepaint(&pushed_font_, font_id); }

void CButtonUI::SetFocusedFont(int font_id) { StoreAndRepaint(&focused_font_, font_id); }

void CButtonUI::SetBindTabLayoutName(const wchar_t* name) { bind_tab_layout_name_ = name; }

void CButtonUI::SetBindTabIndex(int index) {
  if (index >= 0) bind_tab_index_ = index;
}

}  // namespace veneer
