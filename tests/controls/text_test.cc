// Texts in a real window: links clicked and pointed at through window messages, and measuring that
// settles after one layout.
#include "ui/controls/text.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/label_window.h"
#include "ui/runtime/notify_ui.h"
#include "ui/runtime/stack_layout.h"

namespace veneer {
namespace {

using test::LabelWindow;

// The link indexes of the "link" notifications.
struct LinkLog : INotifyUI {
  void ReceiveNotification(NotifyRecord& record) override {
    if (record.type == L"link") links.push_back(static_cast<int>(record.wParam));
  }
  std::vector<int> links;
};

CTextUI* MakeText(const wchar_t* attributes) {
  auto* text = new CTextUI;
  text->ApplyAttributeText(attributes);
  return text;
}

// Dispatches at most `count` pending messages: a window that lays out again at every paint keeps
// painting, and the test then sees that instead of pumping forever.
void DispatchAtMost(int count) {
  MSG msg;
  while (count-- > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The cursor the window sets with the mouse at a client point.
HCURSOR CursorAt(LabelWindow& window, POINT point) {
  POINT screen = point;
  ClientToScreen(window.hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  SetCursor(nullptr);
  window.Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

TEST(TextTest, LinksAnswerClicksAndShowTheHandCursor) {
  CTextUI* text = MakeText(L"font=\"1\" showhtml=\"true\" height=\"40\"");
  text->SetText(L"{a first}AAAA{/a}{x 60}{a second}BBBB{/a}");
  LabelWindow window(300, 80, new CVerticalLayoutUI, {text});
  LinkLog log;
  window.manager().AddNotifier(&log);
  window.Print();
  const CUIRect ink = window.Ink(text->GetBounds());
  ASSERT_FALSE(ink.IsEmpty());
  const int middle = (ink.top + ink.bottom) / 2;
  const struct {
    POINT point;
    int link;  // -1: none.
  } cases[] = {{{ink.left + 2, middle}, 0},
               {{ink.right - 2, middle}, 1},
               {{(ink.left + ink.right) / 2, middle}, -1},  // Between the links.
               {{ink.left + 2, 60}, -1}};                   // Below the text.
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(c.link >= 0, CursorAt(window, c.point) == LoadCursor(nullptr, IDC_HAND));
    log.links.clear();
    window.Send(WM_LBUTTONDOWN, MK_LBUTTON, test::At(c.point.x, c.point.y));
    window.Send(WM_LBUTTONUP, 0, test::At(c.point.x, c.point.y));
    EXPECT_EQ(c.link >= 0 ? std::vector<int>{c.link} : std::vector<int>{}, log.links);
  }
  // Without links the text asks for no cursor.
  text->SetShowHtml(false);
  window.Update();
  EXPECT_EQ(0, text->GetLinkCount());
  EXPECT_NE(LoadCursor(nullptr, IDC_HAND), CursorAt(window, {ink.left + 2, middle}));
  window.manager().RemoveNotifier(&log);
}

TEST(TextTest, AutoWidthSettlesAfterOneLayout) {
  CTextUI* text = MakeText(L"font=\"1\" showhtml=\"true\" autocalcwidth=\"true\" text=\"short\"");
  auto* filler = new CControlUI;
  LabelWindow window(400, 40, new CHorizontalLayoutUI, {text, filler});
  for (const wchar_t* words : {L"short", L"a good deal longer"}) {
    SCOPED_TRACE(words);
    text->SetText(words);
    DispatchAtMost(100);
    EXPECT_FALSE(window.manager().IsLayoutNeeded());
    EXPECT_NEAR(window.TextWidth(1, words) + 4, text->GetWidth(), 1);
    EXPECT_EQ(text->GetBounds().right, filler->GetLeft());
  }
}

TEST(TextTest, AutoHeightWrapsInTheOfferedWidth) {
  CTextUI* text = MakeText(L"font=\"1\" autocalcheight=\"true\" textpadding=\"2,3,2,4\"");
  auto* label = new CLabelUI;
  label->ApplyAttributeText(L"font=\"1\" autocalcheight=\"true\" wordbreak=\"true\" textpadding=\"2,3,2,4\"");
  LabelWindow window(150, 400, new CVerticalLayoutUI, {text, label, new CControlUI});
  const int line = window.FontHeight(1);
  for (CLabelUI* control : {static_cast<CLabelUI*>(text), label}) {
    SCOPED_TRACE(control->GetClassName());
    EXPECT_EQ(7, control->GetHeight());  // Without text: the padding alone.
    control->SetText(L"several words that wrap over a few lines");
    window.Update();
    EXPECT_GT(control->GetHeight(), 2 * line + 7);
    EXPECT_LT(control->GetHeight(), 6 * line);
  }
}

}  // namespace
}  // namespace veneer
