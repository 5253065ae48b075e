#include "ui/render/scaled_copies.h"

#include <algorithm>
#include <new>
#include <utility>

namespace veneer {

bool ScaledCopyKey::operator==(const ScaledCopyKey& other) const {
  return width == other.width && height == other.height && EqualRect(&source, &other.source) &&
         EqualRect(&corner, &other.corner) && blended == other.blended;
}

HBITMAP ScaledCopies::Find(const ScaledCopyKey& key) {
  auto found =
      std::find_if(copies_.begin(), copies_.end(), [&key](const Copy& copy) { return copy.key == key; });
  if (found == copies_.end()) return nullptr;
  std::rotate(found, found + 1, copies_.end());  // Most recently used last.
  return copies_.back().bitmap.get();
}

namespace {

int64_t PixelsOf(const ScaledCopyKey& key) { return static_cast<int64_t>(key.width) * key.height; }

}  // namespace

HBITMAP ScaledCopies::Keep(const ScaledCopyKey& key, ScopedBitmap bitmap) {
  const int64_t pixels = PixelsOf(key);
  if (!bitmap || pixels > kMaxPixels) return nullptr;
  while (!copies_.empty() && (copies_.size() >= kMaxCopies || pixels_ + pixels > kMaxPixels)) {
    pixels_ -= PixelsOf(copies_.front().key);
    copies_.erase(copies_.begin());
  }
  try {
    copies_.push_back(Copy{key, std::move(bitmap)});
  } catch (const std::bad_alloc&) {
    return nullptr;  // Not kept: the bitmap went with the failed copy.
  }
  pixels_ += pixels;
  return copies_.back().bitmap.get();
}

}  // namespace veneer
