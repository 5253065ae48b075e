#include "ui/runtime/shadow_settings.h"

namespace veneer {

namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

bool IsExtent(int value) { return InRange(value, -CShadowSettings::kMaxExtent, CShadowSettings::kMaxExtent); }

}  // namespace

bool CShadowSettings::SetShadowSize(int size) {
  if (!IsExtent(size)) return false;
  size_ = static_cast<int8_t>(size);
  Changed();
  return true;
}

bool CShadowSettings::SetShadowSharpness(int sharpness) {
  if (!InRange(sharpness, 0, kMaxExtent)) return false;
  sharpness_ = static_cast<uint8_t>(sharpness);
  Changed();
  return true;
}

bool CShadowSettings::SetShadowDarkness(int darkness) {
  if (!InRange(darkness, 0, 255)) return false;
  darkness_ = static_cast<uint8_t>(darkness);
  Changed();
  return true;
}

bool CShadowSettings::SetShadowPosition(int x, int y) {
  if (!IsExtent(x) || !IsExtent(y)) return false;
  x_offset_ = static_cast<int8_t>(x);
  y_offset_ = static_cast<int8_t>(y);
  Changed();
  return true;
}

void CShadowSettings::SetShadowColour(uint32_t colour) {
  colour_ = colour;
  Changed();
}

bool CShadowSettings::SetShadowImage(const wchar_t* image) {
  if (!image || !image[0]) return false;
  image_ = image;
  use_image_ = true;
  Changed();
  return true;
}

bool CShadowSettings::SetShadowCorner(const RECT& corner) {
  if (corner.left < 0 || corner.top < 0 || corner.right < 0 || corner.bottom < 0) return false;
  corner_ = corner;
  Changed();
  return true;
}

void CShadowSettings::ShowShadow(bool show) {
  show_ = show;
  Changed();
}

void CShadowSettings::CopySettings(CShadowSettings* target) const {
  if (use_image_) {
    target->SetShadowImage(image_);
    target->SetShadowCorner(corner_);
    target->SetShadowSize(size_);
  } else {
    target->SetShadowSize(size_);
    target->SetShadowSharpness(sharpness_);
    target->SetShadowDarkness(darkness_);
    target->SetShadowColour(colour_);
    target->SetShadowPosition(x_offset_, y_offset_);
  }
  target->ShowShadow(show_);
}

void CShadowSettings::Changed() {
  if (observer_) observer_->OnShadowSettingsChanged(*this);
}

}  // namespace veneer
