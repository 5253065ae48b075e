#ifndef UI_RUNTIME_EVENT_SOURCE_H_
#define UI_RUNTIME_EVENT_SOURCE_H_

#include "ui/core/walkable_list.h"

namespace veneer {

// A listener: an object and a function called with it and one argument. Two delegates are equal
// when both the object and the function are. The object is not owned.
struct Delegate {
  using Function = bool (*)(void* object, void* argument);
  void* object = nullptr;
  Function function = nullptr;

  bool operator==(const Delegate& other) const {
    return object == other.object && function == other.function;
  }
};

// Binds a member function `bool T::Method(Argument*)` of `object` as a delegate:
//   source.Add(MakeDelegate<MyWindow, EventRecord, &MyWindow::OnEvent>(this));
template <typename T, typename Argument, bool (T::*Method)(Argument*)>
Delegate MakeDelegate(T* object) {
  return Delegate{object, [](void* self, void* argument) {
                    return (static_cast<T*>(self)->*Method)(static_cast<Argument*>(argument));
                  }};
}

// An ordered list of delegates (a control's init, destroy, size, event and notify listeners).
// Adding a delegate already present does nothing. Fire calls them in order and stops at the first
// that returns false. A listener may add or remove delegates, fire the list again, or destroy the
// list (with its owner) while the list fires: removed delegates are not called again, added ones not
// before the next Fire, and a destroyed list is never touched again. Owns its copies of the
// delegates, not their objects. UI thread only.
class EventSource {
 public:
  EventSource() = default;
  EventSource(const EventSource&) = delete;
  EventSource& operator=(const EventSource&) = delete;

  void Add(const Delegate& delegate);
  void Remove(const Delegate& delegate);
  bool IsEmpty() const;
  // True when every delegate returned true (and for an empty list). When a delegate destroyed the
  // list, Fire returns false at once and sets *source_destroyed (when given): the caller must then
  // not touch the list's owner either.
  bool Fire(void* argument, bool* source_destroyed = nullptr);

 private:
  // Delegates with a null function are never stored: the empty delegate is the list's blank.
  WalkableList<Delegate> delegates_;
};

}  // namespace veneer

#endif  // UI_RUNTIME_EVENT_SOURCE_H_
