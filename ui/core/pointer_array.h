#ifndef UI_CORE_POINTER_ARRAY_H_
#define UI_CORE_POINTER_ARRAY_H_

namespace veneer {

// A growable array of untyped pointers. It never owns what its elements point at: destroying it
// frees only its own block. Growth keeps at least one slot spare: when an insertion makes the count
// reach the capacity, the capacity doubles (from 0 it becomes 11). Not synchronised.
class CPointerArray {
 public:
  explicit CPointerArray(int preallocated = 0);
  CPointerArray(const CPointerArray& other);  // Appends each element of `other`.
  CPointerArray& operator=(const CPointerArray&) = delete;
  ~CPointerArray();

  // Frees the block; count and capacity become 0.
  void Empty();
  // Discards the block and allocates `count` zeroed slots; count = capacity = `count`.
  void Resize(int count);

  bool IsEmpty() const { return count_ == 0; }
  int GetSize() const { return count_; }
  // The element block; valid until the next insertion or Resize/Empty.
  void** GetData() const { return items_; }

  // False only when the block cannot grow; the array is then unchanged.
  bool Add(void* item);
  // `index` equal to the count appends; below 0 or above the count gives false.
  bool InsertAt(int index, void* item);
  bool Remove(int index);
  bool SetAt(int index, void* item);
  // Null when out of range.
  void* GetAt(int index) const;
  void* operator[](int index) const { return GetAt(index); }
  int Find(const void* item) const;

 private:
  bool GrowForOneMore();

  void** items_;  // Owned block of capacity_ slots; the pointed-at objects are not owned.
  int count_;
  int capacity_;
};

}  // namespace veneer

#endif  // UI_CORE_POINTER_ARRAY_H_
