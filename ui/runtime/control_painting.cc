// The control base's look: its setters, the paint entry points and the seven paint layers.

#include <cstdint>

#include "ui/render/clip_region.h"
#include "ui/render/render_engine.h"
#include "ui/runtime/control.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

constexpr int kTwoStopGradientSteps = 16;
constexpr int kHalfGradientSteps = 8;

bool IsOpaque(uint32_t colour) { return colour >= 0xFF000000; }

}  // namespace

// Setters --------------------------------------------------------------------------------------------

void CControlUI::RepaintIfChanged(CUIString* field, const wchar_t* value) {
  if (*field == value) return;
  *field = value;
  RequestRepaint();
}

void CControlUI::SetBackColour(uint32_t colour) { RepaintIfChanged(&back_colour_, colour); }

void CControlUI::SetBackColour2(uint32_t colour) { RepaintIfChanged(&back_colour2_, colour); }

void CControlUI::SetBackColour3(uint32_t colour) { RepaintIfChanged(&back_colour3_, colour); }

void CControlUI::SetForeColour(uint32_t colour) { RepaintIfChanged(&fore_colour_, colour); }

void CControlUI::SetBorderColour(uint32_t colour) { RepaintIfChanged(&border_colour_, colour); }

void CControlUI::SetFocusBorderColour(uint32_t colour) { RepaintIfChanged(&focus_border_colour_, colour); }

void CControlUI::SetHslAdjusted(bool adjusted) { RepaintIfChanged(&hsl_adjusted_, adjusted); }

void CControlUI::SetGradient(const wchar_t* gradient) { RepaintIfChanged(&gradient_, gradient); }

void CControlUI::SetBackImage(const wchar_t* image) {
  if (manager_) manager_->RemoveImage(image, false);
  RepaintIfChanged(&back_image_, image);
}

void CControlUI::SetForeImage(const wchar_t* image) { RepaintIfChanged(&fore_image_, image); }

int CControlUI::GetBorderSize() const { return Scaled(border_size_); }

void CControlUI::SetBorderSize(int size) { RepaintIfChanged(&border_size_, size); }

void CControlUI::SetBorderStyle(int pen_style) {
  border_style_ = pen_style;
  RequestRepaint();
}

CUISize CControlUI::GetBorderRound() const {
  return manager_ ? manager_->GetDisplayScale()->ScaleSize(border_round_) : border_round_;
}

void CControlUI::SetBorderRound(int cx, int cy) {
  border_round_ = CUISize(cx, cy);
  RequestRepaint();
}

CUIRect CControlUI::GetBorderSides() const {
  return manager_ ? manager_->GetDisplayScale()->ScaleEdges(border_sides_) : border_sides_;
}

void CControlUI::SetBorderSides(const RECT& sides) {
  border_sides_ = sides;
  RequestRepaint();
}

void CControlUI::SetBorderSide(LONG* side, int width) {
  *side = width;
  RequestRepaint();
}

void CControlUI::SetLeftBorder(int width) { SetBorderSide(&border_sides_.left, width); }

void CControlUI::SetTopBorder(int width) { SetBorderSide(&border_sides_.top, width); }

void CControlUI::SetRightBorder(int width) { SetBorderSide(&border_sides_.right, width); }

void CControlUI::SetBottomBorder(int width) { SetBorderSide(&border_sides_.bottom, width); }

// Painting -------------------------------------------------------------------------------------------

uint32_t CControlUI::AdjustColour(uint32_t colour) const {
  if (!hsl_adjusted_) return colour;
  const HslAdjustment hsl = CPaintManagerUI::GetHslAdjustment();
  return Renderer::AdjustColorHsl(colour, hsl.hue, hsl.saturation, hsl.lightness);
}

bool CControlUI::DrawImageText(HDC dc, const wchar_t* draw_string, const wchar_t* modifier) {
  return Renderer::DrawImageDescriptor(dc, manager_, bounds_, paint_rect_, draw_string, modifier);
}

bool CControlUI::PaintInto(HDC dc, const RECT& paint_area, CControlUI* stop_control) {
  if (this == stop_control) return false;
  if (!IntersectRect(&paint_rect_, &paint_area, &bounds_)) return true;
  return PaintLayers(dc, paint_area, stop_control);
}

bool CControlUI::PaintLayers(HDC dc, const RECT& /*paint_area*/, CControlUI* /*stop_control*/) {
  const CUISize round = GetBorderRound();
  ClipRegion clip;  // Undoes the rounded clip when it goes.
  if (round.cx > 0 || round.cy > 0) Renderer::ClipToRoundRect(dc, bounds_, round.cx, round.cy, &clip);
  DrawBackColour(dc);
  DrawBackImage(dc);
  DrawStateImage(dc);
  DrawForeColour(dc);
  DrawForeImage(dc);
  DrawTextContent(dc);
  DrawBorder(dc);
  return true;
}

void CControlUI::DrawBackColour(HDC dc) {
  if (back_colour_ == 0) return;
  const uint32_t first = AdjustColour(back_colour_);
  if (back_colour2_ == 0) {
    Renderer::DrawColor(dc, IsOpaque(first) ? paint_rect_ : bounds_, first);
    return;
  }
  const bool vertical = gradient_.CompareNoCase(L"hor") != 0;
  const uint32_t second = AdjustColour(back_colour2_);
  if (back_colour3_ == 0) {
    Renderer::DrawGradient(dc, bounds_, first, second, vertical, kTwoStopGradientSteps);
    return;
  }
  // Three stops: the halves always split top and bottom; the direction applies within each half.
  const LONG middle = static_cast<LONG>((static_cast<int64_t>(bounds_.top) + bounds_.bottom) / 2);
  const CUIRect upper(bounds_.left, bounds_.top, bounds_.right, middle);
  const CUIRect lower(bounds_.left, middle, bounds_.right, bounds_.bottom);
  Renderer::DrawGradient(dc, upper, first, second, vertical, kHalfGradientSteps);
  Renderer::DrawGradient(dc, lower, second, AdjustColour(back_colour3_), vertical, kHalfGradientSteps);
}

void CControlUI::DrawBackImage(HDC dc) {
  if (!back_image_.IsEmpty()) DrawImageText(dc, back_image_);
}

void CControlUI::DrawStateImage(HDC /*dc*/) {}

void CControlUI::DrawForeColour(HDC dc) {
  if (fore_colour_ != 0) Renderer::DrawColor(dc, bounds_, AdjustColour(fore_colour_));
}

void CControlUI::DrawForeImage(HDC dc) {
  if (!fore_image_.IsEmpty()) DrawImageText(dc, fore_image_);
}

void CControlUI::DrawTextContent(HDC /*dc*/) {}

void CControlUI::DrawBorder(HDC dc) {
  if (border_colour_ == 0 && focus_border_colour_ == 0) return;
  const int size = GetBorderSize();
  const CUISize round = GetBorderRound();
  const bool focus_outline = focused_ && focus_border_colour_ != 0;
  // A zero colour stands for "no border" here too: with only a focus colour set, an unfocused control
  // draws nothing rather than a black line.
  if (size >= 1 && (round.cx >= 1 || round.cy >= 1)) {
    const uint32_t colour = focus_outline ? focus_border_colour_ : border_colour_;
    if (colour != 0) {
      Renderer::DrawRoundRect(dc, bounds_, size, round.cx, round.cy, AdjustColour(colour), border_style_);
    }
    return;
  }
  if (focus_outline && size > 0) {
    Renderer::DrawRect(dc, bounds_, size, AdjustColour(focus_border_colour_));
    return;
  }
  if (border_colour_ == 0) return;
  const uint32_t colour = AdjustColour(border_colour_);
  const CUIRect sides = GetBorderSides();
  if (sides.left > 0 || sides.top > 0 || sides.right > 0 || sides.bottom > 0) {
    const CUIRect& b = bounds_;
    if (sides.left > 0)
      Renderer::DrawLine(dc, {b.left, b.top, b.left, b.bottom}, sides.left, colour, border_style_);
    if (sides.top > 0)
      Renderer::DrawLine(dc, {b.left, b.top, b.right, b.top}, sides.top, colour, border_style_);
    if (sides.right > 0) {
      Renderer::DrawLine(dc, {b.right - 1, b.top, b.right - 1, b.bottom}, sides.right, colour, border_style_);
    }
    if (sides.bottom > 0) {
      Renderer::DrawLine(dc, {b.left, b.bottom - 1, b.right, b.bottom - 1}, sides.bottom, colour,
                         border_style_);
    }
    return;
  }
  if (size >= 1) Renderer::DrawRect(dc, bounds_, size, colour);
}

void CControlUI::PaintAfterChildren(HDC /*dc*/, const RECT& /*paint_area*/) {}

}  // namespace veneer
