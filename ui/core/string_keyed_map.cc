#include "ui/core/string_keyed_map.h"

#include <cstdlib>
#include <cwchar>
#include <new>

namespace veneer {

CStringKeyedMap::CStringKeyedMap(int bucket_count) : buckets_(nullptr), bucket_count_(0), count_(0) {
  Resize(bucket_count < kMinimumBucketCount ? kMinimumBucketCount : bucket_count);
}

CStringKeyedMap::~CStringKeyedMap() { FreeAll(); }

unsigned CStringKeyedMap::HashKey(const wchar_t* key) {
  unsigned hash = 0;
  if (!key) return hash;
  for (const wchar_t* p = key + wcslen(key); p != key;) hash = hash * 33 + static_cast<unsigned>(*--p);
  return hash;
}

void CStringKeyedMap::FreeAll() {
  for (int i = 0; i < bucket_count_; ++i) {
    for (Entry* entry = buckets_[i]; entry;) {
      Entry* next = entry->next;
      delete entry;
      entry = next;
    }
  }
  free(buckets_);
  buckets_ = nullptr;
  bucket_count_ = count_ = 0;
}

void CStringKeyedMap::Resize(int bucket_count) {
  FreeAll();
  if (bucket_count <= 0) return;
  buckets_ = static_cast<Entry**>(calloc(bucket_count, sizeof(Entry*)));
  if (buckets_) bucket_count_ = bucket_count;
}

void CStringKeyedMap::RemoveAll() { Resize(bucket_count_); }

CStringKeyedMap::Entry** CStringKeyedMap::SlotOf(const wchar_t* key) const {
  return &buckets_[HashKey(key) % static_cast<unsigned>(bucket_count_)];
}

CStringKeyedMap::Entry* CStringKeyedMap::FindEntry(const wchar_t* key, bool move_to_front) {
  if (bucket_count_ == 0) return nullptr;
  if (!key) key = L"";
  Entry** slot = SlotOf(key);
  for (Entry* entry = *slot; entry; entry = entry->next) {
    if (entry->key != key) continue;
    if (move_to_front && entry != *slot) {
      entry->prev->next = entry->next;
      if (entry->next) entry->next->prev = entry->prev;
      entry->prev = nullptr;
      entry->next = *slot;
      (*slot)->prev = entry;
      *slot = entry;
    }
    return entry;
  }
  return nullptr;
}

void* CStringKeyedMap::Find(const wchar_t* key, bool move_to_front) {
  Entry* entry = FindEntry(key, move_to_front);
  return entry ? entry->data : nullptr;
}

bool CStringKeyedMap::Insert(const wchar_t* key, void* data) {
  if (bucket_count_ == 0 || FindEntry(key, false)) return false;
  Entry** slot = SlotOf(key ? key : L"");
  Entry* entry = new (std::nothrow) Entry{CUIString(key), data, nullptr, *slot};
  if (!entry) return false;
  if (entry->next) entry->next->prev = entry;
  *slot = entry;
  ++count_;
  return true;
}

void* CStringKeyedMap::Set(const wchar_t* key, void* data) {
  if (bucket_count_ == 0) return data;
  if (Entry* entry = FindEntry(key, true)) {
    void* previous = entry->data;
    entry->data = data;
    return previous;
  }
  Insert(key, data);
  return nullptr;
}

bool CStringKeyedMap::Remove(const wchar_t* key) {
  Entry* entry = FindEntry(key, false);
  if (!entry) return false;
  if (entry->prev) {
    entry->prev->next = entry->next;
  } else {
    *SlotOf(entry->key) = entry->next;
  }
  if (entry->next) entry->next->prev = entry->prev;
  delete entry;
  --count_;
  return true;
}

const wchar_t* CStringKeyedMap::GetKeyAt(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  for (int bucket = bucket_count_ - 1; bucket >= 0; --bucket) {
    for (const Entry* entry = buckets_[bucket]; entry; entry = entry->next) {
      if (index-- == 0) return entry->key;
    }
  }
  return nullptr;
}

}  // namespace veneer
