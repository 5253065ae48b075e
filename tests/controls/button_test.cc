// Buttons and options in real windows: mouse and keyboard activation, the state image strip read back
// as pixels, option groups, and the state a disabled window must not wipe.
#include "ui/controls/button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/managed_window.h"
#include "tests/support/access_violation_watch.h"
#include "tests/support/dib_surface.h"
#include "tests/support/png_encoding.h"
#include "tests/support/temp_files.h"
#include "ui/controls/option.h"
#include "ui/runtime/tab_layout.h"

namespace veneer {
namespace {

using test::At;
using test::ManagedWindow;
using test::NotificationLog;
using test::Probe;

constexpr int kWidth = 100;
constexpr int kRowHeight = 30;

// Cell colours of the test strip: normal, hot, pushed, disabled.
constexpr uint32_t kCellColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

// A window 100 pixels wide with the given controls stacked in rows of 30 pixels, and a probe in the
// last row (a place outside every control under test). Notifications are logged.
struct ControlRows {
  explicit ControlRows(std::vector<CControlUI*> controls)
      : height(kRowHeight * static_cast<int>(controls.size() + 1)), window(kWidth, height) {
    for (CControlUI* control : controls) control->SetFixedHeight(kRowHeight);
    controls.push_back(new Probe(L"outside"));
    window.manager().AddNotifier(&log);
    stack = window.SetStackRoot(controls);
    window.Show();
  }
  void Mouse(UINT message, int x, int y) {
    window.Send(message, message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0, At(x, y));
  }
  // The log less focus and window notifications.
  std::vector<std::string> Actions() const {
    std::vector<std::string> actions;
    for (const std::string& entry : log.entries) {
      if (entry.rfind("setfocus:", 0) != 0 && entry.rfind("killfocus:", 0) != 0 &&
          entry.rfind("window", 0) != 0)
        actions.push_back(entry);
    }
    return actions;
  }
  // The window's tree printed into a fresh surface.
  uint32_t PrintedPixel(int x, int y) {
    test::DibSurface surface(kWidth, height);
    window.Send(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(surface.dc()), PRF_CLIENT);
    return test::Rgb(surface.Pixel(x, y));
  }

  int height;
  ManagedWindow window;
  NotificationLog log;
  test::TestStack* stack;
};

CButtonUI* NamedButton(const wchar_t* name) {
  auto* button = new CButtonUI;
  button->SetName(name);
  return button;
}

COptionUI* Option(const wchar_t* name, const wchar_t* group) {
  auto* option = new COptionUI;
  option->SetName(name);
  option->SetGroup(group);
  return option;
}

struct MouseStep {
  UINT message;
  int x, y;
};

TEST(ButtonTest, PressAndReleaseInsideClicksWhereverTheMouseWentBetween) {
  const MouseStep kInside = {WM_LBUTTONDOWN, 50, 15};
  const struct {
    const char* name;
    std::vector<MouseStep> steps;  // The last one is the release.
    bool pushed_before_release;
    int clicks;
  } cases[] = {
      {"press and release inside", {kInside, {WM_LBUTTONUP, 60, 20}}, true, 1},
      {"released outside", {kInside, {WM_MOUSEMOVE, 50, 45}, {WM_LBUTTONUP, 50, 45}}, false, 0},
      {"left and came back",
       {kInside, {WM_MOUSEMOVE, 50, 45}, {WM_MOUSEMOVE, 10, 10}, {WM_LBUTTONUP, 10, 10}},
       true,
       1},
      {"pressed outside, released inside",
       {{WM_LBUTTONDOWN, 50, 45}, {WM_MOUSEMOVE, 50, 15}, {WM_LBUTTONUP, 50, 15}},
       false,
       0},
      {"double click", {{WM_LBUTTONDBLCLK, 50, 15}, {WM_LBUTTONUP, 50, 15}}, true, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CButtonUI* button = NamedButton(L"btn");
    ControlRows rows({button});
    for (size_t i = 0; i < c.steps.size(); ++i) {
      if (i + 1 == c.steps.size()) {
        EXPECT_EQ(c.pushed_before_release, (button->GetButtonState() & kButtonPushed) != 0);
      }
      rows.Mouse(c.steps[i].message, c.steps[i].x, c.steps[i].y);
    }
    EXPECT_EQ(std::vector<std::string>(c.clicks, "click:btn"), rows.Actions());
    EXPECT_EQ(0u, button->GetButtonState() & (kButtonPushed | kButtonCaptured));
  }
}

TEST(ButtonTest, SpaceAndEnterClickTheFocusedButton) {
  const struct {
    WPARAM key;
    bool keyboard_enabled;
    int clicks;
  } cases[] = {{VK_SPACE, true, 1}, {VK_RETURN, true, 1}, {'A', true, 0}, {VK_SPACE, false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.key << (c.keyboard_enabled ? "" : " keyboard disabled"));
    CButtonUI* button = NamedButton(L"btn");
    button->SetKeyboardEnabled(c.keyboard_enabled);
    ControlRows rows({button});
    rows.window.manager().FocusControl(button);
    ASSERT_TRUE(button->IsFocused());
    rows.window.Send(WM_KEYDOWN, c.key, 0);
    EXPECT_EQ(std::vector<std::string>(c.clicks, "click:btn"), rows.Actions());
  }
}

TEST(ButtonTest, ADisabledButtonForgetsItsStateAndDoesNotClick) {
  CButtonUI* button = NamedButton(L"btn");
  ControlRows rows({button});
  rows.Mouse(WM_MOUSEMOVE, 50, 15);
  EXPECT_EQ(kButtonHot, button->GetButtonState());
  button->SetEnabled(false);
  EXPECT_EQ(0u, button->GetButtonState());
  rows.Mouse(WM_LBUTTONDOWN, 50, 15);
  EXPECT_EQ(0u, button->GetButtonState());
  rows.Mouse(WM_LBUTTONUP, 50, 15);
  EXPECT_FALSE(button->TryActivate());
  EXPECT_TRUE(rows.Actions().empty());
  EXPECT_EQ(0u, button->GetBehaviourFlags() & kBehaviourCursorRequests);
}

TEST(ButtonTest, StateStripCellsPerCount) {
  // Normal, hot, pushed and disabled cells for counts 0 to 4.
  const int cells[][4] = {{-1, -1, -1, -1}, {0, -1, -1, -1}, {0, 1, 1, -1}, {0, 1, 2, -1}, {0, 1, 2, 3}};
  for (int count = 0; count < 5; ++count) {
    const StateStripCells got = CellsOfStateStrip(count);
    EXPECT_EQ((std::vector<int>(cells[count], cells[count] + 4)),
              (std::vector<int>{got.normal, got.hot, got.pushed, got.disabled}));
  }
  // A width that does not divide evenly: every cell is 133 wide, the last pixel column unused.
  EXPECT_TRUE(test::RectEq(CUIRect(266, 0, 399, 30), StateStripCellSource(400, 30, 3, 2)));
}

// A 400 x 30 strip of four solid 100-pixel cells in kCellColours, as a temporary file.
test::TempFile FourCellStrip() {
  std::vector<uint32_t> pixels(400 * 30);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000 | kCellColours[(i % 400) / 100];
  return test::TempFile(L"veneer_button_strip.png", test::EncodePngArgb(400, 30, pixels));
}

CUIString StripDescriptor(const test::TempFile& strip) {
  CUIString descriptor = L"file='";
  descriptor += strip.path().c_str();
  descriptor += L"'";
  return descriptor;
}

TEST(ButtonTest, AFourCellStripShowsOneCellPerState) {
  const test::TempFile strip = FourCellStrip();
  CButtonUI* button = NamedButton(L"btn");
  button->ApplyAttribute(L"stateimage", StripDescriptor(strip));
  button->ApplyAttribute(L"statecount", L"4");
  ControlRows rows({button});
  const auto expect_cell = [&](int cell) {
    for (const POINT& p : {POINT{0, 0}, POINT{50, 15}, POINT{99, 29}})
      EXPECT_EQ(kCellColours[cell], rows.PrintedPixel(p.x, p.y))
          << "cell " << cell << " at " << p.x << "," << p.y;
  };
  expect_cell(0);
  rows.Mouse(WM_MOUSEMOVE, 50, 15);
  expect_cell(1);
  rows.Mouse(WM_LBUTTONDOWN, 50, 15);
  expect_cell(2);
  rows.Mouse(WM_LBUTTONUP, 50, 15);
  button->SetEnabled(false);
  expect_cell(3);
}

TEST(ButtonTest, ADisabledWindowPaintsThePlainLookAndKeepsTheStoredState) {
  const test::TempFile strip = FourCellStrip();
  CButtonUI* button = NamedButton(L"btn");
  button->ApplyAttribute(L"stateimage", StripDescriptor(strip));
  button->ApplyAttribute(L"statecount", L"4");
  COptionUI* option = Option(L"opt", L"");
  option->ApplyAttribute(L"selectedimage", StripDescriptor(strip) + L" source='100,0,200,30'");
  option->ApplyAttribute(L"selectedhotimage", StripDescriptor(strip) + L" source='200,0,300,30'");
  ControlRows rows({button, option});
  option->SetSelected(true, false);
  rows.Mouse(WM_MOUSEMOVE, 50, 45);  // Over the option.
  EXPECT_EQ(kCellColours[2], rows.PrintedPixel(50, 45));
  rows.Mouse(WM_MOUSEMOVE, 50, 15);  // Over the button; the option stays selected.
  EXPECT_EQ(kCellColours[1], rows.PrintedPixel(50, 15));

  EnableWindow(rows.window.hwnd(), FALSE);  // A modal dialog above it.
  EXPECT_EQ(kCellColours[0], rows.PrintedPixel(50, 15));
  EXPECT_EQ(kCellColours[1], rows.PrintedPixel(50, 45));  // Selected, without hover.
  EXPECT_EQ(kButtonHot, button->GetButtonState());
  EXPECT_EQ(kButtonSelected, option->GetButtonState());

  EnableWindow(rows.window.hwnd(), TRUE);
  EXPECT_EQ(kCellColours[1], rows.PrintedPixel(50, 15));
}

// Destroys the sender of every "click" at once (as a window closing in its click handler does).
class DestroyOnClick : public INotifyUI {
 public:
  explicit DestroyOnClick(test::TestStack* stack) : stack_(stack) {}
  void ReceiveNotification(NotifyRecord& record) override {
    if (record.type != L"click") return;
    stack_->Release(record.sender);
    delete record.sender;
  }

 private:
  test::TestStack* stack_;
};

TEST(ButtonTest, AClickSelectsTheBoundTabPageUnlessItsListenerDestroyedTheButton) {
  test::AccessViolationWatch faults;
  for (bool destroyed : {false, true}) {
    for (bool option : {false, true}) {
      SCOPED_TRACE(testing::Message() << (option ? "option" : "button") << (destroyed ? " destroyed" : ""));
      auto* tabs = new CTabLayoutUI;
      tabs->SetName(L"tabs");
      for (int i = 0; i < 3; ++i) tabs->Add(new CControlUI);
      CButtonUI* button = option ? Option(L"btn", L"group") : NamedButton(L"btn");
      button->ApplyAttribute(L"bindtablayoutname", L"tabs");
      button->ApplyAttribute(L"bindtabindex", L"2");
      button->ApplyAttribute(L"bindtabindex", L"-5");  // Ignored.
      ControlRows rows({button, tabs});
      DestroyOnClick destroyer(rows.stack);
      if (destroyed) rows.window.manager().AddNotifier(&destroyer);
      rows.log.entries.clear();
      rows.window.manager().FocusControl(button);
      rows.window.Send(WM_KEYDOWN, VK_SPACE, 0);
      EXPECT_EQ(destroyed ? 0 : 2, tabs->GetSelectedIndex());
      std::vector<std::string> expected = {"click:btn"};
      if (!destroyed) expected.push_back("tabselect:tabs");
      if (option && !destroyed) expected.push_back("selectchanged:btn");
      EXPECT_EQ(expected, rows.Actions());
      EXPECT_EQ(option && !destroyed, rows.window.manager().GetOptionGroup(L"group") != nullptr);
    }
  }
  EXPECT_EQ(0, faults.count());
}

TEST(OptionTest, AGroupKeepsOneSelectedAndOnlyTheNewlySelectedNotifies) {
  COptionUI* options[] = {Option(L"a", L"g"), Option(L"b", L"g"), Option(L"c", L"g")};
  ControlRows rows({options[0], options[1], options[2]});
  const auto click = [&](int row) {
    rows.log.entries.clear();
    rows.Mouse(WM_LBUTTONDOWN, 50, row * kRowHeight + 5);
    rows.Mouse(WM_LBUTTONUP, 50, row * kRowHeight + 5);
  };
  const auto selection = [&] {
    std::string selected;
    for (COptionUI* option : options) selected += option->IsSelected() ? '1' : '0';
    return selected;
  };
  click(1);
  EXPECT_EQ("010", selection());
  EXPECT_EQ((std::vector<std::string>{"click:b", "selectchanged:b"}), rows.Actions());
  click(2);
  EXPECT_EQ("001", selection());
  EXPECT_EQ((std::vector<std::string>{"click:c", "selectchanged:c"}), rows.Actions());
  click(2);  // Already selected: stays so, no change to report.
  EXPECT_EQ("001", selection());
  EXPECT_EQ((std::vector<std::string>{"click:c"}), rows.Actions());
  EXPECT_EQ(0u, options[1]->GetButtonState() & kButtonSelected);
}

TEST(OptionTest, WithoutAGroupAClickTogglesAndNotifiesBothWays) {
  COptionUI* option = Option(L"o", L"");
  ControlRows rows({option});
  for (bool expected : {true, false, true}) {
    rows.log.entries.clear();
    rows.Mouse(WM_LBUTTONDOWN, 50, 15);
    rows.Mouse(WM_LBUTTONUP, 50, 15);
    EXPECT_EQ(expected, option->IsSelected());
    EXPECT_EQ((std::vector<std::string>{"click:o", "selectchanged:o"}), rows.Actions());
  }
  option->SetEnabled(false);
  EXPECT_EQ(kButtonSelected, option->GetButtonState());
}

TEST(OptionTest, AnOptionLeavesItsGroupWhenDestroyedOrDetached) {
  for (bool destroy : {true, false}) {
    SCOPED_TRACE(destroy ? "destroyed" : "detached");
    COptionUI* kept = Option(L"kept", L"g");
    COptionUI* leaving = Option(L"leaving", L"g");
    ControlRows rows({kept, leaving});
    leaving->SetSelected(true);
    EXPECT_EQ(2, rows.window.manager().GetOptionGroup(L"g")->GetSize());
    rows.stack->Release(leaving);
    if (destroy) delete leaving;
    if (!destroy) leaving->AttachManager(nullptr, nullptr, false);
    const CPointerArray* group = rows.window.manager().GetOptionGroup(L"g");
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(1, group->GetSize());
    EXPECT_EQ(kept, group->GetAt(0));
    kept->SetSelected(true);  // Walks the group: a stale member would be deselected (or crash).
    if (!destroy) {
      EXPECT_TRUE(leaving->IsSelected());  // No longer a member.
      delete leaving;
    }
  }
}

}  // namespace
}  // namespace veneer
