#include "ui/runtime/event_source.h"

#include <algorithm>
#include <cassert>

namespace veneer {

EventSource::~EventSource() {
  for (FiringFrame* frame = firing_; frame; frame = frame->outer) frame->source_destroyed = true;
}

Delegate* EventSource::FindLive(const Delegate& delegate) {
  if (IsRemoved(delegate)) return nullptr;
  auto found = std::find(delegates_.begin(), delegates_.end(), delegate);
  return found == delegates_.end() ? nullptr : &*found;
}

void EventSource::Add(const Delegate& delegate) {
  if (IsRemoved(delegate) || FindLive(delegate)) return;
  delegates_.push_back(delegate);
}

void EventSource::Remove(const Delegate& delegate) {
  Delegate* entry = FindLive(delegate);
  if (!entry) return;
  if (firing_) {
    *entry = Delegate();
    has_removed_entries_ = true;
  } else {
    delegates_.erase(delegates_.begin() + (entry - delegates_.data()));
  }
}

bool EventSource::IsEmpty() const { return std::all_of(delegates_.begin(), delegates_.end(), IsRemoved); }

void EventSource::DropRemoved() {
  assert(!firing_);
  delegates_.erase(std::remove_if(delegates_.begin(), delegates_.end(), IsRemoved), delegates_.end());
  has_removed_entries_ = false;
}

bool EventSource::Fire(void* argument, bool* source_destroyed) {
  FiringFrame frame = {firing_, false};
  firing_ = &frame;
  bool accepted = true;
  // Delegates added by a listener lie past `count` and wait for the next Fire; removals only blank
  // entries while any Fire runs, so indices below `count` stay valid.
  const size_t count = delegates_.size();
  for (size_t index = 0; index < count && accepted; ++index) {
    const Delegate delegate = delegates_[index];  // A copy: the listener may grow the vector.
    if (IsRemoved(delegate)) continue;
    accepted = delegate.function(delegate.object, argument);
    if (frame.source_destroyed) {
      if (source_destroyed) *source_destroyed = true;
      return false;
    }
  }
  assert(firing_ == &frame);  // Nested Fire calls return before this one.
  firing_ = frame.outer;
  if (!firing_ && has_removed_entries_) DropRemoved();
  return accepted;
}

}  // namespace veneer
