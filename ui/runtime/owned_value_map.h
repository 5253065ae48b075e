#ifndef UI_RUNTIME_OWNED_VALUE_MAP_H_
#define UI_RUNTIME_OWNED_VALUE_MAP_H_

#include <memory>
#include <utility>

#include "ui/core/string_keyed_map.h"

namespace veneer {

// A text-keyed table that owns its values: each value is handed over as a std::unique_ptr, and the table
// deletes it when its entry is replaced or removed, when the table is emptied and when it is destroyed.
// Keys compare exactly. Callers get borrowed pointers, valid until the entry is replaced or removed.
// Not synchronised.
template <typename T>
class COwnedValueMap {
 public:
  explicit COwnedValueMap(int bucket_count = CStringKeyedMap::kDefaultBucketCount) : map_(bucket_count) {}
  COwnedValueMap(const COwnedValueMap&) = delete;
  COwnedValueMap& operator=(const COwnedValueMap&) = delete;
  ~COwnedValueMap() { RemoveAll(); }

  T* Find(const wchar_t* key) { return static_cast<T*>(map_.Find(key)); }

  // Takes `value`, deleting the previous value of the key first. When the value cannot be stored it is
  // deleted and the result is false.
  bool Replace(const wchar_t* key, std::unique_ptr<T> value) {
    Remove(key);
    return Insert(key, std::move(value));
  }
  // Takes `value` only when the key is absent; otherwise (or when it cannot be stored) deletes it and
  // returns false, keeping the present value. A null value is never stored.
  bool Insert(const wchar_t* key, std::unique_ptr<T> value) {
    if (!value || !map_.Insert(key, value.get())) return false;
    value.release();  // The map holds it now.
    return true;
  }
  // Deletes the value of the key; false when absent.
  bool Remove(const wchar_t* key) { return Take(key) != nullptr; }
  // Removes the key's entry and hands its value to the caller; null when absent.
  std::unique_ptr<T> Take(const wchar_t* key) {
    T* value = static_cast<T*>(map_.Find(key, false));
    if (value) map_.Remove(key);
    return std::unique_ptr<T>(value);
  }
  void RemoveAll() {
    map_.VisitEntries([](const wchar_t*, void* value) {
      delete static_cast<T*>(value);
      return true;
    });
    map_.RemoveAll();
  }

  int GetSize() const { return map_.GetSize(); }
  // The first value, in the map's iteration order, for which `match(value)` is true; null when none.
  // One walk over the table; the entries are not reordered.
  template <typename Predicate>
  T* FindValueIf(Predicate&& match) const {
    T* found = nullptr;
    map_.VisitEntries([&](const wchar_t*, void* value) {
      if (match(static_cast<T*>(value))) found = static_cast<T*>(value);
      return found == nullptr;
    });
    return found;
  }

 private:
  CStringKeyedMap map_;  // Values are T objects owned by this table.
};

}  // namespace veneer

#endif  // UI_RUNTIME_OWNED_VALUE_MAP_H_
