#ifndef UI_RUNTIME_EVENT_SOURCE_H_
#define UI_RUNTIME_EVENT_SOURCE_H_

#include <vector>

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
  ~EventSource();

  void Add(const Delegate& delegate);
  void Remove(const Delegate& delegate);
  bool IsEmpty() const;
  // True when every delegate returned true (and for an empty list). When a delegate destroyed the
  // list, Fire returns false at once and sets *source_destroyed (when given): the caller must then
  // not touch the list's owner either.
  bool Fire(void* argument, bool* source_destroyed = nullptr);

 private:
  // One Fire in progress, on that call's stack; frames of nested calls are chained innermost first.
  struct FiringFrame {
    FiringFrame* outer;
    bool source_destroyed;
  };

  static bool IsRemoved(const Delegate& delegate) { return delegate.function == nullptr; }
  Delegate* FindLive(const Delegate& delegate);
  void DropRemoved();

  // While the list fires, removed delegates stay as blank entries (null function) so that the
  // positions of the firing loops stay valid; the outermost Fire drops them when it returns.
  std::vector<Delegate> delegates_;
  FiringFrame* firing_ = nullptr;  // The innermost Fire in progress; null when none.
  bool has_removed_entries_ = false;
};

}  // namespace veneer

#endif  // UI_RUNTIME_EVENT_SOURCE_H_
