#include "ui/render/layered_alpha.h"

#include <gtest/gtest.h>

#include <vector>

namespace veneer {
namespace {

using Pixels = std::vector<uint32_t>;
using Operation = void (*)(const ArgbPixels& image, const RECT& area);

// All images here are 3 x 2 pixels.
Pixels Applied(Pixels pixels, Operation operation, const RECT& area) {
  operation({pixels.data(), 3, 2}, area);
  return pixels;
}

TEST(LayeredAlphaTest, ClearingAndMakingOpaqueChangeOnlyTheAreaInsideTheImage) {
  constexpr uint32_t c = 0xFF102030;
  const Pixels full = {c, c, c, c, c, c};
  const Pixels mixed = {0x00000000, 0x00123456, 0x80402010, 0x00000001, 0xFF000000, 0x00FFFFFF};
  const struct {
    const char* name;
    Operation operation;
    Pixels before;
    RECT area;
    Pixels after;
  } cases[] = {
      {"clear a column", ClearPixels, full, {1, 0, 2, 2}, {c, 0, c, c, 0, c}},
      {"clear beyond every edge", ClearPixels, full, {-5, -5, 50, 1}, {0, 0, 0, c, c, c}},
      {"clear an inverted area", ClearPixels, full, {2, 2, 1, 1}, full},
      {"colour without alpha becomes opaque",
       MakeColouredPixelsOpaque,
       mixed,
       {0, 0, 3, 2},
       {0x00000000, 0xFF123456, 0x80402010, 0xFF000001, 0xFF000000, 0xFFFFFFFF}},
      {"opaque only inside the area",
       MakeColouredPixelsOpaque,
       mixed,
       {1, 1, 3, 2},
       {0x00000000, 0x00123456, 0x80402010, 0x00000001, 0xFF000000, 0xFFFFFFFF}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.after, Applied(row.before, row.operation, row.area));
  }
}

TEST(LayeredAlphaTest, TheMaskAlphaScalesColourAndAlphaRoundingToNearest) {
  Pixels image = {0xFF804020, 0x80402010, 0xFFFFFFFF, 0xFF804020, 0xFF804020, 0xFF804020};
  Pixels mask = {0x80000000, 0x80FFFFFF, 0x00FFFFFF, 0xFF000000, 0x00000000, 0x00000000};
  MultiplyByMaskAlpha({image.data(), 3, 2}, {mask.data(), 3, 2}, {0, 0, 3, 2});
  EXPECT_EQ(Pixels({0x80402010, 0x40201008, 0x00000000, 0xFF804020, 0, 0}), image);

  Pixels untouched = {0xFF804020, 0xFF804020, 0xFF804020, 0xFF804020, 0xFF804020, 0xFF804020};
  const Pixels before = untouched;
  MultiplyByMaskAlpha({untouched.data(), 3, 2}, {mask.data(), 2, 3}, {0, 0, 3, 2});  // Another size.
  MultiplyByMaskAlpha({untouched.data(), 3, 2}, {mask.data(), 3, 2}, {0, 1, 3, 1});  // Empty area.
  EXPECT_EQ(before, untouched);
}

}  // namespace
}  // namespace veneer
