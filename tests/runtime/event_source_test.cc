#include "ui/runtime/event_source.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/runtime/poisoned_storage.h"

namespace veneer {
namespace {

// What a listener does the first time it is called; later calls only record and accept.
enum class Action {
  kAccept,
  kRefuse,
  kRemoveSelf,
  kRemoveNext,
  kRemoveNextAndAddBack,
  kAddFourth,
  kFire,
  kDestroy
};

struct Harness;
struct Listener {
  Harness* harness;
  int id;
  Action action;
  bool acted;
};
struct Harness {
  test::PoisonedStorage<EventSource> source;
  Listener listeners[4];
  std::vector<int> calls;
};

bool Call(void* object, void* argument);
Delegate Of(Listener* listener) { return Delegate{listener, Call}; }

bool Call(void* object, void* /*argument*/) {
  Listener* self = static_cast<Listener*>(object);
  Harness* harness = self->harness;
  harness->calls.push_back(self->id);
  if (self->acted) return true;
  self->acted = true;
  EventSource* source = harness->source.get();
  Listener* next = &harness->listeners[self->id % 3];  // Among listeners 1 to 3.
  switch (self->action) {
    case Action::kAccept:
      return true;
    case Action::kRefuse:
      return false;
    case Action::kRemoveSelf:
      source->Remove(Of(self));
      return true;
    case Action::kRemoveNext:
      source->Remove(Of(next));
      return true;
    case Action::kRemoveNextAndAddBack:
      source->Remove(Of(next));
      source->Add(Of(next));
      return true;
    case Action::kAddFourth:
      source->Add(Of(&harness->listeners[3]));
      source->Add(Of(self));  // Present already: nothing happens.
      return true;
    case Action::kFire:
      return source->Fire(nullptr);
    case Action::kDestroy:
      harness->source.Destroy();
      return true;
  }
  return true;
}

TEST(EventSourceTest, ListenersChangingOrDestroyingTheListWhileItFires) {
  using A = Action;
  const struct {
    const char* name;
    Action actions[3];  // Of listeners 1 to 3; listener 4 is not on the list at first.
    std::vector<int> calls;
    bool result;
    bool destroyed;
    std::vector<int> next_calls;  // Of a second Fire, when the list still exists.
  } cases[] = {
      {"all accept", {A::kAccept, A::kAccept, A::kAccept}, {1, 2, 3}, true, false, {1, 2, 3}},
      {"second refuses", {A::kAccept, A::kRefuse, A::kAccept}, {1, 2}, false, false, {1, 2, 3}},
      {"first removes second", {A::kRemoveNext, A::kAccept, A::kAccept}, {1, 3}, true, false, {1, 3}},
      {"second removes itself", {A::kAccept, A::kRemoveSelf, A::kAccept}, {1, 2, 3}, true, false, {1, 3}},
      {"re-added moves to the end",
       {A::kRemoveNextAndAddBack, A::kAccept, A::kAccept},
       {1, 3},
       true,
       false,
       {1, 3, 2}},
      {"added waits for the next fire",
       {A::kAddFourth, A::kAccept, A::kAccept},
       {1, 2, 3},
       true,
       false,
       {1, 2, 3, 4}},
      {"nested fire", {A::kAccept, A::kFire, A::kAccept}, {1, 2, 1, 2, 3, 3}, true, false, {1, 2, 3}},
      {"removed in a nested fire",
       {A::kAccept, A::kFire, A::kRemoveSelf},
       {1, 2, 1, 2, 3},
       true,
       false,
       {1, 2}},
      {"first destroys", {A::kDestroy, A::kAccept, A::kAccept}, {1}, false, true, {}},
      {"last destroys", {A::kAccept, A::kAccept, A::kDestroy}, {1, 2, 3}, false, true, {}},
      {"destroyed in a nested fire", {A::kAccept, A::kFire, A::kDestroy}, {1, 2, 1, 2, 3}, false, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Harness harness;
    for (int i = 0; i < 4; ++i)
      harness.listeners[i] = {&harness, i + 1, i < 3 ? c.actions[i] : A::kAccept, false};
    for (int i = 0; i < 3; ++i) harness.source.get()->Add(Of(&harness.listeners[i]));
    bool destroyed = false;
    EXPECT_EQ(c.result, harness.source.get()->Fire(nullptr, &destroyed));
    EXPECT_EQ(c.calls, harness.calls);
    EXPECT_EQ(c.destroyed, destroyed);
    ASSERT_EQ(c.destroyed, harness.source.destroyed());
    if (c.destroyed) {
      EXPECT_TRUE(harness.source.StillPoisoned()) << "Fire wrote into the destroyed list";
      continue;
    }
    harness.calls.clear();
    EXPECT_TRUE(harness.source.get()->Fire(nullptr));
    EXPECT_EQ(c.next_calls, harness.calls);
  }
}

}  // namespace
}  // namespace veneer
