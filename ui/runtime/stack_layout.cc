#include "ui/runtime/stack_layout.h"

#include <vector>

#include "ui/core/attribute_values.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/paint_manager.h"
#include "ui/runtime/stack_arithmetic.h"

namespace veneer {
namespace {

constexpr uint32_t kDraggedBandColour = 0xAA000000;  // Translucent black.

// What differs between the two stacking directions besides the arithmetic.
struct StackNames {
  const wchar_t* class_name;
  const wchar_t* interface_name;
  const wchar_t* separator_attribute;
  WORD cursor;
};

const StackNames& NamesOf(LayoutAxis axis) {
  static const StackNames kVertical = {L"VerticalLayoutUI", L"VerticalLayout", L"sepheight",
                                       32645};  // IDC_SIZENS
  static const StackNames kHorizontal = {L"HorizontalLayoutUI", L"HorizontalLayout", L"sepwidth",
                                         32644};  // IDC_SIZEWE
  return axis == LayoutAxis::kVertical ? kVertical : kHorizontal;
}

}  // namespace

CStackLayoutUI::CStackLayoutUI(LayoutAxis axis) : axis_(axis) {}

CStackLayoutUI::~CStackLayoutUI() { CancelDrag(); }

const wchar_t* CStackLayoutUI::GetClassName() const { return NamesOf(axis_).class_name; }

void* CStackLayoutUI::FindInterface(const wchar_t* name) {
  if (CUIString(name).CompareNoCase(NamesOf(axis_).interface_name) == 0) return this;
  return CContainerUI::FindInterface(name);
}

uint32_t CStackLayoutUI::GetBehaviourFlags() const {
  return IsEnabled() && separator_ != 0 ? kBehaviourCursorRequests : 0;
}

void CStackLayoutUI::Place(const RECT& rect, bool invalidate) {
  if (!PlaceBounds(rect, invalidate)) return;
  const StackOptions options{GetRawChildPadding(), axis_ == LayoutAxis::kVertical
                                                       ? CrossAlignOfChildAlign(GetChildAlign())
                                                       : CrossAlignOfChildVAlign(GetChildVAlign())};
  const StackFrame frame = MakeStackFrame(axis_, options, GetBounds(), GetInset(), GetScrollBarStates());
  std::vector<LayoutChild> children = DescribeChildren();
  MeasureFlowChildren(StackMeasureOffers(frame, children), &children);
  const LayoutResult result = LayoutStack(frame, children);
  PlaceChildren(result, children, false);
  UpdateScrollBars(result.content, result.needed.cx, result.needed.cy);
}

void CStackLayoutUI::SetVisible(bool visible) {
  CContainerUI::SetVisible(visible);
  if (!IsVisible()) CancelDrag();
}

void CStackLayoutUI::SetParentVisible(bool visible) {
  CContainerUI::SetParentVisible(visible);
  if (!IsVisible()) CancelDrag();
}

void CStackLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
  const CUIString key(name);
  if (key.CompareNoCase(NamesOf(axis_).separator_attribute) == 0) {
    SetSeparator(ParseIntValue(value));
  } else if (key.CompareNoCase(L"sepimm") == 0) {
    SetSeparatorLive(ParseBoolValue(value));
  } else {
    CContainerUI::ApplyAttribute(name, value);
  }
}

// The separator -------------------------------------------------------------------------------------

void CStackLayoutUI::HandleEvent(EventRecord& event) {
  if (separator_ != 0 && HandleSeparatorEvent(event)) return;
  CContainerUI::HandleEvent(event);
}

bool CStackLayoutUI::HandleSeparatorEvent(const EventRecord& event) {
  switch (event.kind) {
    case EventKind::CursorRequest:
      if (!IsEnabled() || !InBand(event.mousePoint)) return false;
      SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(NamesOf(axis_).cursor)));
      return true;
    case EventKind::ButtonDown:
      if (!IsEnabled() || !InBand(event.mousePoint)) return false;
      StartDrag(event.mousePoint);
      return true;
    case EventKind::MouseMove:
      if (!drag_.active) return false;
      // Moves without the left button come only after the capture was lost, which ends the drag.
      if (event.keyState & kKeyStateLeftButton) {
        DragTo(event.mousePoint);
      } else {
        EndDrag();
      }
      return true;
    case EventKind::ButtonUp:
      if (!drag_.active) return false;
      EndDrag();
      return true;
    default:
      return false;
  }
}

void CStackLayoutUI::StartDrag(const POINT& point) {
  drag_.active = true;
  drag_.last = AlongAxis(point);
  drag_.rect = GetBounds();
  CPaintManagerUI* manager = GetPaintManager();
  if (!separator_live_ && manager) manager->AddPaintAfterChildren(this);
}

void CStackLayoutUI::DragTo(const POINT& point) {
  const bool vertical = axis_ == LayoutAxis::kVertical;
  const int along = AlongAxis(point);
  const CUIRect moved =
      DragSeparator(axis_, drag_.rect, separator_, drag_.last, along,
                    vertical ? GetMinHeight() : GetMinWidth(), vertical ? GetMaxHeight() : GetMaxWidth());
  drag_.last = along;
  if (EqualRect(&moved, &drag_.rect)) return;
  CUIRect repaint = Band(drag_.rect);
  drag_.rect = moved;
  if (vertical) {
    SetFixedHeight(moved.GetHeight());
  } else {
    SetFixedWidth(moved.GetWidth());
  }
  if (separator_live_) {
    Place(moved, true);
    MarkParentLayoutDirty();
    return;
  }
  repaint.Join(Band(moved));
  if (CPaintManagerUI* manager = GetPaintManager()) manager->InvalidateArea(repaint);
}

void CStackLayoutUI::EndDrag() {
  if (!drag_.active) return;
  CancelDrag();
  const CUIRect rect = drag_.rect;
  Place(rect, true);
  MarkParentLayoutDirty();
}

void CStackLayoutUI::CancelDrag() {
  if (!drag_.active) return;
  drag_.active = false;
  if (CPaintManagerUI* manager = GetPaintManager()) manager->RemovePaintAfterChildren(this);
}

void CStackLayoutUI::PaintAfterChildren(HDC dc, const RECT& /*paint_area*/) {
  if (drag_.active && !separator_live_) Renderer::DrawColor(dc, Band(drag_.rect), kDraggedBandColour);
}

}  // namespace veneer
