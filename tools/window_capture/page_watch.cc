#include "tools/window_capture/page_watch.h"

#include <cstdlib>
#include <utility>

namespace tessaro::capture {
namespace {

bool ChannelsDiffer(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const int channel_a = static_cast<int>((a >> shift) & 0xFF);
    const int channel_b = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(channel_a - channel_b) > tolerance) return true;
  }
  return false;
}

}  // namespace

bool IsUniform(const ClientPicture& picture) {
  for (const uint32_t pixel : picture.pixels) {
    if ((pixel & 0xFFFFFFu) != (picture.pixels.front() & 0xFFFFFFu)) return false;
  }
  return true;
}

double DifferingShare(const ClientPicture& a, const ClientPicture& b, int tolerance) {
  if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return 1.0;
  if (a.pixels.empty()) return 0.0;
  size_t differing = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    if (ChannelsDiffer(a.pixels[i], b.pixels[i], tolerance)) ++differing;
  }
  return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

PageWatch::PageWatch(const WatchSettings& settings, ClientPicture start_look)
    : settings_(settings), start_look_(std::move(start_look)) {}

void PageWatch::Observe(const ClientPicture* frame, bool activity, double now_ms) {
  if (stage_ == WatchStage::kGone || stage_ == WatchStage::kSettled) return;
  if (!frame) {
    if (stage_ != WatchStage::kNoWindow) stage_ = WatchStage::kGone;
    return;
  }
  Advance(*frame, activity, now_ms);
  last_frame_ = *frame;
}

void PageWatch::Advance(const ClientPicture& frame, bool activity, double now_ms) {
  if (stage_ == WatchStage::kNoWindow || stage_ == WatchStage::kUnpainted) {
    if (IsUniform(frame)) {
      stage_ = WatchStage::kUnpainted;
      return;
    }
    first_paint_ms_ = now_ms;
    if (start_look_.pixels.empty()) start_look_ = frame;
    stage_ = WatchStage::kStartLook;
  }
  if (stage_ == WatchStage::kStartLook) {
    if (DifferingShare(frame, start_look_, settings_.tolerance) < settings_.page_share) return;
    page_ms_ = now_ms;
    last_change_ms_ = now_ms;
    stage_ = WatchStage::kSettling;
    return;
  }
  // Settling: any visible change, or outside activity, starts the settle time again.
  if (activity || DifferingShare(frame, last_frame_, 0) > 0) {
    last_change_ms_ = now_ms;
  } else if (now_ms - last_change_ms_ >= settings_.settle_ms) {
    settled_ms_ = now_ms;
    stage_ = WatchStage::kSettled;
  }
}

}  // namespace tessaro::capture
