// The paint manager's live side through real windows: notification order, mouse and keyboard routing,
// timers, and controls (or the manager) destroyed by the handlers that run.
#include "ui/runtime/paint_manager.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/managed_window.h"
#include "tests/runtime/poisoned_storage.h"
#include "tests/support/access_violation_watch.h"
#include "tests/support/message_pump.h"
#include "ui/runtime/control.h"

namespace veneer {
namespace {

using test::At;
using test::ManagedWindow;
using test::NotificationLog;
using test::Probe;
using test::PumpMessagesFor;
using test::PumpMessagesUntil;
using test::RectEq;
using Log = std::vector<std::string>;

constexpr uint32_t kTab = kBehaviourTabStop;

// Faults inside window procedures are swallowed by the platform's message dispatch: each test counts
// them, so that a use of freed memory there fails the test.
class PaintManager : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0, faults_.count()) << "access violations while handling messages"; }

 private:
  test::AccessViolationWatch faults_;
};

// Two controls stacked in a 200 x 100 window: "a" over y 0 to 40, "b" over y 40 to 80.
struct TwoProbes {
  TwoProbes() : a(new Probe(L"a", kTab, 40)), b(new Probe(L"b", kTab, 40)) {
    window.manager().AddNotifier(&notifications);
    root = window.SetStackRoot({a, b});
    root->SetName(L"root");
    window.Show();
    PumpMessagesFor(20);  // "windowsize".
    notifications.entries.clear();
  }
  ManagedWindow window{200, 100};
  NotificationLog notifications;
  Probe* a;
  Probe* b;
  test::TestStack* root;
};

// Keeps the cursor away from the windows, so that WM_MOUSELEAVE leaves the hover control.
void ParkCursor() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

void PressKeys(std::initializer_list<int> keys) {
  BYTE state[256] = {};
  for (int key : keys) state[key] = 0x80;
  SetKeyboardState(state);
}

TEST_F(PaintManager, WindowInitOnceBeforeWindowSizeAndRelayoutsQueueOnlyWindowSize) {
  ManagedWindow window(200, 100);
  NotificationLog log;
  window.manager().AddNotifier(&log);
  window.SetStackRoot({new Probe(L"a", 0, 40)})->SetName(L"root");
  window.Show();
  EXPECT_EQ(Log({"windowinit:root"}), log.entries);  // "windowsize" waits for the delivery message.
  ASSERT_TRUE(PumpMessagesUntil([&] { return log.entries.size() == 2; }, 1000));
  EXPECT_EQ(Log({"windowinit:root", "windowsize:root"}), log.entries);

  for (int relayout = 0; relayout < 2; ++relayout) {
    log.entries.clear();
    window.Send(WM_SIZE, SIZE_RESTORED, At(200, 100));
    UpdateWindow(window.hwnd());
    EXPECT_TRUE(log.entries.empty());
    ASSERT_TRUE(PumpMessagesUntil([&] { return !log.entries.empty(); }, 1000));
    PumpMessagesFor(20);
    EXPECT_EQ(Log({"windowsize:root"}), log.entries);
  }
}

bool CountPlacing(void* count, void*) { return ++*static_cast<int*>(count) > 0; }

TEST_F(PaintManager, ALayoutPassPlacesOnlyWhatIsDirty) {
  ManagedWindow window(200, 100);
  auto* inner = new test::TestStack;
  inner->Add(new Probe(L"leaf", 0, 10));
  inner->SetFixedHeight(50);
  test::TestStack* root = window.SetStackRoot({inner});
  window.Show();
  int root_placed = 0;
  int inner_placed = 0;
  root->SizeListeners().Add(Delegate{&root_placed, CountPlacing});
  inner->SizeListeners().Add(Delegate{&inner_placed, CountPlacing});
  inner->MarkLayoutDirty();
  UpdateWindow(window.hwnd());
  EXPECT_EQ(0, root_placed);
  EXPECT_EQ(1, inner_placed);
  EXPECT_TRUE(RectEq(CUIRect(0, 0, 200, 50), inner->GetBounds()));
  window.Send(WM_SIZE, SIZE_RESTORED, At(200, 100));  // The root's own layout: the whole tree.
  UpdateWindow(window.hwnd());
  EXPECT_EQ(1, root_placed);
  EXPECT_EQ(2, inner_placed);
}

TEST_F(PaintManager, FocusMovesWithEventsThenNotifications) {
  TwoProbes tree;  // The first paint gave "a", the first tab stop, the focus.
  ASSERT_EQ(tree.a, tree.window.manager().GetFocusedControl());
  tree.a->log.clear();
  tree.window.manager().FocusControl(tree.b);
  EXPECT_EQ(Log({"FocusLost"}), tree.a->log);
  EXPECT_EQ(Log({"FocusGained"}), tree.b->log);
  EXPECT_EQ(Log({"killfocus:a", "setfocus:b"}), tree.notifications.entries);
  EXPECT_TRUE(tree.b->IsFocused());
  EXPECT_FALSE(tree.a->IsFocused());
}

TEST_F(PaintManager, EventsReachThePressedOrHoveredControl) {
  struct Step {
    UINT message;
    WPARAM wparam;
    int x, y;
  };
  const struct {
    const char* name;
    std::vector<Step> steps;
    Log a, b, notifications;
  } cases[] = {
      {"press, move off, release: ButtonUp to the pressed control, no click",
       {{WM_LBUTTONDOWN, MK_LBUTTON, 10, 10}, {WM_MOUSEMOVE, MK_LBUTTON, 10, 50}, {WM_LBUTTONUP, 0, 10, 50}},
       {"ButtonDown@10,10", "MouseMove@10,50", "ButtonUp@10,50"},
       {},
       {}},
      {"press and release on the control: click",
       {{WM_LBUTTONDOWN, MK_LBUTTON, 10, 10}, {WM_LBUTTONUP, 0, 12, 12}},
       {"ButtonDown@10,10", "ButtonUp@12,12"},
       {},
       {"click:a"}},
      {"right button: the release and the context menu reach the control under the cursor",
       {{WM_RBUTTONDOWN, MK_RBUTTON, 10, 10}, {WM_RBUTTONUP, 0, 10, 50}},
       {"RightButtonDown@10,10"},
       {"RightButtonUp@10,50", "ContextMenu@10,50"},
       {}},
      {"hover and leave",
       {{WM_MOUSEMOVE, 0, 10, 10}, {WM_MOUSEMOVE, 0, 10, 50}, {WM_MOUSELEAVE, 0, 0, 0}},
       {"MouseEnter@10,10", "MouseMove@10,10", "MouseLeave@10,50"},
       {"MouseEnter@10,50", "MouseMove@10,50", "MouseLeave@-1,-1"},
       {}},
      {"double click: no focus change, the release still clicks",
       {{WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 50}, {WM_LBUTTONUP, 0, 10, 50}},
       {},
       {"DoubleClick@10,50", "ButtonUp@10,50"},
       {"click:b"}},
      {"wheel toward the user, then the hover is brought up to date",
       {{WM_MOUSEWHEEL, static_cast<WPARAM>(MAKEWPARAM(0, -WHEEL_DELTA)), 10, 50}},
       {},
       {"ScrollWheel@10,50:1", "MouseEnter@10,50", "MouseMove@10,50"},
       {}},
      {"closing while the button is held cancels the press",
       {{WM_LBUTTONDOWN, MK_LBUTTON, 10, 10}, {WM_CLOSE, 0, 0, 0}},
       {"ButtonDown@10,10", "ButtonUp@-1,-1!", "FocusLost"},
       {},
       {"killfocus:a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ParkCursor();
    TwoProbes tree;
    tree.a->log.clear();
    for (const Step& step : c.steps) {
      LPARAM lparam = At(step.x, step.y);
      if (step.message == WM_MOUSEWHEEL) {
        POINT screen = {step.x, step.y};
        ClientToScreen(tree.window.hwnd(), &screen);
        lparam = At(screen.x, screen.y);
      }
      tree.window.Send(step.message, step.wparam, lparam);
    }
    EXPECT_EQ(c.a, tree.a->log);
    EXPECT_EQ(c.b, tree.b->log);
    EXPECT_EQ(c.notifications, tree.notifications.entries);
    EXPECT_NE(tree.window.hwnd(), GetCapture());
  }
}

TEST_F(PaintManager, TabAndShiftTabWrapOverTheTabStops) {
  ManagedWindow window(200, 100);
  auto* first = new Probe(L"first", kTab, 10);
  auto* plain = new Probe(L"plain", 0, 10);
  auto* hidden = new Probe(L"hidden", kTab, 10);
  auto* keyboardless = new Probe(L"keyboardless", kTab, 10);
  auto* last = new Probe(L"last", kTab, 10);
  hidden->SetVisible(false);
  keyboardless->SetKeyboardEnabled(false);
  window.SetStackRoot({first, plain, hidden, keyboardless, last});
  window.Show();
  ASSERT_EQ(first, window.manager().GetFocusedControl());  // The first paint focuses the first stop.
  const struct {
    bool shift;
    CControlUI* focus;
  } presses[] = {{false, last}, {false, first}, {true, last}, {true, first}, {true, last}};
  for (const auto& press : presses) {
    PressKeys(press.shift ? std::initializer_list<int>{VK_SHIFT} : std::initializer_list<int>{});
    const MSG tab = {window.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(CPaintManagerUI::PreTranslateMessage(tab));
    EXPECT_EQ(press.focus, window.manager().GetFocusedControl());
  }
  PressKeys({});
  // The message loop offers queued keys to the managers first: the Tab never reaches the window.
  PostMessageW(window.hwnd(), WM_KEYDOWN, VK_TAB, 0);
  PostQuitMessage(0);
  CPaintManagerUI::MessageLoop();
  EXPECT_EQ(first, window.manager().GetFocusedControl());
  EXPECT_EQ("FocusLost", last->log.back());  // No KeyDown after it.
}

TEST_F(PaintManager, AltShortcutsActivateTheControlOrTheOneVisitedAfterALabel) {
  class Label : public Probe {
   public:
    const wchar_t* GetClassName() const override { return L"LabelUI"; }
  };
  ManagedWindow window(200, 100);
  // Children are visited last to first: the label passes its key to "target", listed before it.
  auto* target = new Probe(L"target", kTab, 10);
  auto* label = new Label;
  auto* own = new Probe(L"own", kTab, 10);
  label->SetShortcutKey(L'N');
  own->SetShortcutKey(L'x');
  window.SetStackRoot({target, label, own});
  window.Show();
  const struct {
    wchar_t typed;
    bool consumed;
    Probe* activated;
  } keys[] = {{L'n', true, target}, {L'X', true, own}, {L'q', false, nullptr}};
  for (const auto& key : keys) {
    SCOPED_TRACE(key.typed);
    for (Probe* probe : {target, static_cast<Probe*>(label), own}) probe->activations = 0;
    const MSG alt = {window.hwnd(), WM_SYSCHAR, key.typed, 0, 0, {0, 0}};
    EXPECT_EQ(key.consumed, CPaintManagerUI::PreTranslateMessage(alt));
    if (!key.activated) continue;
    EXPECT_EQ(1, key.activated->activations);
    EXPECT_EQ(0, label->activations);
    EXPECT_EQ(key.activated, window.manager().GetFocusedControl());
  }
}

TEST_F(PaintManager, SetTwiceFailsAndAKilledTimerRestartsUnderItsId) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  ASSERT_TRUE(manager.SetControlTimer(tree.a, 7, 5));
  EXPECT_FALSE(manager.SetControlTimer(tree.a, 7, 5));
  const UINT_PTR native_id = manager.FindControlTimer(tree.a, 7)->native_id;
  EXPECT_EQ(17u, native_id);  // The first id of a window.
  EXPECT_TRUE(manager.KillControlTimer(tree.a, 7));
  EXPECT_FALSE(manager.KillControlTimer(tree.a, 7));
  ASSERT_TRUE(manager.SetControlTimer(tree.b, 7, 5));  // Takes the next id meanwhile.
  EXPECT_TRUE(manager.SetControlTimer(tree.a, 7, 5));
  EXPECT_EQ(native_id, manager.FindControlTimer(tree.a, 7)->native_id);
  tree.a->log.clear();
  ASSERT_TRUE(PumpMessagesUntil([&] { return tree.a->log.size() >= 2 && !tree.b->log.empty(); }, 2000));
  EXPECT_EQ(Log({"Timer", "Timer"}), Log(tree.a->log.begin(), tree.a->log.begin() + 2));
  const Log& sent = tree.notifications.entries;
  EXPECT_NE(sent.end(), std::find(sent.begin(), sent.end(), "timer:a"));
}

TEST_F(PaintManager, ADestroyedControlGetsNoTicks) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  test::PoisonedStorage<Probe> doomed;
  doomed.get()->AttachManager(&manager, tree.root, false);
  ASSERT_TRUE(manager.SetControlTimer(doomed.get(), 1, 1));
  ASSERT_TRUE(manager.SetControlTimer(tree.b, 1, 1));
  doomed.Destroy();
  ASSERT_TRUE(PumpMessagesUntil([&] { return tree.b->log.size() >= 3; }, 2000));
  EXPECT_TRUE(doomed.StillPoisoned());
}

TEST_F(PaintManager, IdsNeverCollideAfterTheCounterWraps) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  ASSERT_TRUE(manager.SetControlTimer(tree.a, 1, 100000));
  const UINT_PTR kept_id = manager.FindControlTimer(tree.a, 1)->native_id;
  for (int cycle = 0; cycle < 600; ++cycle) {
    Probe passing;
    passing.AttachManager(&manager, tree.root, false);
    ASSERT_TRUE(manager.SetControlTimer(&passing, 1, 100000)) << cycle;
    ASSERT_NE(kept_id, manager.FindControlTimer(&passing, 1)->native_id) << cycle;
  }
  // 240 ids in all: "a" holds one, 239 more controls take the rest, then none is left.
  std::vector<std::unique_ptr<Probe>> holders;
  std::set<UINT_PTR> ids = {kept_id};
  for (int i = 0; i < 240; ++i) {
    holders.push_back(std::make_unique<Probe>());
    holders.back()->AttachManager(&manager, tree.root, false);
    const bool set = manager.SetControlTimer(holders.back().get(), 1, 100000);
    ASSERT_EQ(i < 239, set) << i;
    if (set) ids.insert(manager.FindControlTimer(holders.back().get(), 1)->native_id);
  }
  EXPECT_EQ(240u, ids.size());
  const UINT_PTR freed = manager.FindControlTimer(holders.front().get(), 1)->native_id;
  holders.front().reset();
  ASSERT_TRUE(manager.SetControlTimer(holders.back().get(), 1, 100000));
  EXPECT_EQ(freed, manager.FindControlTimer(holders.back().get(), 1)->native_id);
}

// Removes the sender of "click" from the tree and then runs a nested message loop, as a handler that
// opens a modal dialog does.
struct RemoveAndRunModalLoop : INotifyUI {
  void ReceiveNotification(NotifyRecord& record) override {
    if (record.type != L"click") return;
    root->RemoveLater(record.sender);
    PumpMessagesFor(50);  // Delivers the delivery message meanwhile.
    destroyed_in_handler = *destroyed;
  }
  test::TestStack* root;
  const bool* destroyed;
  bool destroyed_in_handler = false;
};

bool MarkDestroyed(void* flag, void*) { return *static_cast<bool*>(flag) = true; }

TEST_F(PaintManager, TheSenderRemovedInItsOwnClickLivesUntilTheHandlerReturns) {
  TwoProbes tree;
  bool destroyed = false;
  tree.a->DestroyListeners().Add(Delegate{&destroyed, MarkDestroyed});
  RemoveAndRunModalLoop handler;
  handler.root = tree.root;
  handler.destroyed = &destroyed;
  tree.window.manager().AddNotifier(&handler);
  tree.window.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
  tree.window.Send(WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_FALSE(handler.destroyed_in_handler);
  ASSERT_TRUE(PumpMessagesUntil([&] { return destroyed; }, 1000));
  EXPECT_EQ(nullptr, tree.window.manager().FindControlByName(L"a"));
  EXPECT_EQ(nullptr, tree.window.manager().GetFocusedControl());
}

TEST_F(PaintManager, ADestroyedControlLeavesNothingBehind) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  test::PoisonedStorage<Probe> storage;
  Probe* doomed = storage.get();
  doomed->SetName(L"doomed");
  doomed->SetFixedHeight(20);
  tree.root->Add(doomed);       // y 80 to 100.
  doomed->SetName(L"renamed");  // The map still holds it under "doomed".
  UpdateWindow(tree.window.hwnd());
  tree.window.Send(WM_MOUSEMOVE, 0, At(10, 90));
  tree.window.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 90));
  tree.window.Send(WM_KEYDOWN, 'K', 0);
  ASSERT_EQ(doomed, manager.GetFocusedControl());
  ASSERT_TRUE(manager.SetControlTimer(doomed, 3, 1));
  manager.AddPaintAfterChildren(doomed);
  manager.SendNotify(doomed, L"later", 0, 0, true);
  tree.root->Release(doomed);
  storage.Destroy();

  EXPECT_EQ(nullptr, manager.GetFocusedControl());
  EXPECT_EQ(nullptr, manager.FindControlByName(L"doomed"));
  EXPECT_NE(tree.window.hwnd(), GetCapture());
  for (UINT message : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_KEYUP, WM_CHAR, WM_MOUSEHOVER})
    tree.window.Send(message, 0, At(10, 90));
  manager.InvalidateAll();
  UpdateWindow(tree.window.hwnd());
  const auto delivered = [&] {
    return std::find(tree.notifications.entries.begin(), tree.notifications.entries.end(), "later:-") !=
           tree.notifications.entries.end();
  };
  EXPECT_TRUE(PumpMessagesUntil(delivered, 1000));  // Queued before the sender went: no sender.
  EXPECT_TRUE(storage.StillPoisoned());
}

// A window whose manager lives in poisoned storage and is destroyed with the window, as a window object
// on the heap deletes itself (and its manager) when its window is destroyed. The window is destroyed by
// the first notification of the type `trigger`.
struct SelfDestroyingWindow : INotifyUI {
  explicit SelfDestroyingWindow(const wchar_t* trigger_type)
      : trigger(trigger_type), window(test::TestWindow::Hidden(200, 100, Forward, this)) {
    manager.get()->AttachToWindow(window.hwnd(), L"test");
    auto* root = new test::TestStack;
    root->Add(new Probe(L"a", kTab, 40));
    manager.get()->SetRoot(root);
    manager.get()->AddNotifier(this);
  }
  static bool Forward(HWND, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result, void* self) {
    auto* owner = static_cast<SelfDestroyingWindow*>(self);
    if (owner->manager.destroyed()) return false;
    const bool handled = owner->manager.get()->HandleMessage(message, wparam, lparam, result);
    if (message == WM_NCDESTROY) owner->manager.Destroy();
    return handled;
  }
  void ReceiveNotification(NotifyRecord& record) override {
    if (record.type == trigger) DestroyWindow(window.hwnd());
  }
  const wchar_t* trigger;
  test::PoisonedStorage<CPaintManagerUI> manager;
  test::TestWindow window;
};

TEST_F(PaintManager, AHandlerMayDestroyTheWindowAndItsManager) {
  for (const wchar_t* trigger : {L"windowinit", L"setfocus", L"click", L"timer"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(trigger)));
    SelfDestroyingWindow owner(trigger);
    HWND hwnd = owner.window.hwnd();
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);  // "windowinit", then the first tab stop takes the focus.
    if (!owner.manager.destroyed()) {
      SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
      SendMessageW(hwnd, WM_LBUTTONUP, 0, At(10, 10));
    }
    if (!owner.manager.destroyed()) {
      CPaintManagerUI* manager = owner.manager.get();
      ASSERT_TRUE(manager->SetControlTimer(manager->FindControlByName(L"a"), 1, 1));
      PumpMessagesUntil([&] { return owner.manager.destroyed(); }, 1000);
    }
    ASSERT_TRUE(owner.manager.destroyed());
    EXPECT_TRUE(owner.manager.StillPoisoned()) << "the manager wrote into itself after its destruction";
    PumpMessagesFor(20);
  }
}

TEST_F(PaintManager, NamesHitTestingAndAdoption) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  EXPECT_EQ(tree.a, manager.FindControlByName(L"a"));
  EXPECT_EQ(nullptr, manager.FindControlByName(L"A"));  // Names keep their letter case.
  EXPECT_EQ(tree.b, manager.FindControlAt(POINT{10, 79}));
  EXPECT_EQ(tree.root, manager.FindControlAt(POINT{10, 90}));
  EXPECT_EQ(nullptr, manager.FindControlAt(POINT{10, 100}));
  tree.b->SetMouseEnabled(false);
  EXPECT_EQ(tree.root, manager.FindControlAt(POINT{10, 50}));

  // A later control of the same name replaces the earlier one in the map.
  auto* twin = new Probe(L"a", 0, 10);
  tree.root->Add(twin);
  EXPECT_EQ(twin, manager.FindControlByName(L"a"));
  tree.root->RemoveLater(twin);
  ASSERT_TRUE(PumpMessagesUntil([&] { return manager.FindControlByName(L"a") == nullptr; }, 1000));
}

// Handles every message it sees (and removes itself and the next filter on the first one).
struct SwallowingFilter : IMessageFilterUI {
  LRESULT MessageHandler(UINT message, WPARAM, LPARAM, bool* handled) override {
    seen.push_back(message);
    if (remove_self) manager->RemoveMessageFilter(this);
    if (also_remove) manager->RemoveMessageFilter(also_remove);
    *handled = handles;
    return 42;
  }
  CPaintManagerUI* manager = nullptr;
  bool handles = true;
  bool remove_self = false;
  IMessageFilterUI* also_remove = nullptr;
  std::vector<UINT> seen;
};

struct ConsumingTranslator : ITranslateAccelerator {
  bool TranslateAcceleratorMessage(const MSG& message) override { return message.wParam == VK_F5; }
};

TEST_F(PaintManager, FiltersComeFirstAndMayEditTheirListWhileAsked) {
  TwoProbes tree;
  CPaintManagerUI& manager = tree.window.manager();
  SwallowingFilter first, second;
  first.manager = second.manager = &manager;
  first.handles = false;
  first.remove_self = true;
  first.also_remove = &second;
  manager.AddMessageFilter(&first);
  manager.AddMessageFilter(&second);
  tree.window.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 50));  // Both removed: no filter swallows it.
  EXPECT_EQ(1u, first.seen.size());
  EXPECT_TRUE(second.seen.empty());
  EXPECT_EQ(Log({"FocusGained", "ButtonDown@10,50"}), tree.b->log);
  tree.window.Send(WM_LBUTTONUP, 0, At(10, 50));

  SwallowingFilter swallowing;
  manager.AddMessageFilter(&swallowing);
  tree.b->log.clear();
  EXPECT_EQ(42, tree.window.Send(WM_LBUTTONDOWN, MK_LBUTTON, At(15, 55)));
  EXPECT_TRUE(tree.b->log.empty());
  EXPECT_EQ(15, manager.GetLastMousePoint().x);  // Still noted for the controls.
  manager.RemoveMessageFilter(&swallowing);

  // Queued keyboard messages: translators first, then pre-message filters, then Tab navigation.
  ConsumingTranslator translator;
  manager.AddTranslateAccelerator(&translator);
  EXPECT_TRUE(CPaintManagerUI::PreTranslateMessage({tree.window.hwnd(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}}));
  SwallowingFilter pre_filter;
  manager.AddPreMessageFilter(&pre_filter);
  EXPECT_TRUE(CPaintManagerUI::PreTranslateMessage({tree.window.hwnd(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}}));
  EXPECT_EQ(tree.b, manager.GetFocusedControl());  // The filter took the Tab.
  EXPECT_FALSE(CPaintManagerUI::PreTranslateMessage({nullptr, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}}));

  // No exception crosses the window procedure or the message loop's offer.
  struct Throwing : IMessageFilterUI, ITranslateAccelerator {
    LRESULT MessageHandler(UINT, WPARAM, LPARAM, bool*) override { throw std::runtime_error("filter"); }
    bool TranslateAcceleratorMessage(const MSG&) override { throw std::runtime_error("translator"); }
  } throwing;
  manager.AddMessageFilter(&throwing);
  manager.AddTranslateAccelerator(&throwing);
  manager.RemoveTranslateAccelerator(&translator);
  EXPECT_EQ(0, tree.window.Send(WM_USER + 5, 0, 0));
  EXPECT_FALSE(CPaintManagerUI::PreTranslateMessage({tree.window.hwnd(), WM_KEYDOWN, VK_F5, 0, 0, {0, 0}}));
  // The window outlives these listeners.
  manager.RemoveMessageFilter(&throwing);
  manager.RemoveTranslateAccelerator(&throwing);
  manager.RemovePreMessageFilter(&pre_filter);
}

TEST_F(PaintManager, AToolTipWindowShowsForTheHoveredControlAndGoesWithTheWindow) {
  TwoProbes tree;
  tree.b->SetToolTip(L"two<n>lines");
  tree.window.Send(WM_MOUSEMOVE, 0, At(10, 50));
  tree.window.Send(WM_MOUSEHOVER, 0, At(10, 50));
  HWND tip = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
  ASSERT_NE(nullptr, tip);
  EXPECT_EQ(tree.window.hwnd(), GetWindow(tip, GW_OWNER));
  EXPECT_EQ(Log({"MouseEnter@10,50", "MouseMove@10,50", "MouseHover@10,50"}), tree.b->log);
  tree.window.Send(WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(tip));
}

}  // namespace
}  // namespace veneer
