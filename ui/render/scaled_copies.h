#ifndef UI_RENDER_SCALED_COPIES_H_
#define UI_RENDER_SCALED_COPIES_H_

#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/core/geometry.h"
#include "ui/core/win_handles.h"

namespace veneer {

// How an image was rendered into a scaled copy: the destination size, the part of the image and its
// nine-grid borders, and whether the pieces were blended (images with alpha) or copied.
struct ScaledCopyKey {
  int width = 0;
  int height = 0;
  CUIRect source;
  CUIRect corner;
  bool blended = false;

  bool operator==(const ScaledCopyKey& other) const;
};

// One image's nine-grid drawings rendered at a destination size, kept so that drawing the image at
// that size again copies pixels instead of stretching them again. At most eight copies of at most 4 M
// pixels (16 MB) together, the least recently used ones replaced first. The bitmaps are 32-bit top-down DIB
// sections, never left selected into a context. Owned by the image record whose pixels they show; they must
// be forgotten whenever those pixels change. UI thread only.
class ScaledCopies {
 public:
  ScaledCopies() = default;
  ScaledCopies(const ScaledCopies&) = delete;
  ScaledCopies& operator=(const ScaledCopies&) = delete;

  // The copy rendered for `key`, now the most recently used; null when there is none.
  HBITMAP Find(const ScaledCopyKey& key);
  // Keeps `bitmap` (of the key's size) as the copy for `key`, in place of the least recently used ones
  // as far as the limits ask. Returns the bitmap, still owned here; null (with nothing kept) for an
  // empty bitmap or one larger than the whole pixel budget.
  HBITMAP Keep(const ScaledCopyKey& key, ScopedBitmap bitmap);
  void ForgetAll() {
    copies_.clear();
    pixels_ = 0;
  }

 private:
  static constexpr size_t kMaxCopies = 8;
  static constexpr int64_t kMaxPixels = 4 * 1024 * 1024;
  struct Copy {
    ScaledCopyKey key;
    ScopedBitmap bitmap;
  };
  std::vector<Copy> copies_;  // The most recently used last.
  int64_t pixels_ = 0;        // Of all copies together.
};

}  // namespace veneer

#endif  // UI_RENDER_SCALED_COPIES_H_
