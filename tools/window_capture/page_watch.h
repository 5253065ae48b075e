#ifndef TOOLS_WINDOW_CAPTURE_PAGE_WATCH_H_
#define TOOLS_WINDOW_CAPTURE_PAGE_WATCH_H_

#include "tools/common/client_picture.h"

namespace tessaro::capture {

using tools::ClientPicture;

// Whether every pixel of the picture has the same colour (an empty picture counts as uniform). A
// window that has not painted yet, or that only erased its background, looks uniform.
bool IsUniform(const ClientPicture& picture);

// The share (0 to 1) of pixels whose red, green or blue differs by more than `tolerance` between the two
// pictures; 1 when their sizes differ.
double DifferingShare(const ClientPicture& a, const ClientPicture& b, int tolerance);

// The stages a watched window goes through, in order.
enum class WatchStage {
  kNoWindow,   // No window seen yet.
  kUnpainted,  // A window, but its pixels are uniform.
  kStartLook,  // Painted, and still looking as it does before its page is shown.
  kSettling,   // The page is shown; waiting until nothing changes for the settle time.
  kSettled,    // Nothing changed for the settle time.
  kGone,       // The window went away after it had been seen.
};

struct WatchSettings {
  int tolerance = 24;        // Per colour channel: smaller differences (dithering, font smoothing) are
                             // not a change of the page.
  double page_share = 0.10;  // The share of pixels that must differ from the start look for "page".
  double settle_ms = 1000;   // How long nothing may change for "settled".
};

// Decides, from successive looks at a window's client area, when it was first painted, when its page
// was shown (its pixels differ enough from the start look: a given picture, or else its first painted
// look) and when it settled (no pixel and no outside activity changed for the settle time). Plain
// arithmetic on pictures and times, fed by the capture loop; it reads no window itself. Owned by its
// caller, one thread.
class PageWatch {
 public:
  // `start_look` empty: the window's first painted look is its start look.
  PageWatch(const WatchSettings& settings, ClientPicture start_look);

  // One look at the window at `now_ms`: its client pixels, or null when there is no window; `activity`
  // when something outside the window changed since the last look (a server answered a request).
  void Observe(const ClientPicture* frame, bool activity, double now_ms);

  WatchStage stage() const { return stage_; }
  // When each stage was reached, in the times given to Observe; -1 until then.
  double first_paint_ms() const { return first_paint_ms_; }
  double page_ms() const { return page_ms_; }
  double settled_ms() const { return settled_ms_; }
  // The last picture seen (empty before the first).
  const ClientPicture& last_frame() const { return last_frame_; }

 private:
  void Advance(const ClientPicture& frame, bool activity, double now_ms);

  WatchSettings settings_;
  ClientPicture start_look_;
  ClientPicture last_frame_;
  WatchStage stage_ = WatchStage::kNoWindow;
  double first_paint_ms_ = -1;
  double page_ms_ = -1;
  double settled_ms_ = -1;
  double last_change_ms_ = -1;
};

}  // namespace tessaro::capture

#endif  // TOOLS_WINDOW_CAPTURE_PAGE_WATCH_H_
