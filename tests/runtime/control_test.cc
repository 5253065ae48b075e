#include "ui/runtime/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/rect_assertions.h"
#include "tests/runtime/poisoned_storage.h"
#include "ui/runtime/paint_manager.h"

namespace veneer {
namespace {

using test::RectEq;

// A control that records the events reaching its HandleEvent.
class RecordingControl : public CControlUI {
 public:
  void HandleEvent(EventRecord& event) override { handled.push_back(event.kind); }
  std::vector<EventKind> handled;
};

EventRecord Event(EventKind kind) {
  EventRecord event;
  event.kind = kind;
  return event;
}

// Listens to a control: notifications and events it sees; refuses events on request.
struct Observer {
  bool OnNotify(NotifyRecord* record) {
    notifications.push_back(record->type.GetData());
    last = *record;
    return true;
  }
  bool OnEvent(EventRecord* event) {
    events.push_back(event->kind);
    event_sender = event->sender;
    return accept_events;
  }
  void Watch(CControlUI* control) {
    control->NotifyListeners().Add(MakeDelegate<Observer, NotifyRecord, &Observer::OnNotify>(this));
    control->EventListeners().Add(MakeDelegate<Observer, EventRecord, &Observer::OnEvent>(this));
  }
  std::vector<std::wstring> notifications;
  NotifyRecord last;
  std::vector<EventKind> events;
  CControlUI* event_sender = nullptr;
  bool accept_events = true;
};

// Destroys the control in `storage` from any listener list.
struct Destroyer {
  bool OnControl(CControlUI*) { return Destroy(); }
  bool OnEvent(EventRecord*) { return Destroy(); }
  bool Destroy() {
    storage->Destroy();
    return true;
  }
  test::PoisonedStorage<RecordingControl>* storage;
};

TEST(ControlPlaceTest, InvalidatesTheUnionClippedByVisibleParents) {
  const struct {
    const char* name;
    RECT parent;
    bool parent_visible;
    RECT old_bounds, placed;
    bool invalidate;
    RECT bounds, dirty;
  } cases[] = {
      {"first placement",
       {0, 0, 100, 100},
       true,
       {},
       {50, 10, 150, 30},
       true,
       {50, 10, 150, 30},
       {50, 10, 100, 30}},
      {"moved",
       {0, 0, 100, 100},
       true,
       {10, 10, 20, 20},
       {30, 30, 40, 40},
       true,
       {30, 30, 40, 40},
       {10, 10, 40, 40}},
      {"no invalidation",
       {0, 0, 100, 100},
       true,
       {10, 10, 20, 20},
       {30, 30, 40, 40},
       false,
       {30, 30, 40, 40},
       {}},
      {"hidden parent",
       {0, 0, 100, 100},
       false,
       {10, 10, 20, 20},
       {30, 30, 40, 40},
       true,
       {30, 30, 40, 40},
       {}},
      {"outside the parent", {0, 0, 100, 100}, true, {}, {120, 0, 150, 10}, true, {120, 0, 150, 10}, {}},
      {"inverted edges", {0, 0, 100, 100}, true, {}, {50, 50, 40, 40}, true, {50, 50, 50, 50}, {}},
      {"negative edges",
       {-20, -20, 100, 100},
       true,
       {},
       {-10, -10, 10, 10},
       true,
       {-10, -10, 10, 10},
       {0, 0, 10, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CPaintManagerUI manager;
    CControlUI parent;
    CControlUI child;
    parent.Place(c.parent, false);
    parent.SetVisible(c.parent_visible);
    child.Place(c.old_bounds, false);
    EXPECT_TRUE(child.IsLayoutDirty());  // A detached Place leaves it.
    parent.AttachManager(&manager, nullptr, false);
    child.AttachManager(&manager, &parent, false);
    child.Place(c.placed, c.invalidate);
    EXPECT_TRUE(RectEq(c.bounds, child.GetBounds()));
    EXPECT_TRUE(RectEq(c.dirty, manager.GetDirtyArea()));
    EXPECT_FALSE(child.IsLayoutDirty());
  }
}

TEST(ControlLifetimeTest, ListenersMayDestroyTheControl) {
  CPaintManagerUI manager;
  {
    test::PoisonedStorage<RecordingControl> storage;
    Destroyer destroyer{&storage};
    storage.get()->AttachManager(&manager, nullptr, false);
    storage.get()->SizeListeners().Add(
        MakeDelegate<Destroyer, CControlUI, &Destroyer::OnControl>(&destroyer));
    storage.get()->Place(CUIRect(0, 0, 10, 10), true);
    ASSERT_TRUE(storage.destroyed());
    EXPECT_TRUE(storage.StillPoisoned());
  }
  {
    test::PoisonedStorage<RecordingControl> storage;
    Destroyer destroyer{&storage};
    storage.get()->EventListeners().Add(
        MakeDelegate<Destroyer, EventRecord, &Destroyer::OnEvent>(&destroyer));
    EventRecord event = Event(EventKind::ButtonDown);
    storage.get()->DispatchEvent(event);  // HandleEvent would call through a poisoned table.
    ASSERT_TRUE(storage.destroyed());
    EXPECT_TRUE(storage.StillPoisoned());
  }
}

TEST(ControlLifetimeTest, TheManagerForgetsDestroyedAndDetachedControls) {
  CPaintManagerUI manager;
  auto* control = new CControlUI;
  control->AttachManager(&manager, nullptr, false);
  control->TakeFocus();
  ASSERT_EQ(control, manager.GetFocusedControl());
  delete control;
  EXPECT_EQ(nullptr, manager.GetFocusedControl());

  CControlUI moving;
  moving.AttachManager(&manager, nullptr, false);
  moving.TakeFocus();
  moving.AttachManager(nullptr, nullptr, false);
  EXPECT_EQ(nullptr, manager.GetFocusedControl());
}

TEST(ControlFocusTest, HidingTheFocusLeavesTheWindowWithoutFocus) {
  for (bool through_parent : {false, true}) {
    SCOPED_TRACE(through_parent ? "parent hidden" : "control hidden");
    CPaintManagerUI manager;
    CControlUI control;
    Observer observer;
    observer.Watch(&control);
    control.AttachManager(&manager, nullptr, false);
    control.TakeFocus();
    EXPECT_TRUE(control.IsFocused());
    if (through_parent) {
      control.SetParentVisible(false);
    } else {
      control.SetVisible(false);
    }
    EXPECT_EQ(nullptr, manager.GetFocusedControl());
    EXPECT_FALSE(control.IsFocused());
    EXPECT_EQ(std::vector<EventKind>({EventKind::FocusGained, EventKind::FocusLost}), observer.events);
    EXPECT_EQ(nullptr, observer.event_sender);  // FocusLost names the new focus: none.
    EXPECT_EQ(std::vector<std::wstring>({L"setfocus", L"killfocus"}), observer.notifications);
  }
}

TEST(ControlFocusTest, FocusLostListenerDestroyingTheNewFocus) {
  CPaintManagerUI manager;
  CControlUI first;
  test::PoisonedStorage<RecordingControl> second;
  Destroyer destroyer{&second};
  first.AttachManager(&manager, nullptr, false);
  second.get()->AttachManager(&manager, nullptr, false);
  first.TakeFocus();
  first.EventListeners().Add(MakeDelegate<Destroyer, EventRecord, &Destroyer::OnEvent>(&destroyer));
  manager.FocusControl(second.get());
  EXPECT_TRUE(second.StillPoisoned());
  EXPECT_EQ(nullptr, manager.GetFocusedControl());
  EXPECT_FALSE(first.IsFocused());
}

TEST(ControlEventTest, EventsTheBaseDoesNotHandleGoToTheParent) {
  const struct {
    EventKind kind;
    bool menu_enabled;
    bool reaches_parent;
    const wchar_t* notification;
  } cases[] = {
      {EventKind::RightButtonUp, false, true, nullptr}, {EventKind::KeyDown, false, true, nullptr},
      {EventKind::MouseMove, false, true, nullptr},     {EventKind::ContextMenu, false, true, nullptr},
      {EventKind::ContextMenu, true, false, L"menu"},   {EventKind::Timer, false, false, L"timer"},
      {EventKind::FocusLost, false, false, nullptr},    {EventKind::CursorRequest, false, false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    CPaintManagerUI manager;
    RecordingControl parent;
    CControlUI control;
    Observer observer;
    observer.Watch(&control);
    control.AttachManager(&manager, &parent, false);
    control.SetContextMenuEnabled(c.menu_enabled);
    EventRecord event = Event(c.kind);
    event.wParam = 17;
    event.lParam = -4;
    control.DispatchEvent(event);
    EXPECT_EQ(c.reaches_parent ? 1u : 0u, parent.handled.size());
    ASSERT_EQ(c.notification ? 1u : 0u, observer.notifications.size());
    if (!c.notification) continue;
    EXPECT_EQ(c.notification, observer.notifications[0]);
    EXPECT_EQ(&control, observer.last.sender);
    EXPECT_EQ(17u, observer.last.wParam);
    EXPECT_EQ(-4, observer.last.lParam);
  }
}

TEST(ControlEventTest, ARefusingListenerSuppressesHandling) {
  RecordingControl control;
  Observer observer;
  observer.Watch(&control);
  observer.Watch(&control);  // The same listener twice is kept once.
  observer.accept_events = false;
  EventRecord event = Event(EventKind::ButtonDown);
  control.DispatchEvent(event);
  EXPECT_EQ(1u, observer.events.size());
  EXPECT_TRUE(control.handled.empty());
}

CControlUI* AcceptAny(CControlUI* control, void*) { return control; }
CControlUI* AcceptNone(CControlUI*, void*) { return nullptr; }

TEST(ControlFindTest, FlagsTheBaseTests) {
  const struct {
    const char* name;
    uint32_t flags;
    bool visible, parent_visible, enabled, mouse;
    POINT point;
    CControlUI* (*visitor)(CControlUI*, void*);
    bool found;
  } cases[] = {
      {"no flags, hidden", 0, false, true, true, true, {0, 0}, AcceptAny, true},
      {"visible, hidden", kFindVisible, false, true, true, true, {0, 0}, AcceptAny, false},
      {"visible, parent hidden", kFindVisible, true, false, true, true, {0, 0}, AcceptAny, false},
      {"enabled, disabled", kFindEnabled, true, true, false, true, {0, 0}, AcceptAny, false},
      {"hit top-left corner", kFindHitTest, true, true, true, true, {10, 10}, AcceptAny, true},
      {"hit right-bottom edge", kFindHitTest, true, true, true, true, {50, 50}, AcceptAny, false},
      {"hit, mouse disabled", kFindHitTest, true, true, true, false, {30, 30}, AcceptAny, false},
      {"hit, disabled not asked", kFindHitTest, true, true, false, true, {30, 30}, AcceptAny, true},
      {"visitor declines", kFindVisible, true, true, true, true, {0, 0}, AcceptNone, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CControlUI control;
    control.Place(CUIRect(10, 10, 50, 50), false);
    control.SetVisible(c.visible);
    control.SetParentVisible(c.parent_visible);
    control.SetEnabled(c.enabled);
    control.SetMouseEnabled(c.mouse);
    POINT point = c.point;
    EXPECT_EQ(c.found ? &control : nullptr, control.FindMatching(c.visitor, &point, c.flags));
  }
}

TEST(ControlTreeTest, RelativeBoundsVirtualWindowsAndLayoutMarks) {
  CPaintManagerUI manager;
  CControlUI root, page, leaf;
  root.AttachManager(&manager, nullptr, false);
  page.AttachManager(&manager, &root, false);
  leaf.AttachManager(&manager, &page, false);
  root.Place(CUIRect(0, 0, 300, 200), false);
  page.Place(CUIRect(100, 50, 300, 200), false);
  leaf.Place(CUIRect(110, 70, 130, 80), false);
  EXPECT_TRUE(RectEq(CUIRect(10, 20, 30, 30), leaf.GetRelativeBounds()));

  page.ApplyAttribute(L"virtualwnd", L"settings");
  EXPECT_EQ(L"settings", leaf.GetVirtualWindowName());
  Observer observer;
  observer.Watch(&leaf);
  manager.SendNotify(&leaf, L"click");
  EXPECT_EQ(L"settings", observer.last.virtualWindow);

  EXPECT_FALSE(manager.IsLayoutNeeded());
  leaf.SetFixedWidth(40);
  EXPECT_TRUE(page.IsLayoutDirty());
  EXPECT_FALSE(leaf.IsLayoutDirty());
  EXPECT_TRUE(manager.IsLayoutNeeded());
  EXPECT_TRUE(RectEq(CUIRect(100, 50, 300, 200), manager.GetDirtyArea()));
}

TEST(ControlImagesTest, SettingTheBackImageDropsTheCachedImage) {
  CPaintManagerUI manager;
  CControlUI control;
  control.AttachManager(&manager, nullptr, false);
  for (int round = 0; round < 2; ++round) {  // The second time the value is unchanged.
    ASSERT_NE(nullptr, manager.RegisterSkinImage(L"102", L"PNG", 0, false, false, GetModuleHandleW(nullptr)));
    control.SetBackImage(L"102");
    EXPECT_EQ(nullptr, manager.FindImage(L"102"));
  }
}

}  // namespace
}  // namespace veneer
