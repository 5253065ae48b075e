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
  bool Remove(const wchar_t* key) {
    T* value = static_cast<T*>(map_.Find(key, false));
    if (!value) return false;
    map_.Remove(key);
    delete value;
    return true;
  }
  void RemoveAll() {
    for (int index = 0; index < map_.GetSize(); ++index) delete ValueAt(index);
    map_.RemoveAll();
  }

  int GetSize() const { return map_.GetSize(); }
  // The value of the n-th entry in the map's iteration order, or null past the end. Indexing does not
  // reorder the entries, so a loop over 0..GetSize()-1 sees each value once.
  T* ValueAt(int index) {
    const wchar_t* key = map_.GetKeyAt(index);
    return key ? static_cast<T*>(map_.Find(key, false)) : nullptr;
  }

 private:
  CStringKeyedMap map_;  // Values are T objects owned by this table.
};

}  // namespace veneer

#endif  // UI_RUNTIME_OWNED_VALUE_MAP_H_
