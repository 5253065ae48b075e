// Labels in a real window: where the text lands (pixels read back) and how large a label measures.
#include "ui/controls/label.h"

#include <gtest/gtest.h>

#include "tests/controls/label_window.h"
#include "ui/runtime/stack_layout.h"

namespace veneer {
namespace {

using test::LabelWindow;

CLabelUI* MakeLabel(const wchar_t* attributes) {
  auto* label = new CLabelUI;
  label->ApplyAttributeText(attributes);
  return label;
}

TEST(LabelTest, TextIsCentredBothWays) {
  // The top-aligned twin shows where the glyphs sit in their line; centring moves them down by half the
  // room the line leaves.
  CLabelUI* top = MakeLabel(L"text=\"Hello\" font=\"1\" align=\"center\" valign=\"top\" height=\"60\"");
  CLabelUI* centred = MakeLabel(L"text=\"Hello\" font=\"1\" align=\"center\" height=\"60\"");
  LabelWindow window(200, 120, new CVerticalLayoutUI, {top, centred});
  window.Print();
  const CUIRect top_ink = window.Ink(top->GetBounds());
  const CUIRect ink = window.Ink(centred->GetBounds());
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_NEAR(ink.top - 60, top_ink.top + (60 - window.FontHeight(1)) / 2, 1);
  EXPECT_NEAR(ink.left - 0, 200 - ink.right, 2);
  EXPECT_EQ(top_ink.left, ink.left);
}

TEST(LabelTest, DisabledTextTakesTheWindowsDisabledColour) {
  for (bool enabled : {true, false}) {
    SCOPED_TRACE(enabled ? "enabled" : "disabled");
    CLabelUI* label = MakeLabel(L"text=\"Hello\" font=\"1\" textcolor=\"#ff000000\" height=\"40\"");
    label->SetEnabled(enabled);
    LabelWindow window(200, 40, new CVerticalLayoutUI, {label});
    const test::DibSurface& surface = window.Print();
    int dark = 0;
    int red = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 200; ++x) {
        const uint32_t pixel = surface.Pixel(x, y);
        dark += test::Red(pixel) < 60 && test::Green(pixel) < 60;
        red += test::Red(pixel) > 200 && test::Green(pixel) < 60;
      }
    }
    EXPECT_EQ(enabled, dark > 0);
    EXPECT_EQ(!enabled, red > 0);
  }
}

TEST(LabelTest, WordBreakSpreadsTheTextOverSeveralLines) {
  for (bool word_break : {false, true}) {
    SCOPED_TRACE(word_break);
    CLabelUI* label = MakeLabel(L"text=\"one two three four five six\" font=\"1\" height=\"120\"");
    label->ApplyAttribute(L"wordbreak", word_break ? L"true" : L"false");
    LabelWindow window(120, 120, new CVerticalLayoutUI, {label});
    window.Print();
    const CUIRect ink = window.Ink(label->GetBounds());
    EXPECT_EQ(word_break, ink.GetHeight() > window.FontHeight(1)) << ink.GetHeight();
  }
}

TEST(LabelTest, SingleLineHeightFollowsFontAndPadding) {
  CLabelUI* label = MakeLabel(L"text=\"Hello\" font=\"1\"");
  LabelWindow window(200, 120, new CVerticalLayoutUI, {label});
  const struct {
    const char* change;
    void (*apply)(CLabelUI*);
    int font;
    int vertical_padding;
  } steps[] = {
      {"as built", [](CLabelUI*) {}, 1, 0},
      {"padding", [](CLabelUI* l) { l->SetTextPadding(1, 3, 1, 5); }, 1, 8},
      {"font", [](CLabelUI* l) { l->SetFont(LabelWindow::kBigFont); }, 2, 8},
      // Multi-line without auto height: the label stretches over the window.
      {"word break", [](CLabelUI* l) { l->ApplyAttribute(L"wordbreak", L"true"); }, 0, 0},
      {"single line again", [](CLabelUI* l) { l->ApplyAttribute(L"valign", L"bottom"); }, 2, 8},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.change);
    step.apply(label);
    window.Update();
    const int expected = step.font ? window.FontHeight(step.font) + 8 + step.vertical_padding : 120;
    EXPECT_EQ(expected, label->GetHeight());
  }
}

TEST(LabelTest, AutoWidthFollowsTheText) {
  CLabelUI* label = MakeLabel(L"text=\"ab\" font=\"1\" autocalcwidth=\"true\" textpadding=\"3,0,4,0\"");
  auto* filler = new CControlUI;
  LabelWindow window(400, 40, new CHorizontalLayoutUI, {label, filler});
  for (const wchar_t* text : {L"ab", L"a much longer caption", L""}) {
    label->SetText(text);
    window.Update();
    EXPECT_EQ(window.TextWidth(1, text) + 7, label->GetWidth());
    EXPECT_EQ(label->GetBounds().right, filler->GetLeft());
    EXPECT_FALSE(window.manager().IsLayoutNeeded());
  }
}

}  // namespace
}  // namespace veneer
