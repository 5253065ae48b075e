#include "ui/render/scaled_copies.h"

#include <gtest/gtest.h>

#include "ui/render/dib_section.h"

namespace veneer {
namespace {

ScaledCopyKey Key(int width, int height) {
  return ScaledCopyKey{width, height, CUIRect(0, 0, 8, 8), {}, false};
}

ScopedBitmap Bitmap() {
  uint32_t* pixels = nullptr;
  return CreateDibSection32(nullptr, 1, 1, true, &pixels);  // The size does not matter to the cache.
}

TEST(ScaledCopiesTest, EightCopiesAndFourMegapixelsAtMostTheLeastRecentlyUsedGoingFirst) {
  ScaledCopies copies;
  for (int width = 1; width <= 8; ++width) ASSERT_NE(nullptr, copies.Keep(Key(width, 10), Bitmap()));
  ASSERT_NE(nullptr, copies.Find(Key(1, 10)));  // Now the most recently used.
  copies.Keep(Key(9, 10), Bitmap());
  EXPECT_NE(nullptr, copies.Find(Key(1, 10)));
  EXPECT_EQ(nullptr, copies.Find(Key(2, 10)));
  ScaledCopyKey blended = Key(9, 10);
  blended.blended = true;
  EXPECT_EQ(nullptr, copies.Find(blended));

  copies.ForgetAll();
  EXPECT_EQ(nullptr, copies.Find(Key(1, 10)));
  ASSERT_NE(nullptr, copies.Keep(Key(1024, 1024), Bitmap()));
  ASSERT_NE(nullptr, copies.Keep(Key(1024, 2048), Bitmap()));
  ASSERT_NE(nullptr, copies.Keep(Key(512, 2048), Bitmap()));  // 4 M pixels in all.
  ASSERT_NE(nullptr, copies.Keep(Key(2, 2), Bitmap()));       // Over the budget: the oldest goes.
  EXPECT_EQ(nullptr, copies.Find(Key(1024, 1024)));
  EXPECT_NE(nullptr, copies.Find(Key(1024, 2048)));
  EXPECT_EQ(nullptr, copies.Keep(Key(4096, 1025), Bitmap()));
  EXPECT_EQ(nullptr, copies.Keep(Key(3, 3), ScopedBitmap()));
}

}  // namespace
}  // namespace veneer
