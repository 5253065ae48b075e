#include "ui/render/shadow_pixels.h"

#include <algorithm>
#include <cmath>

#include "ui/render/dib_section.h"
#include "ui/render/nine_grid.h"

namespace veneer {
namespace {

bool Contains(const ArgbPixels& image, const RECT& area) {
  return area.left >= 0 && area.top >= 0 && area.right <= image.width && area.bottom <= image.height;
}

// The source coordinate that destination coordinate `index` of a `dest_length` span takes from a
// `source_length` span: the nearest one to the destination pixel's centre.
LONG NearestSource(LONG index, LONG dest_length, LONG source_length) {
  return static_cast<LONG>((2 * static_cast<int64_t>(index) + 1) * source_length / (2 * dest_length));
}

void CopyStretched(const ArgbPixels& target, const ArgbPixels& image, const BitmapPiece& piece) {
  if (!Contains(image, piece.source)) return;
  const CUIRect& dest = piece.dest;
  const CUIRect& source = piece.source;
  const LONG top = std::max<LONG>(dest.top, 0);
  const LONG bottom = std::min<LONG>(dest.bottom, target.height);
  const LONG left = std::max<LONG>(dest.left, 0);
  const LONG right = std::min<LONG>(dest.right, target.width);
  for (LONG y = top; y < bottom; ++y) {
    const LONG source_y = source.top + NearestSource(y - dest.top, dest.GetHeight(), source.GetHeight());
    const uint32_t* source_row = image.pixels + static_cast<size_t>(source_y) * image.width;
    uint32_t* target_row = target.pixels + static_cast<size_t>(y) * target.width;
    for (LONG x = left; x < right; ++x) {
      target_row[x] =
          source_row[source.left + NearestSource(x - dest.left, dest.GetWidth(), source.GetWidth())];
    }
  }
}

uint32_t Premultiplied(uint32_t colour, int alpha) {
  const auto channel = [colour, alpha](int shift) {
    return ((colour >> shift) & 0xFFu) * alpha / 255 << shift;
  };
  return static_cast<uint32_t>(alpha) << 24 | channel(16) | channel(8) | channel(0);
}

// One step of narrowing: a row keeps the columns inside it and both neighbouring rows, less one on
// each side; rows beyond the outline count as empty.
std::vector<RowSpan> Narrowed(const std::vector<RowSpan>& outline) {
  const auto row = [&outline](size_t index, int step) {
    const int64_t neighbour = static_cast<int64_t>(index) + step;
    return neighbour < 0 || neighbour >= static_cast<int64_t>(outline.size()) ? RowSpan{}
                                                                              : outline[neighbour];
  };
  std::vector<RowSpan> narrowed(outline.size());
  for (size_t y = 0; y < outline.size(); ++y) {
    const RowSpan above = row(y, -1);
    const RowSpan below = row(y, 1);
    const RowSpan& self = outline[y];
    if (above.IsEmpty() || below.IsEmpty() || self.IsEmpty()) continue;
    narrowed[y].left = std::max({above.left, self.left, below.left}) + 1;
    narrowed[y].right = std::min({above.right, self.right, below.right}) - 1;
  }
  return narrowed;
}

// A square of (2 radius + 1)^2 premultiplied pixels, pressed onto the target so that every pixel keeps
// the darker of its own value and the kernel's.
class ShadowKernel {
 public:
  explicit ShadowKernel(const ColourShadowStyle& style)
      : radius_(std::max({style.size, style.sharpness, 0})), side_(2 * radius_ + 1) {
    cells_.reserve(static_cast<size_t>(side_) * side_);
    for (int y = -radius_; y <= radius_; ++y) {
      for (int x = -radius_; x <= radius_; ++x) {
        cells_.push_back(Premultiplied(style.colour, KernelAlpha(style, std::hypot(x, y))));
      }
    }
  }

  void StampAt(const ArgbPixels& target, int centre_x, int centre_y) const {
    const int top = std::max(centre_y - radius_, 0);
    const int bottom = std::min(centre_y + radius_ + 1, target.height);
    const int left = std::max(centre_x - radius_, 0);
    const int right = std::min(centre_x + radius_ + 1, target.width);
    for (int y = top; y < bottom; ++y) {
      const uint32_t* cells = cells_.data() + static_cast<size_t>(y - centre_y + radius_) * side_;
      uint32_t* row = target.pixels + static_cast<size_t>(y) * target.width;
      // Colour bytes grow with alpha, so the larger value is the darker one.
      for (int x = left; x < right; ++x) row[x] = std::max(row[x], cells[x - centre_x + radius_]);
    }
  }

 private:
  int radius_;
  int side_;
  std::vector<uint32_t> cells_;
};

}  // namespace

CUIRect ShadowPlacement(const RECT& window, int size, POINT offset) {
  const int64_t width = static_cast<int64_t>(window.right) - window.left + 2 * static_cast<int64_t>(size);
  const int64_t height = static_cast<int64_t>(window.bottom) - window.top + 2 * static_cast<int64_t>(size);
  if (width <= 0 || height <= 0 || width * height > kMaxBitmapPixels) return CUIRect();
  const LONG left = window.left - size + offset.x;
  const LONG top = window.top - size + offset.y;
  return CUIRect(left, top, left + static_cast<LONG>(width), top + static_cast<LONG>(height));
}

void ComposeNineGridFrame(const ArgbPixels& target, const ArgbPixels& image, const RECT& corner) {
  if (!target.pixels || !image.pixels || image.width <= 0 || image.height <= 0) return;
  const CUIRect whole(0, 0, target.width, target.height);
  LayoutNineGrid(whole, CUIRect(0, 0, image.width, image.height), corner, NineGridMiddle::kHole, whole,
                 [&target, &image](const BitmapPiece& piece) { CopyStretched(target, image, piece); });
}

std::vector<RowSpan> OutlineFromRectangles(const std::vector<RECT>& rectangles, int width, int height) {
  std::vector<RowSpan> outline(static_cast<size_t>(std::max(height, 0)));
  for (const RECT& rectangle : rectangles) {
    const int left = std::max<int>(rectangle.left, 0);
    const int right = std::min<int>(rectangle.right, width);
    if (left >= right) continue;
    for (int y = std::max<int>(rectangle.top, 0); y < std::min<int>(rectangle.bottom, height); ++y) {
      RowSpan& span = outline[y];
      span = span.IsEmpty() ? RowSpan{left, right}
                            : RowSpan{std::min(span.left, left), std::max(span.right, right)};
    }
  }
  return outline;
}

int KernelAlpha(const ColourShadowStyle& style, double distance) {
  const int radius = std::max({style.size, style.sharpness, 0});
  const int core = std::max(style.size - style.sharpness, 0);
  if (distance < core) return style.darkness;
  if (distance > radius) return 0;
  return static_cast<int>((1 - (distance - core) / (style.sharpness + 1)) * style.darkness);
}

void MakeColourShadow(const ArgbPixels& target, const std::vector<RowSpan>& outline,
                      const ColourShadowStyle& style) {
  if (!target.pixels) return;
  std::vector<RowSpan> shape = outline;
  for (int step = style.size; step < style.sharpness; ++step) shape = Narrowed(shape);
  const ShadowKernel kernel(style);
  const uint32_t solid = Premultiplied(style.colour, style.darkness);
  const RowSpan none;
  for (size_t y = 0; y < shape.size(); ++y) {
    const RowSpan& span = shape[y];
    if (span.IsEmpty()) continue;
    const RowSpan& above = y > 0 ? shape[y - 1] : none;
    const RowSpan& below = y + 1 < shape.size() ? shape[y + 1] : none;
    // The columns with an outside neighbour get the kernel; a row next to an empty one is all edge.
    int edge_end = span.right;
    int edge_start = span.right;
    if (!above.IsEmpty() && !below.IsEmpty()) {
      edge_end = std::clamp(std::max(above.left, below.left) + 1, span.left + 1, span.right);
      edge_start = edge_end == span.right
                       ? span.right
                       : std::clamp(std::min(above.right, below.right) - 1, edge_end, span.right - 1);
    }
    const int row = static_cast<int>(y) + style.size;
    for (int x = span.left; x < edge_end; ++x) kernel.StampAt(target, x + style.size, row);
    for (int x = edge_start; x < span.right; ++x) kernel.StampAt(target, x + style.size, row);
    if (row < 0 || row >= target.height) continue;
    uint32_t* pixels = target.pixels + static_cast<size_t>(row) * target.width;
    for (int x = std::max(edge_end + style.size, 0); x < std::min(edge_start + style.size, target.width);
         ++x) {
      pixels[x] = std::max(pixels[x], solid);
    }
  }
}

}  // namespace veneer
