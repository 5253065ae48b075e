// The previewer's picture arithmetic: a window laid over its premultiplied drop shadow on a backdrop.
#include "tools/skin_preview/preview_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tessaro::preview {
namespace {

TEST(ClientPictureTest, TheWindowLiesOverItsShadowBlendedOnTheBackdrop) {
  // A 3 x 2 shadow at (-1,-1) and a 2 x 2 window at (1,0): the picture covers -1..3 by -1..2.
  std::vector<uint32_t> shadow = {0x00000000, 0x80000000, 0xFFFF0000,   // Clear, half black, opaque red.
                                  0x40202020, 0x80000000, 0x80000000};  // A quarter of dark grey.
  const ClientPicture client = {2, 2, std::vector<uint32_t>(4, 0xFF00FF00)};
  const ClientPicture picture =
      ComposeShadowedWindow({shadow.data(), 3, 2}, POINT{-1, -1}, client, POINT{1, 0}, 0xFFDCDCDC);
  constexpr uint32_t kBack = 0xFFDCDCDC;
  constexpr uint32_t kHalf = 0xFF6E6E6E;  // 220 * 127 / 255, rounded.
  constexpr uint32_t kGreen = 0xFF00FF00;
  const std::vector<uint32_t> expected = {kBack,      kHalf, 0xFFFF0000, kBack,   //
                                          0xFFC5C5C5, kHalf, kGreen,     kGreen,  // 32 + 220 * 191 / 255.
                                          kBack,      kBack, kGreen,     kGreen};
  EXPECT_EQ(4, picture.width);
  EXPECT_EQ(3, picture.height);
  EXPECT_EQ(expected, picture.pixels);
}

}  // namespace
}  // namespace tessaro::preview
