#include "ui/runtime/container.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/runtime/container_fixtures.h"
#include "ui/runtime/paint_manager.h"

namespace veneer::test {
namespace {

TEST(ContainerChildrenTest, RefusedAdditionsAndBadIndexesChangeNothing) {
  CPaintManagerUI manager;
  CContainerUI outer;
  auto* inner = new CContainerUI;
  ASSERT_TRUE(outer.Add(inner));
  CControlUI* first = AddSized(&outer, 0, 0);
  CContainerUI other;
  // Checked before any manager is attached: children name their container from Add on.
  EXPECT_FALSE(outer.Add(nullptr));
  EXPECT_FALSE(outer.Add(first));  // Twice.
  EXPECT_FALSE(other.Add(first));  // Already in a container.
  EXPECT_FALSE(outer.Add(&outer));
  EXPECT_FALSE(inner->Add(&outer));  // Its own ancestor.
  EXPECT_FALSE(inner->Add(inner));

  outer.AttachManager(&manager, nullptr, true);
  auto stray = std::make_unique<CControlUI>();
  for (int index : {-1, 3, 1000}) {
    SCOPED_TRACE(index);
    EXPECT_FALSE(outer.AddAt(stray.get(), index));
    EXPECT_EQ(nullptr, stray->GetParentControl());
    EXPECT_EQ(nullptr, stray->GetPaintManager());  // Not adopted either.
    EXPECT_FALSE(outer.SetItemIndex(first, index == 3 ? 2 : index));
    EXPECT_FALSE(outer.RemoveAt(index));
  }
  EXPECT_FALSE(outer.SetItemIndex(stray.get(), 0));
  EXPECT_FALSE(outer.Remove(stray.get()));
  ASSERT_EQ(2, outer.GetCount());
  EXPECT_EQ(inner, outer.GetItemAt(0));
  EXPECT_EQ(first, outer.GetItemAt(1));
  EXPECT_EQ(&outer, first->GetParentControl());
  EXPECT_EQ(&manager, first->GetPaintManager());

  EXPECT_TRUE(outer.AddAt(stray.get(), 1));
  EXPECT_EQ(&manager, stray.release()->GetPaintManager());
  EXPECT_TRUE(outer.SetItemIndex(first, 0));
  EXPECT_EQ(first, outer.GetItemAt(0));
  EXPECT_EQ(inner, outer.GetItemAt(1));
  outer.AttachManager(nullptr, nullptr, false);
}

TEST(ContainerChildrenTest, ChildrenLeaveTheListBeforeTheyAreDestroyed) {
  DestroyLog log;
  {
    CContainerUI container;
    log.container = &container;
    container.SetDelayedDestroy(false);
    for (int i = 0; i < 4; ++i) log.Watch(AddSized(&container, 0, 0));
    EXPECT_TRUE(container.RemoveAt(1));
    EXPECT_EQ(1, log.destroyed);
    container.RemoveAll();
    EXPECT_EQ(4, log.destroyed);
    for (int i = 0; i < 2; ++i) log.Watch(AddSized(&container, 0, 0));
  }
  EXPECT_EQ(6, log.destroyed);  // The destructor destroys at once, whatever the delayed setting.
  EXPECT_EQ(0, log.destroyed_while_listed);
}

TEST(ContainerChildrenTest, RemovedChildLivesUntilTheDelayedCleanupAndHandedBackChildrenAreDetached) {
  auto manager = std::make_unique<CPaintManagerUI>();
  DestroyLog log;
  CContainerUI container;
  log.container = &container;
  container.AttachManager(manager.get(), nullptr, false);
  CControlUI* delayed = AddSized(&container, 0, 0);
  log.Watch(delayed);
  EXPECT_TRUE(container.Remove(delayed));
  EXPECT_EQ(0, log.destroyed);
  EXPECT_EQ(0, container.GetCount());
  EXPECT_EQ(nullptr, delayed->GetParentControl());

  container.SetAutoDestroy(false);
  auto* kept = new CContainerUI;
  ASSERT_TRUE(container.Add(kept));
  CControlUI* grandchild = AddSized(kept, 0, 0);
  container.SetVisible(false);
  EXPECT_TRUE(container.Remove(kept));
  std::unique_ptr<CContainerUI> owned(kept);
  EXPECT_EQ(nullptr, kept->GetParentControl());
  EXPECT_EQ(nullptr, kept->GetPaintManager());
  EXPECT_EQ(nullptr, grandchild->GetPaintManager());
  EXPECT_TRUE(grandchild->IsVisible());  // No longer under the hidden container.

  container.AttachManager(nullptr, nullptr, false);
  manager.reset();  // Runs the delayed clean-up.
  EXPECT_EQ(1, log.destroyed);
  EXPECT_EQ(0, log.destroyed_while_listed);
}

TEST(ContainerPlaceTest, ChildrenFillTheClientAreaAndFloatingOnesIgnoreTheInset) {
  const struct {
    const char* name;
    RECT inset;
    RECT filled;
  } cases[] = {
      {"no inset", {0, 0, 0, 0}, {100, 50, 580, 350}},
      {"inset", {10, 20, 30, 40}, {110, 70, 550, 310}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CContainerUI container;
    container.SetInset(c.inset);
    AddSized(&container, 0, 0);
    CControlUI* limited = AddSized(&container, 0, 0);
    limited->SetMaxWidth(40);
    CControlUI* floating = AddSized(&container, 0, 0);
    floating->ApplyAttribute(L"pos", L"444,8,472,36");
    floating->ApplyAttribute(L"float", L"true");
    container.Place({100, 50, 580, 350}, false);
    const RECT& f = c.filled;
    EXPECT_TRUE(ChildrenAt({f, {f.left, f.top, f.left + 40, f.bottom}, {544, 58, 572, 86}}, container));
  }
}

CControlUI* AcceptFirst(CControlUI* control, void* /*point*/) { return control; }

TEST(ContainerFindTest, HitTestsTakeTheLastChildAndSkipTheInsetExceptForFloatingChildren) {
  CContainerUI container;
  container.SetInset({10, 10, 10, 10});
  CControlUI* label = AddSized(&container, 0, 0);
  CControlUI* button = AddSized(&container, 0, 0);
  CControlUI* floating = AddSized(&container, 0, 0);
  floating->ApplyAttribute(L"pos", L"0,0,8,8");
  floating->ApplyAttribute(L"float", L"true");
  container.Place({0, 0, 100, 100}, false);
  const uint32_t kPointSearch = kFindVisible | kFindHitTest | kFindLastToFirst;
  const auto hit = [&](POINT point) { return container.FindMatching(&AcceptFirst, &point, kPointSearch); };

  EXPECT_EQ(button, hit({50, 50}));
  EXPECT_EQ(floating, hit({4, 4}));
  EXPECT_EQ(nullptr, hit({150, 50}));
  button->Place({0, 0, 100, 100}, false);
  EXPECT_EQ(&container, hit({5, 50}));  // In the button's bounds, but in the inset.
  button->SetMouseEnabled(false);
  EXPECT_EQ(label, hit({50, 50}));
  container.SetMouseChildEnabled(false);
  EXPECT_EQ(&container, hit({50, 50}));
  container.SetMouseEnabled(false);
  EXPECT_EQ(nullptr, hit({50, 50}));
  EXPECT_EQ(label, container.FindMatching(&AcceptFirst, nullptr, 0));  // Children before the container...
  EXPECT_EQ(&container, container.FindMatching(&AcceptFirst, nullptr, kFindSelfFirst));  // ...unless asked.
}

TEST(ContainerScrollTest, KeysAndTheWheelScrollTheShownBar) {
  const struct {
    const wchar_t* bars;
    EventKind kind;
    WORD key;
    SIZE position;
  } cases[] = {
      {L"vscrollbar", EventKind::KeyDown, VK_DOWN, {0, 8}},
      {L"vscrollbar", EventKind::KeyDown, VK_NEXT, {0, 100}},
      {L"vscrollbar", EventKind::KeyDown, VK_END, {0, 200}},
      {L"vscrollbar", EventKind::ScrollWheel, 1, {0, 8}},
      {L"vscrollbar", EventKind::KeyDown, VK_RIGHT, {0, 0}},  // Left and right never scroll.
      {L"hscrollbar", EventKind::KeyDown, VK_DOWN, {8, 0}},   // Up and down scroll sideways.
      {L"hscrollbar", EventKind::KeyDown, VK_NEXT, {100, 0}},
      {L"hscrollbar", EventKind::ScrollWheel, 1, {8, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bars << " " << c.key);
    CContainerUI container;
    container.ApplyAttribute(c.bars, L"true");
    container.ApplyAttribute(L"scrollstepsize", L"8");
    container.Place({0, 0, 100, 100}, false);
    CScrollBarUI* bar =
        c.bars[0] == L'v' ? container.GetVerticalScrollBar() : container.GetHorizontalScrollBar();
    bar->SetScrollRange(200);  // The plain container never fits its bars itself.
    EventRecord event;
    event.kind = c.kind;
    event.keyCode = c.key;
    event.wParam = c.key;
    container.HandleEvent(event);
    EXPECT_EQ(c.position.cx, container.GetScrollPosition().cx);
    EXPECT_EQ(c.position.cy, container.GetScrollPosition().cy);
  }
}

}  // namespace
}  // namespace veneer::test
