// The container's scroll bars: creating them, fitting them to the content after a layout pass, and
// scrolling the children.

#include <memory>

#include "ui/runtime/container.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

// How often UpdateScrollBars may place the container again inside one placing. Showing or hiding a bar
// and lowering a position settle within a few rounds; more means children that never settle.
constexpr int kMaxPlaceAgainDepth = 8;

ScrollBarState StateOf(const CScrollBarUI* bar) {
  if (!bar) return ScrollBarState{};
  return ScrollBarState{bar->IsVisible() ? ScrollBarPresence::kShown : ScrollBarPresence::kHidden,
                        bar->GetThickness(), bar->GetScrollRange(), bar->GetScrollPos()};
}

}  // namespace

ScrollBars CContainerUI::GetScrollBarStates() const {
  return ScrollBars{StateOf(vertical_bar_.get()), StateOf(horizontal_bar_.get())};
}

CUIRect CContainerUI::GetClientBounds() const {
  return ScrollableArea(GetBounds(), inset_, GetScrollBarStates());
}

// The bars --------------------------------------------------------------------------------------------

std::unique_ptr<CScrollBarUI> CContainerUI::CreateScrollBar(bool horizontal) {
  auto bar = std::make_unique<CScrollBarUI>();
  bar->SetHorizontal(horizontal);
  CPaintManagerUI* manager = GetPaintManager();
  bar->AttachManager(manager, this, false);
  if (manager) {
    const wchar_t* defaults = manager->FindDefaultAttributes(horizontal ? L"HScrollBar" : L"VScrollBar");
    if (defaults) bar->ApplyAttributeText(defaults);
  }
  const CUIString& style = horizontal ? horizontal_bar_style_ : vertical_bar_style_;
  if (!style.IsEmpty()) bar->ApplyAttributeText(style);
  return bar;
}

void CContainerUI::EnableScrollBars(bool vertical, bool horizontal) {
  if (vertical && !vertical_bar_) {
    vertical_bar_ = CreateScrollBar(false);
  } else if (!vertical) {
    vertical_bar_.reset();
  }
  if (horizontal && !horizontal_bar_) {
    horizontal_bar_ = CreateScrollBar(true);
  } else if (!horizontal) {
    horizontal_bar_.reset();
  }
  MarkLayoutDirty();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const { return vertical_bar_.get(); }

CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const { return horizontal_bar_.get(); }

void CContainerUI::UpdateScrollBars(const RECT& content, int needed_width, int needed_height) {
  if (ApplyScrollBarUpdate(LayoutAxis::kHorizontal, horizontal_bar_.get(), content, needed_width)) return;
  ApplyScrollBarUpdate(LayoutAxis::kVertical, vertical_bar_.get(), content, needed_height);
}

bool CContainerUI::ApplyScrollBarUpdate(LayoutAxis axis, CScrollBarUI* bar, const RECT& content, int needed) {
  if (!bar) return false;
  const ScrollBarUpdate update = UpdateScrollBar(axis, StateOf(bar), content, needed);
  bar->SetScrollRange(update.bar.range);
  bar->SetScrollPos(update.bar.position);
  bar->SetVisible(update.bar.IsShown());
  if (update.place_bar) bar->Place(update.bar_rect, false);
  if (!update.place_again) return false;
  if (place_again_depth_ < kMaxPlaceAgainDepth) {
    ++place_again_depth_;
    const CUIRect bounds = GetBounds();
    Place(bounds, true);
    --place_again_depth_;
  }
  return true;
}

// Scrolling -------------------------------------------------------------------------------------------

CUISize CContainerUI::GetScrollPosition() const {
  const ScrollBars bars = GetScrollBarStates();
  return CUISize(bars.horizontal.ShownPosition(), bars.vertical.ShownPosition());
}

CUISize CContainerUI::GetScrollRange() const {
  const ScrollBars bars = GetScrollBarStates();
  return CUISize(bars.horizontal.ShownRange(), bars.vertical.ShownRange());
}

void CContainerUI::SetScrollPosition(const SIZE& position, bool notify) {
  const ScrollBars bars = GetScrollBarStates();
  const ScrollMove vertical = MoveScrollBar(bars.vertical, position.cy);
  const ScrollMove horizontal = MoveScrollBar(bars.horizontal, position.cx);
  if (bars.vertical.IsShown()) vertical_bar_->SetScrollPos(vertical.position);
  if (bars.horizontal.IsShown()) horizontal_bar_->SetScrollPos(horizontal.position);
  if (vertical.delta == 0 && horizontal.delta == 0) return;
  const uint32_t list = list_changes_;
  for (int i = 0; i < GetCount() && list == list_changes_; ++i) {
    CControlUI* child = GetItemAt(i);
    if (!child->IsVisible() || child->IsFloat()) continue;
    child->Place(ScrolledRect(child->GetBounds(), horizontal.delta, vertical.delta), true);
  }
  RequestRepaint();
  if (vertical_bar_ && notify && GetPaintManager()) {
    Notify(kNotifyScroll, ScrollNotificationLine(vertical_bar_->GetScrollPos(), vertical_bar_->GetLineSize()),
           0);
  }
}

void CContainerUI::SetScrollStepSize(int step) {
  if (step > 0) scroll_step_size_ = step;
}

int CContainerUI::GetScrollStepSize() const { return Scaled(scroll_step_size_); }

std::optional<int> CContainerUI::DefaultFontHeight() const {
  CPaintManagerUI* manager = GetPaintManager();
  if (!manager) return std::nullopt;
  return manager->GetDefaultFontRecord()->metrics.tmHeight;
}

void CContainerUI::ScrollBy(LayoutAxis axis, ScrollCommand command) {
  const ScrollBars bars = GetScrollBarStates();
  const ScrollSteps steps =
      ScrollStepsOf(axis, GetScrollStepSize(), DefaultFontHeight(), GetBounds(), inset_, bars);
  CUISize position = GetScrollPosition();
  if (axis == LayoutAxis::kVertical) {
    position.cy = ClampToLong(ScrollTarget(command, bars.vertical, steps));
  } else {
    position.cx = ClampToLong(ScrollTarget(command, bars.horizontal, steps));
  }
  SetScrollPosition(position, true);
}

void CContainerUI::LineUp() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kLineBack); }
void CContainerUI::LineDown() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kLineForward); }
void CContainerUI::PageUp() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kPageBack); }
void CContainerUI::PageDown() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kPageForward); }
void CContainerUI::HomeUp() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kHome); }
void CContainerUI::EndDown() { ScrollBy(LayoutAxis::kVertical, ScrollCommand::kEnd); }
void CContainerUI::LineLeft() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kLineBack); }
void CContainerUI::LineRight() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kLineForward); }
void CContainerUI::PageLeft() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kPageBack); }
void CContainerUI::PageRight() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kPageForward); }
void CContainerUI::HomeLeft() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kHome); }
void CContainerUI::EndRight() { ScrollBy(LayoutAxis::kHorizontal, ScrollCommand::kEnd); }

}  // namespace veneer
