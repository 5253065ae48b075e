#ifndef UI_CORE_WALKABLE_LIST_H_
#define UI_CORE_WALKABLE_LIST_H_

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <new>
#include <vector>

namespace veneer {

// How a walk over a WalkableList ended.
enum class WalkEnd {
  kCompleted,      // Every item was visited.
  kStopped,        // A visit returned false.
  kListDestroyed,  // A visit destroyed the list: neither the list nor its owner may be touched again.
};

// An ordered list of distinct values (listener pointers, delegates) that callbacks may change while it is
// walked: a visit may add or remove items, walk the list again, or destroy the list (with its owner).
// Removed items are not visited again; added ones wait for the next walk; a destroyed list is never
// touched again. The value-initialised T (a null pointer, an empty delegate) is the blank that marks a
// removed item during a walk and is never stored. Owns its copies of the values, not what they point at.
// Not synchronised: one thread.
template <typename T>
class WalkableList {
 public:
  WalkableList() = default;
  WalkableList(const WalkableList&) = delete;
  WalkableList& operator=(const WalkableList&) = delete;
  ~WalkableList() {
    for (Frame* frame = walking_; frame; frame = frame->outer) frame->list_destroyed = true;
  }

  // Appends `item`; false for the blank value, an item already present, or when memory runs out.
  bool Add(const T& item) {
    if (IsBlank(item) || Contains(item)) return false;
    try {
      items_.push_back(item);
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }
  // False when the item is not present.
  bool Remove(const T& item) {
    if (IsBlank(item)) return false;
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end()) return false;
    if (walking_) {
      *found = T();  // Positions stay valid for the walks in progress.
      has_blanks_ = true;
    } else {
      items_.erase(found);
    }
    return true;
  }
  void RemoveAll() {
    if (!walking_) {
      items_.clear();
      return;
    }
    std::fill(items_.begin(), items_.end(), T());
    has_blanks_ = !items_.empty();
  }
  bool Contains(const T& item) const {
    return !IsBlank(item) && std::find(items_.begin(), items_.end(), item) != items_.end();
  }
  bool IsEmpty() const { return std::all_of(items_.begin(), items_.end(), IsBlank); }

  // Calls `visit(item)` (a copy) for every item present when the walk starts and still present when its
  // turn comes, in order, until a visit returns false. A visit that throws leaves the list whole.
  template <typename Visit>
  WalkEnd Walk(Visit&& visit) {
    const WalkScope scope(this);
    const size_t count = items_.size();
    for (size_t index = 0; index < count; ++index) {
      const T item = items_[index];
      if (IsBlank(item)) continue;
      const bool go_on = visit(item);
      if (scope.ListDestroyed()) return WalkEnd::kListDestroyed;
      if (!go_on) return WalkEnd::kStopped;
    }
    return WalkEnd::kCompleted;
  }

 private:
  // One walk in progress, on that walk's stack; frames of nested walks are chained innermost first.
  struct Frame {
    Frame* outer;
    bool list_destroyed;
  };

  // One walk in progress, on that walk's stack: it joins the chain of walks (innermost first) and leaves
  // it when the walk ends, however it ends, unless the list was destroyed meanwhile.
  class WalkScope {
   public:
    explicit WalkScope(WalkableList* list) : list_(list), frame_{list->walking_, false} {
      list->walking_ = &frame_;
    }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;
    ~WalkScope() {
      if (frame_.list_destroyed) return;
      assert(list_->walking_ == &frame_);  // Nested walks end before the walk around them.
      list_->walking_ = frame_.outer;
      if (!list_->walking_ && list_->has_blanks_) list_->DropBlanks();
    }
    bool ListDestroyed() const { return frame_.list_destroyed; }

   private:
    WalkableList* list_;
    Frame frame_;
  };

  static bool IsBlank(const T& item) { return item == T(); }
  void DropBlanks() {
    items_.erase(std::remove_if(items_.begin(), items_.end(), IsBlank), items_.end());
    has_blanks_ = false;
  }

  std::vector<T> items_;
  Frame* walking_ = nullptr;  // The innermost walk in progress; null when none.
  bool has_blanks_ = false;
};

}  // namespace veneer

#endif  // UI_CORE_WALKABLE_LIST_H_
