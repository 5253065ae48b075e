#include "ui/core/pointer_array.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace veneer {

CPointerArray::CPointerArray(int preallocated) : items_(nullptr), count_(0), capacity_(0) {
  if (preallocated > 0) {
    items_ = static_cast<void**>(malloc(preallocated * sizeof(void*)));
    if (items_) capacity_ = preallocated;
  }
}

CPointerArray::CPointerArray(const CPointerArray& other) : CPointerArray() {
  for (int i = 0; i < other.count_; ++i) Add(other.items_[i]);
}

CPointerArray::~CPointerArray() { free(items_); }

void CPointerArray::Empty() {
  free(items_);
  items_ = nullptr;
  count_ = capacity_ = 0;
}

void CPointerArray::Resize(int count) {
  Empty();
  if (count <= 0) return;
  items_ = static_cast<void**>(calloc(count, sizeof(void*)));
  if (items_) count_ = capacity_ = count;
}

// Raises the count by one, doubling the capacity when the new count reaches it. On failure the
// count is restored and nothing else changes.
bool CPointerArray::GrowForOneMore() {
  ++count_;
  if (count_ < capacity_) return true;
  constexpr int kMaxCapacity = INT_MAX / 2 / static_cast<int>(sizeof(void*));
  const int capacity = capacity_ > 0 ? capacity_ * 2 : 11;
  auto* items =
      capacity_ > kMaxCapacity ? nullptr : static_cast<void**>(realloc(items_, capacity * sizeof(void*)));
  if (!items) {
    --count_;
    return false;
  }
  items_ = items;
  capacity_ = capacity;
  return true;
}

bool CPointerArray::Add(void* item) {
  if (!GrowForOneMore()) return false;
  items_[count_ - 1] = item;
  return true;
}

bool CPointerArray::InsertAt(int index, void* item) {
  if (index == count_) return Add(item);
  if (index < 0 || index > count_) return false;
  if (!GrowForOneMore()) return false;
  memmove(items_ + index + 1, items_ + index, (count_ - 1 - index) * sizeof(void*));
  items_[index] = item;
  return true;
}

bool CPointerArray::Remove(int index) {
  if (index < 0 || index >= count_) return false;
  --count_;
  memmove(items_ + index, items_ + index + 1, (count_ - index) * sizeof(void*));
  return true;
}

bool CPointerArray::SetAt(int index, void* item) {
  if (index < 0 || index >= count_) return false;
  items_[index] = item;
  return true;
}

void* CPointerArray::GetAt(int index) const {
  return (index < 0 || index >= count_) ? nullptr : items_[index];
}

int CPointerArray::Find(const void* item) const {
  for (int i = 0; i < count_; ++i) {
    if (items_[i] == item) return i;
  }
  return -1;
}

}  // namespace veneer
