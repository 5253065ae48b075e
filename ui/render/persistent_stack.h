#ifndef UI_RENDER_PERSISTENT_STACK_H_
#define UI_RENDER_PERSISTENT_STACK_H_

#include <cassert>
#include <vector>

namespace veneer {

// A family of stacks that share their lower entries: a stack is named by the index of its top entry
// (kEmpty for none), pushing makes a new entry on top of a given one and popping just names the entry
// below. Saving a stack and going back to it later is therefore copying one integer, however deep it
// is, which is what a layout that measures a line and then draws it again from the same state needs.
// Entries are only added, never removed, until the object dies; the memory grows with the number of
// pushes made, not with the depth. It does not own what T points to.
template <typename T>
class PersistentStack {
 public:
  using Top = int;
  static constexpr Top kEmpty = -1;

  Top Push(Top top, const T& value) {
    assert(IsTopOfThisFamily(top));
    entries_.push_back(Entry{value, top});
    return static_cast<Top>(entries_.size()) - 1;
  }
  // The stack below `top`; popping the empty stack gives the empty stack.
  Top Pop(Top top) const {
    assert(IsTopOfThisFamily(top));
    return top == kEmpty ? kEmpty : entries_[top].below;
  }
  // The value on top, or `fallback` for the empty stack.
  const T& Peek(Top top, const T& fallback) const {
    assert(IsTopOfThisFamily(top));
    return top == kEmpty ? fallback : entries_[top].value;
  }

 private:
  // Tops come only from this object's own Push and Pop.
  bool IsTopOfThisFamily(Top top) const {
    return top == kEmpty || (top >= 0 && static_cast<size_t>(top) < entries_.size());
  }

  struct Entry {
    T value;
    Top below;
  };
  std::vector<Entry> entries_;
};

}  // namespace veneer

#endif  // UI_RENDER_PERSISTENT_STACK_H_
