// The capture tool's decisions from successive looks at a window: first paint, page shown, settled.
#include "tools/window_capture/page_watch.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaro::capture {
namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kBlue = 0xFF2050C0u;

// A 10 x 10 picture of `base` whose first `changed` pixels are `paint`.
ClientPicture Picture(uint32_t base, int changed = 0, uint32_t paint = kBlue) {
  ClientPicture picture;
  picture.width = 10;
  picture.height = 10;
  picture.pixels.assign(100, base);
  for (int i = 0; i < changed; ++i) picture.pixels[i] = paint;
  return picture;
}

TEST(PageWatchTest, DifferingShareCountsPixelsBeyondTheTolerance) {
  const ClientPicture white = Picture(kWhite);
  EXPECT_DOUBLE_EQ(0.0, DifferingShare(white, white, 0));
  EXPECT_DOUBLE_EQ(0.25, DifferingShare(white, Picture(kWhite, 25, kBlue), 24));
  // A difference of 24 in one channel is within the tolerance, 25 is not; alpha never counts.
  EXPECT_DOUBLE_EQ(0.0, DifferingShare(white, Picture(kWhite, 50, 0xFFFFE7FFu), 24));
  EXPECT_DOUBLE_EQ(0.5, DifferingShare(white, Picture(kWhite, 50, 0xFFFFE6FFu), 24));
  EXPECT_DOUBLE_EQ(0.0, DifferingShare(white, Picture(kWhite, 50, 0x00FFFFFFu), 0));
  ClientPicture narrower = white;
  narrower.width = 5;
  narrower.height = 20;
  EXPECT_DOUBLE_EQ(1.0, DifferingShare(white, narrower, 24));
  EXPECT_DOUBLE_EQ(1.0, DifferingShare(white, ClientPicture(), 24));
}

TEST(PageWatchTest, UniformIgnoresAlpha) {
  EXPECT_TRUE(IsUniform(ClientPicture()));
  EXPECT_TRUE(IsUniform(Picture(kBlack)));
  EXPECT_TRUE(IsUniform(Picture(kWhite, 30, 0x00FFFFFFu)));
  EXPECT_FALSE(IsUniform(Picture(kBlack, 1, kWhite)));
}

// One look: the picture (none: no window), outside activity, the time.
struct Look {
  const ClientPicture* frame;
  bool activity;
  double now_ms;
};

struct Expected {
  WatchStage stage;
  double first_paint_ms;
  double page_ms;
  double settled_ms;
};

Expected Watch(const std::vector<Look>& looks, const ClientPicture& start_look = ClientPicture()) {
  WatchSettings settings;
  settings.settle_ms = 1000;
  PageWatch watch(settings, start_look);
  for (const Look& look : looks) watch.Observe(look.frame, look.activity, look.now_ms);
  return {watch.stage(), watch.first_paint_ms(), watch.page_ms(), watch.settled_ms()};
}

TEST(PageWatchTest, StagesFromSequencesOfLooks) {
  const ClientPicture black = Picture(kBlack);
  const ClientPicture skin = Picture(kWhite, 5);               // Title bar painted over a plain background.
  const ClientPicture page = Picture(kWhite, 30);              // The page covers 30% of the window.
  const ClientPicture pictures = Picture(kWhite, 30, kBlack);  // Its pictures arrived.
  const ClientPicture speck = Picture(kWhite, 14);             // 9% more than the skin: not a page.
  const struct {
    const char* what;
    std::vector<Look> looks;
    Expected expected;
  } cases[] = {
      {"nothing yet", {{nullptr, false, 0}, {nullptr, false, 5}}, {WatchStage::kNoWindow, -1, -1, -1}},
      {"unpainted window", {{nullptr, false, 0}, {&black, false, 5}}, {WatchStage::kUnpainted, -1, -1, -1}},
      {"painted", {{&black, false, 0}, {&skin, false, 7}}, {WatchStage::kStartLook, 7, -1, -1}},
      {"small change is not a page",
       {{&skin, false, 7}, {&speck, false, 9}},
       {WatchStage::kStartLook, 7, -1, -1}},
      {"page shown", {{&skin, false, 7}, {&page, false, 300}}, {WatchStage::kSettling, 7, 300, -1}},
      {"settles a second after the page",
       {{&skin, false, 7}, {&page, false, 300}, {&page, false, 1299}, {&page, false, 1300}},
       {WatchStage::kSettled, 7, 300, 1300}},
      {"pictures arriving start the settle time again",
       {{&skin, false, 7},
        {&page, false, 300},
        {&pictures, false, 900},
        {&pictures, false, 1800},
        {&pictures, false, 1900}},
       {WatchStage::kSettled, 7, 300, 1900}},
      {"server activity starts it again too",
       {{&skin, false, 7},
        {&page, false, 300},
        {&page, true, 1200},
        {&page, false, 2100},
        {&page, false, 2200}},
       {WatchStage::kSettled, 7, 300, 2200}},
      {"the window going away ends the watch",
       {{&skin, false, 7}, {nullptr, false, 20}, {&page, false, 30}},
       {WatchStage::kGone, 7, -1, -1}},
      {"settled is final",
       {{&skin, false, 0}, {&page, false, 1}, {&page, false, 1001}, {nullptr, false, 1002}},
       {WatchStage::kSettled, 0, 1, 1001}},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    const Expected result = Watch(row.looks);
    EXPECT_EQ(row.expected.stage, result.stage);
    EXPECT_EQ(row.expected.first_paint_ms, result.first_paint_ms);
    EXPECT_EQ(row.expected.page_ms, result.page_ms);
    EXPECT_EQ(row.expected.settled_ms, result.settled_ms);
  }
}

// With a given start look, a first paint that already shows the page counts as the page at once; a
// first paint that looks like the start look does not.
TEST(PageWatchTest, GivenStartLookRecognisesAPageInTheFirstPaint) {
  const ClientPicture skin = Picture(kWhite, 5);
  const ClientPicture page = Picture(kWhite, 30);
  const Expected at_once = Watch({{&page, false, 40}}, skin);
  EXPECT_EQ(WatchStage::kSettling, at_once.stage);
  EXPECT_EQ(40, at_once.first_paint_ms);
  EXPECT_EQ(40, at_once.page_ms);
  const Expected later = Watch({{&skin, false, 40}, {&page, false, 90}}, skin);
  EXPECT_EQ(WatchStage::kSettling, later.stage);
  EXPECT_EQ(90, later.page_ms);
  // Without it, the first paint is the start look and the same picture is no page.
  EXPECT_EQ(WatchStage::kStartLook, Watch({{&page, false, 40}}).stage);
}

}  // namespace
}  // namespace tessaro::capture
