#include <gtest/gtest.h>

#include <functional>

#include "ui/runtime/shadow_settings.h"

namespace veneer {
namespace {

class ChangeCounter : public IShadowSettingsObserver {
 public:
  void OnShadowSettingsChanged(const CShadowSettings&) override { ++changes; }
  int changes = 0;
};

TEST(ShadowSettings, SettersAcceptTheirRangesOnlyAndReportEachAcceptedChange) {
  using Setter = std::function<bool(CShadowSettings&)>;
  using Reader = std::function<int(const CShadowSettings&)>;
  const Reader size = [](const CShadowSettings& s) { return s.GetShadowSize(); };
  const Reader sharpness = [](const CShadowSettings& s) { return s.GetShadowSharpness(); };
  const Reader darkness = [](const CShadowSettings& s) { return s.GetShadowDarkness(); };
  const Reader x = [](const CShadowSettings& s) { return static_cast<int>(s.GetShadowPosition().x); };
  const Reader y = [](const CShadowSettings& s) { return static_cast<int>(s.GetShadowPosition().y); };
  const Reader corner_top = [](const CShadowSettings& s) {
    return static_cast<int>(s.GetShadowCorner().top);
  };
  const struct {
    const char* what;
    Setter set;
    bool accepted;
    Reader read;
    int value_after;
  } cases[] = {
      {"size -35", [](CShadowSettings& s) { return s.SetShadowSize(-35); }, true, size, -35},
      {"size 35", [](CShadowSettings& s) { return s.SetShadowSize(35); }, true, size, 35},
      {"size 36", [](CShadowSettings& s) { return s.SetShadowSize(36); }, false, size, 0},
      {"size -36", [](CShadowSettings& s) { return s.SetShadowSize(-36); }, false, size, 0},
      {"size 296 (40 in 8 bits)", [](CShadowSettings& s) { return s.SetShadowSize(296); }, false, size, 0},
      {"sharpness 0", [](CShadowSettings& s) { return s.SetShadowSharpness(0); }, true, sharpness, 0},
      {"sharpness 35", [](CShadowSettings& s) { return s.SetShadowSharpness(35); }, true, sharpness, 35},
      {"sharpness -1", [](CShadowSettings& s) { return s.SetShadowSharpness(-1); }, false, sharpness, 5},
      {"sharpness 36", [](CShadowSettings& s) { return s.SetShadowSharpness(36); }, false, sharpness, 5},
      {"darkness 255", [](CShadowSettings& s) { return s.SetShadowDarkness(255); }, true, darkness, 255},
      {"darkness 0", [](CShadowSettings& s) { return s.SetShadowDarkness(0); }, true, darkness, 0},
      {"darkness 256", [](CShadowSettings& s) { return s.SetShadowDarkness(256); }, false, darkness, 150},
      {"position -35,35", [](CShadowSettings& s) { return s.SetShadowPosition(-35, 35); }, true, y, 35},
      {"position 3,36 keeps x", [](CShadowSettings& s) { return s.SetShadowPosition(3, 36); }, false, x, 0},
      {"position -36,3 keeps y", [](CShadowSettings& s) { return s.SetShadowPosition(-36, 3); }, false, y, 0},
      {"corner 0,4,0,0", [](CShadowSettings& s) { return s.SetShadowCorner(CUIRect(0, 4, 0, 0)); }, true,
       corner_top, 4},
      {"corner with a negative side",
       [](CShadowSettings& s) { return s.SetShadowCorner(CUIRect(1, 4, -1, 1)); }, false, corner_top, 0},
  };
  for (const auto& c : cases) {
    CShadowSettings settings;
    ChangeCounter counter;
    settings.SetObserver(&counter);
    EXPECT_EQ(c.accepted, c.set(settings)) << c.what;
    EXPECT_EQ(c.value_after, c.read(settings)) << c.what;
    EXPECT_EQ(c.accepted ? 1 : 0, counter.changes) << c.what;
  }
}

TEST(ShadowSettings, AnImageNameSwitchesToTheImageModeWhichCopiesOnlyItsOwnSettings) {
  CShadowSettings source;
  EXPECT_FALSE(source.SetShadowImage(L""));
  source.SetShadowSharpness(9);
  source.SetShadowCorner(CUIRect(18, 19, 20, 20));
  CShadowSettings colour_copy;
  source.CopySettings(&colour_copy);
  EXPECT_EQ(9, colour_copy.GetShadowSharpness());
  EXPECT_EQ(0, colour_copy.GetShadowCorner().right);

  ASSERT_TRUE(source.SetShadowImage(L"frame.png"));
  source.ShowShadow(true);
  CShadowSettings image_copy;
  ChangeCounter counter;
  image_copy.SetObserver(&counter);
  source.CopySettings(&image_copy);
  EXPECT_TRUE(image_copy.UsesImage());
  EXPECT_TRUE(image_copy.IsShown());
  EXPECT_EQ(20, image_copy.GetShadowCorner().right);
  EXPECT_EQ(5, image_copy.GetShadowSharpness());
  EXPECT_EQ(4, counter.changes);  // Image, corner, size, show.
}

}  // namespace
}  // namespace veneer
