#include <gtest/gtest.h>

#include "ui/controls/label.h"

namespace veneer {
namespace {

struct AlignCase {
  const wchar_t* words;
  UINT before;
  UINT after;
};

TEST(LabelFormat, HorizontalAlignWordsApplyLeftCenterRightInThatOrder) {
  const AlignCase cases[] = {
      {L"center", DT_RIGHT | DT_SINGLELINE, DT_CENTER | DT_SINGLELINE},
      {L"left", DT_CENTER | DT_RIGHT | DT_VCENTER, DT_VCENTER},
      {L"right,left", DT_CENTER, DT_RIGHT},  // "right" is applied last, whatever the order written.
      {L"middle", DT_CENTER, DT_CENTER},
  };
  for (const AlignCase& c : cases)
    EXPECT_EQ(ApplyHorizontalAlignWords(c.before, c.words), c.after) << c.words;
}

TEST(LabelFormat, VerticalAlignWordsMakeTheTextSingleLine) {
  const UINT wrapping = DT_WORDBREAK | DT_EDITCONTROL;
  const AlignCase cases[] = {
      {L"top", DT_VCENTER | wrapping, DT_SINGLELINE | DT_EDITCONTROL},
      {L"vcenter", DT_BOTTOM | wrapping, DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL},
      {L"bottom", DT_VCENTER, DT_BOTTOM | DT_SINGLELINE},
      // "center" names no vertical alignment: the label's centred default stays as it was.
      {L"center", DT_VCENTER | DT_SINGLELINE, DT_VCENTER | DT_SINGLELINE},
      {L"center", wrapping, wrapping},
  };
  for (const AlignCase& c : cases) EXPECT_EQ(ApplyVerticalAlignWords(c.before, c.words), c.after) << c.words;
}

TEST(LabelFormat, WordBreakThenVerticalCentreEndsSingleLine) {
  const UINT wrapped = ApplyWordBreak(CLabelUI::kDefaultTextFormat, true);
  EXPECT_EQ(wrapped, DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL);
  EXPECT_EQ(ApplyVerticalAlignWords(wrapped, L"vcenter"), DT_VCENTER | DT_SINGLELINE | DT_EDITCONTROL);
  EXPECT_EQ(ApplyWordBreak(wrapped, false), CLabelUI::kDefaultTextFormat);
}

}  // namespace
}  // namespace veneer
