#include "ui/render/shadow_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veneer {
namespace {

// A target image with guard pixels before and after it, to catch writes outside it.
class GuardedImage {
 public:
  GuardedImage(int width, int height)
      : width_(width),
        height_(height),
        storage_(static_cast<size_t>(width) * height + 2 * kGuard, kGuardValue) {
    std::fill(storage_.begin() + kGuard, storage_.end() - kGuard, 0u);
  }
  ArgbPixels pixels() { return {storage_.data() + kGuard, width_, height_}; }
  uint32_t At(int x, int y) const { return storage_[kGuard + static_cast<size_t>(y) * width_ + x]; }
  int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
  bool GuardsIntact() const {
    for (size_t i = 0; i < kGuard; ++i) {
      if (storage_[i] != kGuardValue || storage_[storage_.size() - 1 - i] != kGuardValue) return false;
    }
    return true;
  }

 private:
  static constexpr size_t kGuard = 4096;
  static constexpr uint32_t kGuardValue = 0x5A5A5A5A;
  int width_;
  int height_;
  std::vector<uint32_t> storage_;
};

TEST(ShadowPlacement, GrowsTheFrameBySizeAndMovesItByTheOffset) {
  const struct {
    RECT window;
    int size;
    POINT offset;
    CUIRect expected;
  } cases[] = {
      {{0, 0, 960, 720}, 18, {0, 0}, {-18, -18, 978, 738}},
      {{100, 50, 200, 90}, -5, {3, -4}, {108, 51, 198, 81}},
      {{100, 50, 200, 90}, -20, {0, 0}, {}},  // Height 40 - 40: empty.
      {{0, 0, 5000, 5000}, 0, {0, 0}, {}},    // More pixels than a bitmap may have.
      {{0, 0, 10, 10}, -35, {0, 0}, {}},      // Negative size.
  };
  for (const auto& c : cases) {
    const CUIRect placed = ShadowPlacement(c.window, c.size, c.offset);
    EXPECT_EQ(placed.left, c.expected.left);
    EXPECT_EQ(placed.top, c.expected.top);
    EXPECT_EQ(placed.right, c.expected.right);
    EXPECT_EQ(placed.bottom, c.expected.bottom);
  }
}

TEST(NineGridFrame, CornersLargerThanTheImageOrTheTargetWriteNothingOutside) {
  std::vector<uint32_t> image(36, 0xFFFFFFFF);
  const RECT corners[] = {{70, 70, 70, 70}, {5, 5, 5, 5}, {0, 0, 30, 30}};
  for (const RECT& corner : corners) {
    GuardedImage target(4, 3);
    ComposeNineGridFrame(target.pixels(), {image.data(), 6, 6}, corner);
    EXPECT_TRUE(target.GuardsIntact());
  }
}

TEST(ShadowOutline, EachRowSpansItsRectanglesInsideTheWindow) {
  const std::vector<RowSpan> outline =
      OutlineFromRectangles({{2, 0, 8, 2}, {0, 1, 3, 3}, {6, 2, 50, 4}, {-5, -5, 100, -1}}, 10, 5);
  const int expected[5][2] = {{2, 8}, {0, 8}, {0, 10}, {6, 10}, {0, 0}};
  ASSERT_EQ(outline.size(), 5u);
  for (int y = 0; y < 5; ++y) {
    EXPECT_EQ(outline[y].left, expected[y][0]) << y;
    EXPECT_EQ(outline[y].right, expected[y][1]) << y;
  }
}

TEST(ShadowKernel, AlphaIsSolidInTheCoreAndFallsByDarknessOverSharpnessPlusOne) {
  const ColourShadowStyle style = {6, 3, 200, 0};
  const struct {
    double distance;
    int alpha;
  } cases[] = {{0, 200}, {2.9, 200}, {3, 200}, {4, 150}, {5.5, 75}, {6, 50}, {6.01, 0}, {40, 0}};
  for (const auto& c : cases) EXPECT_EQ(KernelAlpha(style, c.distance), c.alpha) << c.distance;
  EXPECT_EQ(KernelAlpha({2, 8, 180, 0}, 0), 180);  // No core when sharper than large: falls at once.
  EXPECT_EQ(KernelAlpha({2, 8, 180, 0}, 8), 20);
}

TEST(ColourShadow, ReachesSizePixelsBeyondTheOutlineWithTheKernelsFalloff) {
  const struct {
    ColourShadowStyle style;
    int narrowing;  // sharpness - size when positive: the kernel's centre sits this far inside.
  } cases[] = {{{6, 3, 200, 0xFF102030}, 0}, {{4, 8, 255, 0xFF102030}, 4}};
  for (const auto& c : cases) {
    const int size = c.style.size;
    GuardedImage target(40 + 2 * size, 30 + 2 * size);
    MakeColourShadow(target.pixels(), OutlineFromRectangles({{0, 0, 40, 30}}, 40, 30), c.style);
    const int middle_row = 15 + size;
    const int edge = size + c.narrowing;  // The leftmost column the narrowed outline keeps.
    for (int x = 0; x <= edge; ++x) {
      EXPECT_EQ(target.Alpha(x, middle_row), KernelAlpha(c.style, edge - x)) << size << ": " << x;
    }
    // The middle is solid and premultiplied.
    const uint32_t d = static_cast<uint32_t>(c.style.darkness);
    EXPECT_EQ(target.At(20 + size, middle_row),
              d << 24 | (0x10 * d / 255) << 16 | (0x20 * d / 255) << 8 | 0x30 * d / 255);
    EXPECT_TRUE(target.GuardsIntact());
  }
}

TEST(ColourShadow, StampsNearOrPastTheBitmapEdgeAreCutOff) {
  const struct {
    ColourShadowStyle style;
    int width;
    int height;
  } cases[] = {
      {{35, 0, 255, 0xFFFFFFFF}, 2, 2},
      {{1, 35, 255, 0xFFFFFFFF}, 3, 100},
      {{-3, 0, 255, 0xFFFFFFFF}, 20, 10},
  };
  for (const auto& c : cases) {
    GuardedImage target(c.width + 2 * c.style.size, c.height + 2 * c.style.size);
    // An outline reaching past the window, as a corrupt region would give.
    std::vector<RowSpan> outline(c.height, RowSpan{-50, c.width + 50});
    MakeColourShadow(target.pixels(), outline, c.style);
    EXPECT_TRUE(target.GuardsIntact()) << c.style.size << "," << c.style.sharpness;
  }
}

}  // namespace
}  // namespace veneer
