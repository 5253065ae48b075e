#include "ui/runtime/event_source.h"

namespace veneer {

void EventSource::Add(const Delegate& delegate) {
  if (delegate.function) delegates_.Add(delegate);
}

void EventSource::Remove(const Delegate& delegate) {
  if (delegate.function) delegates_.Remove(delegate);
}

bool EventSource::IsEmpty() const { return delegates_.IsEmpty(); }

bool EventSource::Fire(void* argument, bool* source_destroyed) {
  bool accepted = true;  // On the stack: still there when a delegate destroys the list.
  const WalkEnd end = delegates_.Walk([&accepted, argument](const Delegate& delegate) {
    accepted = delegate.function(delegate.object, argument);
    return accepted;
  });
  if (end != WalkEnd::kListDestroyed) return accepted;
  if (source_destroyed) *source_destroyed = true;
  return false;
}

}  // namespace veneer
