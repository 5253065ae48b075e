#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/render/rect_assertions.h"
#include "ui/runtime/control.h"
#include "ui/runtime/control_attribute_values.h"
#include "ui/runtime/control_text_table.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

using test::RectEq;

// A control bound to a manager, as the builder binds it while applying attributes.
struct AttachedControl {
  AttachedControl() { control.AttachManager(&manager, nullptr, false); }
  CPaintManagerUI manager;
  CControlUI control;
};

TEST(ControlAttributesTest, PosSetsOffsetAndSize) {
  const struct {
    const wchar_t* value;
    LONG x, y;
    int width, height;  // The control starts at 7 x 9.
  } cases[] = {
      {L"-1,0,100,20", 100, 0, 101, 20},
      {L"10,-3,5,40", 10, 40, 7, 43},  // Negative width: the old width stays.
      {L"5,5", 5, 5, 7, 9},
      {L"-2147483648,0,2147483647,0", INT_MAX, 0, INT_MAX, 0},  // 64-bit difference, clamped.
      {L"-99999999999,-1,99999999999,-5", INT_MAX, -5, INT_MAX, 9},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    CControlUI control;
    control.SetFixedWidth(7);
    control.SetFixedHeight(9);
    control.ApplyAttribute(L"pos", c.value);
    EXPECT_EQ(c.x, control.GetFixedOffset().cx);
    EXPECT_EQ(c.y, control.GetFixedOffset().cy);
    EXPECT_EQ(c.width, control.GetFixedWidth());
    EXPECT_EQ(c.height, control.GetFixedHeight());
  }
}

TEST(ControlAttributesTest, BorderSizeForms) {
  CControlUI control;
  control.SetBorderSize(5);
  control.SetBorderSides(CUIRect(3, 3, 3, 3));
  control.ApplyAttribute(L"bordersize", L"0,1,0,1");
  EXPECT_EQ(5, control.GetBorderSize());
  EXPECT_TRUE(RectEq(CUIRect(0, 1, 0, 1), control.GetBorderSides()));
  control.ApplyAttribute(L"BorderSize", L"2");
  EXPECT_EQ(2, control.GetBorderSize());
  EXPECT_TRUE(RectEq(CUIRect(), control.GetBorderSides()));
  control.ApplyAttribute(L"rightbordersize", L"4");
  EXPECT_TRUE(RectEq(CUIRect(0, 0, 4, 0), control.GetBorderSides()));
}

TEST(ControlAttributesTest, ValueForms) {
  CControlUI control;
  control.ApplyAttribute(L"bkcolor", L" \t#FF102030");
  control.ApplyAttribute(L"bordercolor", L" #FF102030");  // Only '#' is skipped here.
  EXPECT_EQ(0xFF102030u, control.GetBackColour());
  EXPECT_EQ(0u, control.GetBorderColour());
  control.ApplyAttribute(L"float", L"0.5,0.25,1,0.75");
  EXPECT_TRUE(control.IsFloat());
  EXPECT_DOUBLE_EQ(0.75, control.GetFloatFractions().bottom);
  control.ApplyAttribute(L"float", L"yes");
  EXPECT_FALSE(control.IsFloat());
  control.ApplyAttribute(L"floatalign", L"right,bottom");
  control.ApplyAttribute(L"floatalign", L"CENTER sideways");  // Starts from the current bits.
  EXPECT_EQ(kFloatAlignCenter | kFloatAlignBottom, control.GetFloatAlign());
  control.ApplyAttribute(L"cursor", L"hand");
  control.ApplyAttribute(L"cursor", L"pointer");  // Unknown: no change.
  EXPECT_EQ(32649, control.GetCursorId());
  control.ApplyAttribute(L"shortcut", L"Qx");
  EXPECT_EQ(L'Q', control.GetShortcutKey());
  control.ApplyAttribute(L"text", L"one{\\n}two");
  EXPECT_EQ(L"one\ntwo", control.GetText());
  control.ApplyAttribute(L"tooltip", L"one<n>two");
  EXPECT_EQ(L"one\r\ntwo", control.GetToolTip());

  control.ApplyAttribute(L"flavour", L"mint");
  control.ApplyAttribute(L"flavour", L"lemon");  // The first value stays.
  control.ApplyAttribute(L"empty", L"");
  EXPECT_STREQ(L"mint", control.GetCustomAttribute(L"flavour"));
  EXPECT_EQ(nullptr, control.GetCustomAttribute(L"Flavour"));
  EXPECT_EQ(nullptr, control.GetCustomAttribute(L"empty"));
}

TEST(ControlAttributesTest, StylesApplyInPlaceOfValuesAndSelfReferencesTerminate) {
  AttachedControl attached;
  CPaintManagerUI& manager = attached.manager;
  CControlUI& control = attached.control;
  manager.RegisterStyle(L"loop", LR"(bkcolor="#FF00FF00" userdata="loop" width="12")", false);
  manager.RegisterStyle(L"ping", LR"(text="pong" height="3")", false);
  manager.RegisterStyle(L"pong", LR"(tooltip="ping" minwidth="4")", false);
  manager.RegisterStyle(L"whole", L"whole", false);
  std::wstring fan;  // Twenty branches per level: 20^8 applications without a limit on the total.
  for (int i = 0; i < 20; ++i) fan += LR"(name="fan" )";
  manager.RegisterStyle(L"fan", (fan + LR"(maxwidth="77")").c_str(), false);

  manager.RegisterStyle(L"wide", LR"(width="40")", false);
  control.ApplyAttribute(L"text", L"wide");  // Whatever the attribute's name.
  EXPECT_EQ(40, control.GetFixedWidth());
  EXPECT_EQ(L"", control.GetText());
  CControlUI detached;  // Without a manager no style is looked up.
  detached.ApplyAttribute(L"text", L"wide");
  EXPECT_EQ(L"wide", detached.GetText());

  control.ApplyAttribute(L"userdata", L"loop");
  EXPECT_EQ(0xFF00FF00u, control.GetBackColour());
  EXPECT_EQ(12, control.GetFixedWidth());
  EXPECT_EQ(L"", control.GetUserData());  // The self-reference is dropped, never applied as text.
  control.ApplyAttribute(L"text", L"ping");
  EXPECT_EQ(3, control.GetFixedHeight());
  EXPECT_EQ(4, control.GetMinWidth());
  control.ApplyAttributeText(L"whole");
  control.ApplyAttribute(L"userdata", L"fan");
  EXPECT_EQ(77, control.GetMaxWidth());
  EXPECT_EQ(L"", control.GetName());
  control.ApplyAttributeText(L"wide");  // The limits hold per call from outside.
  EXPECT_EQ(40, control.GetFixedWidth());
}

TEST(ControlAttributesTest, AttributeListsAndInnerStyle) {
  CControlUI control;
  control.ApplyAttributeText(LR"(name="n1" width="4"x,height="6",mouse="false")");
  EXPECT_EQ(L"n1", control.GetName());
  EXPECT_EQ(4, control.GetFixedWidth());
  EXPECT_EQ(6, control.GetFixedHeight());
  EXPECT_TRUE(control.IsMouseEnabled());  // The list ended at ",m".
  control.ApplyAttributeText(L"userdata=&quot;quoted&quot; minheight=&quot;2&quot;");
  EXPECT_EQ(L"quoted", control.GetUserData());
  EXPECT_EQ(2, control.GetMinHeight());
  control.ApplyAttribute(L"InnerStyle", L"width=&quot;7&quot; height=&quot;8&quot;");
  EXPECT_EQ(7, control.GetFixedWidth());
  EXPECT_EQ(8, control.GetFixedHeight());
}

TEST(ControlAttributesTest, ScaledGettersClampAndScaleEdgesOneByOne) {
  AttachedControl attached;
  CControlUI& control = attached.control;
  control.SetFixedWidth(INT_MAX);
  control.SetPadding(CUIRect(1, 2, 3, 4));
  control.SetFixedOffset(-3, 10);
  attached.manager.GetDisplayScale()->SetScale(150);
  EXPECT_EQ(INT_MAX, control.GetFixedWidth());
  EXPECT_TRUE(RectEq(CUIRect(2, 3, 5, 6), control.GetPadding()));  // 1.5, 3, 4.5, 6.
  EXPECT_EQ(-5, control.GetFixedOffset().cx);
  EXPECT_EQ(450, control.GetToolTipWidth());
  control.AttachManager(nullptr, nullptr, false);
  EXPECT_TRUE(RectEq(CUIRect(1, 2, 3, 4), control.GetPadding()));
}

class Answers : public IQueryControlText {
 public:
  const wchar_t* QueryControlText(const wchar_t* key) override {
    ++queries;
    return CUIString(key) == L"asked" ? L"Answer" : nullptr;
  }
  int queries = 0;
};

TEST(ControlTextKeysTest, TableThenCallbackThenKey) {
  Answers answers;
  CControlTextTable::SetText(L"greeting", L"Hello");
  CControlTextTable::SetQueryCallback(&answers);
  CControlUI control;
  control.SetText(L"greeting");
  control.SetToolTip(L"asked");
  EXPECT_EQ(L"greeting", control.GetText());
  control.ApplyAttribute(L"resourcetext", L"true");
  EXPECT_EQ(L"Hello", control.GetText());
  EXPECT_EQ(L"Answer", control.GetToolTip());
  EXPECT_EQ(L"Answer", control.GetToolTip());
  EXPECT_EQ(1, answers.queries);  // The answer was kept in the table.
  control.SetText(L"unknown");
  EXPECT_EQ(L"unknown", control.GetText());
  CControlTextTable::SetQueryCallback(nullptr);
  CControlTextTable::RemoveAll();
}

}  // namespace
}  // namespace veneer
