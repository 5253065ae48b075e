#ifndef UI_CORE_STRING_KEYED_MAP_H_
#define UI_CORE_STRING_KEYED_MAP_H_

#include "ui/core/ui_string.h"

namespace veneer {

// A hash map from texts to untyped pointers, with a fixed number of buckets (it never rehashes;
// only Resize changes the bucket count). Keys compare exactly. The map owns its entries and their
// keys, never the data pointers: whoever stores objects here frees them before removing or
// clearing. Lookups can move a hit to the head of its chain so that keys looked up again and again
// (fonts, images, default attribute lists) stay one step away. Not synchronised.
//
// Iteration order (GetKeyAt): buckets from the last to the first, each chain from head to tail.
class CStringKeyedMap {
 public:
  static constexpr int kDefaultBucketCount = 83;
  static constexpr int kMinimumBucketCount = 16;

  explicit CStringKeyedMap(int bucket_count = kDefaultBucketCount);  // Raised to at least 16.
  CStringKeyedMap(const CStringKeyedMap&) = delete;
  CStringKeyedMap& operator=(const CStringKeyedMap&) = delete;
  ~CStringKeyedMap();

  // h = h * 33 + c over the key's code units from the last to the first, starting at 0.
  static unsigned HashKey(const wchar_t* key);

  // Frees every entry and the table, then allocates `bucket_count` empty buckets (negative: none).
  void Resize(int bucket_count);
  void RemoveAll();

  // The data stored under `key`, or null. With `move_to_front`, a hit that is not yet the head of
  // its chain becomes the head.
  void* Find(const wchar_t* key, bool move_to_front = true);
  // False when the key is present (its data is kept) or the map has no buckets.
  bool Insert(const wchar_t* key, void* data);
  // Replaces and returns the previous data of a present key; otherwise inserts and returns null.
  // A map without buckets stores nothing and returns `data` itself.
  void* Set(const wchar_t* key, void* data);
  // Frees the entry (not its data); false when absent.
  bool Remove(const wchar_t* key);

  int GetSize() const { return count_; }
  int GetBucketCount() const { return bucket_count_; }
  // The key of the n-th entry in iteration order, or null; valid while that entry exists. Each call
  // walks the chains up to that entry: to go through every entry, use VisitEntries.
  const wchar_t* GetKeyAt(int index) const;

  // Calls `visit(key, data)` once for each entry, in iteration order, until it returns false; returns
  // false when the visit was stopped. One walk over the table, whatever its size. `visit` must not
  // change the map.
  template <typename Visitor>
  bool VisitEntries(Visitor&& visit) const {
    for (int bucket = bucket_count_ - 1; bucket >= 0; --bucket) {
      for (const Entry* entry = buckets_[bucket]; entry; entry = entry->next) {
        if (!visit(entry->key.GetData(), entry->data)) return false;
      }
    }
    return true;
  }

 private:
  struct Entry {
    CUIString key;
    void* data;   // Not owned.
    Entry* prev;  // Neighbours in the bucket chain; null at either end.
    Entry* next;
  };
  Entry** SlotOf(const wchar_t* key) const;
  Entry* FindEntry(const wchar_t* key, bool move_to_front);
  void FreeAll();

  Entry** buckets_;  // Owned table of chain heads; each chain's entries are owned too.
  int bucket_count_;
  int count_;
};

}  // namespace veneer

#endif  // UI_CORE_STRING_KEYED_MAP_H_
