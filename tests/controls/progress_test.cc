// The progress bar's 64-bit fill arithmetic, its value rules and percentage text, and one window's
// pixels of a colour fill and an image fill.
#include "ui/controls/progress.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/managed_window.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"

namespace veneer {
namespace {

constexpr int64_t kFourGigabytes = 4000000000LL;

TEST(ProgressTest, FillRectangles) {
  const CUIRect bar(10, 5, 310, 17);    // 300 x 12.
  const CUIRect column(0, 0, 20, 300);  // 20 x 300.
  const struct {
    const char* name;
    ProgressRange range;
    bool horizontal;
    CUIRect fill;
  } cases[] = {
      {"37 of 0 to 100", {0, 100, 37}, true, {10, 5, 121, 17}},
      {"vertical rises from the bottom", {0, 100, 37}, false, {0, 189, 20, 300}},
      {"a quarter of 4 GB", {0, kFourGigabytes, 1000000000}, true, {10, 5, 85, 17}},
      {"one byte short of 4 GB", {0, kFourGigabytes, kFourGigabytes - 1}, true, {10, 5, 309, 17}},
      {"all of 4 GB, vertical", {0, kFourGigabytes, kFourGigabytes}, false, {0, 0, 20, 300}},
      {"min equals max: empty", {50, 50, 50}, true, {10, 5, 10, 17}},
      {"inverted range: empty", {10, 5, 7}, true, {10, 5, 10, 17}},
      {"the whole 64-bit range, halfway", {INT64_MIN, INT64_MAX, 0}, true, {10, 5, 160, 17}},
      {"largest minimum", {INT64_MAX, INT64_MAX, INT64_MAX}, false, {0, 0, 20, 300}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CUIRect fill =
        ProgressFillRect(c.horizontal ? bar : column, NormaliseProgressRange(c.range), c.horizontal);
    EXPECT_TRUE(test::RectEq(c.fill, fill));
  }
}

TEST(ProgressTest, ValuesOutsideTheRangeAreIgnoredAndThePercentageNeverDividesByZero) {
  CProgressUI progress;
  progress.SetShowPercentage(true);
  EXPECT_STREQ(L"0%", progress.GetText().GetData());
  progress.SetValue(37);
  EXPECT_STREQ(L"37%", progress.GetText().GetData());
  for (int64_t ignored : {int64_t{150}, int64_t{-1}, int64_t{101}}) {
    progress.SetValue(ignored);
    EXPECT_EQ(37, progress.GetValue());
  }
  progress.ApplyAttribute(L"max", L"4000000000");
  progress.ApplyAttribute(L"value", L"3000000000");
  EXPECT_EQ(3000000000LL, progress.GetValue());
  EXPECT_STREQ(L"75%", progress.GetText().GetData());
  progress.ApplyAttribute(L"min", L"3000000000");
  progress.ApplyAttribute(L"max", L"3000000000");
  progress.UpdateProgressText();
  EXPECT_STREQ(L"0%", progress.GetText().GetData());
}

// Pixels inside `area` whose colour (alpha aside) is not `rgb`.
int CountColourNotEqual(const test::DibSurface& surface, uint32_t rgb, const RECT& area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += test::Rgb(surface.Pixel(x, y)) != rgb;
  }
  return count;
}

// Two bars in one 300-pixel-wide window, each at 37 of 0 to 100 over a white background: a red colour
// fill above, a stretched solid blue image below.
TEST(ProgressTest, BarsFillExactlyTheirShareInAWindow) {
  const test::TempFile blue(L"veneer_progress_fill.png",
                            test::EncodePngArgb(4, 4, std::vector<uint32_t>(16, 0xFF0000FF)));
  test::ManagedWindow window(300, 24);
  auto* coloured = new CProgressUI;
  coloured->SetForeColour(0xFFFF0000);
  auto* imaged = new CProgressUI;
  CUIString image = L"file='";
  image += blue.path().c_str();
  image += L"'";
  imaged->SetForeImage(image);
  for (CProgressUI* bar : {coloured, imaged}) {
    bar->SetBackColour(0xFFFFFFFF);
    bar->SetValue(37);
  }
  window.SetStackRoot({coloured, imaged});
  window.Show();
  test::DibSurface surface(300, 24);
  window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
  for (int row : {0, 12}) {
    SCOPED_TRACE(row);
    EXPECT_EQ(0, CountColourNotEqual(surface, row == 0 ? 0xFF0000 : 0x0000FF, {0, row, 111, row + 12}));
    EXPECT_EQ(0, CountColourNotEqual(surface, 0xFFFFFF, {111, row, 300, row + 12}));
  }
  EXPECT_STREQ(L"dest='0,0,111,12'", imaged->GetForeImageModifier().GetData());
}

}  // namespace
}  // namespace veneer
