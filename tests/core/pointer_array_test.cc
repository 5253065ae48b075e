#include "ui/core/pointer_array.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace veneer {
namespace {

void* P(uintptr_t n) { return reinterpret_cast<void*>(n); }

// The block address changes when the array grows; a stable address between insertions shows that
// the capacity did not change.
TEST(CPointerArrayTest, CapacityStartsAt11AndDoubles) {
  CPointerArray array;
  EXPECT_EQ(nullptr, array.GetData());
  ASSERT_TRUE(array.Add(P(1)));
  void** first_block = array.GetData();
  for (uintptr_t i = 2; i <= 10; ++i) ASSERT_TRUE(array.Add(P(i)));
  EXPECT_EQ(first_block, array.GetData()) << "ten elements fit the first block of 11";
  EXPECT_EQ(10, array.GetSize());
  ASSERT_TRUE(array.Add(P(11)));  // Count reaches 11: capacity becomes 22.
  EXPECT_EQ(11, array.GetSize());
  for (uintptr_t i = 1; i <= 11; ++i) EXPECT_EQ(P(i), array.GetAt(static_cast<int>(i - 1)));
}

TEST(CPointerArrayTest, PreallocatedArrayIsEmpty) {
  CPointerArray array(6);
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_EQ(nullptr, array.GetAt(0));
  for (uintptr_t i = 1; i <= 20; ++i) ASSERT_TRUE(array.Add(P(i)));
  EXPECT_EQ(P(20), array.GetAt(19));
}

TEST(CPointerArrayTest, InsertRemoveAndBounds) {
  CPointerArray array;
  EXPECT_FALSE(array.InsertAt(1, P(1)));
  EXPECT_FALSE(array.InsertAt(-1, P(1)));
  EXPECT_TRUE(array.InsertAt(0, P(3)));  // Index equal to the count appends.
  EXPECT_TRUE(array.InsertAt(0, P(1)));
  EXPECT_TRUE(array.InsertAt(1, P(2)));
  EXPECT_TRUE(array.InsertAt(3, P(4)));
  ASSERT_EQ(4, array.GetSize());
  for (int i = 0; i < 4; ++i) EXPECT_EQ(P(i + 1), array[i]);

  EXPECT_FALSE(array.Remove(4));
  EXPECT_FALSE(array.Remove(-1));
  EXPECT_TRUE(array.Remove(1));
  EXPECT_EQ(3, array.GetSize());
  EXPECT_EQ(P(3), array[1]);
  EXPECT_EQ(nullptr, array.GetAt(3));
  EXPECT_EQ(nullptr, array.GetAt(-1));

  EXPECT_TRUE(array.SetAt(2, P(9)));
  EXPECT_FALSE(array.SetAt(3, P(9)));
  EXPECT_EQ(2, array.Find(P(9)));
  EXPECT_EQ(-1, array.Find(P(2)));
}

TEST(CPointerArrayTest, FindReturnsTheFirstOfDuplicates) {
  CPointerArray array;
  array.Add(P(5));
  array.Add(P(7));
  array.Add(P(7));
  EXPECT_EQ(1, array.Find(P(7)));
  EXPECT_EQ(-1, array.Find(nullptr));
}

TEST(CPointerArrayTest, ResizeGivesZeroedSlotsAndEmptyFrees) {
  CPointerArray array;
  array.Add(P(1));
  array.Resize(5);
  EXPECT_EQ(5, array.GetSize());
  for (int i = 0; i < 5; ++i) EXPECT_EQ(nullptr, array.GetAt(i));
  EXPECT_TRUE(array.Add(P(6)));  // Count reaches the capacity 5: grows to 10.
  EXPECT_EQ(P(6), array.GetAt(5));
  array.Resize(-3);
  EXPECT_EQ(0, array.GetSize());
  array.Add(P(1));
  array.Empty();
  EXPECT_TRUE(array.IsEmpty());
  EXPECT_EQ(nullptr, array.GetData());
}

TEST(CPointerArrayTest, CopyAppendsEachElement) {
  CPointerArray source;
  for (uintptr_t i = 1; i <= 30; ++i) source.Add(P(i));
  CPointerArray copy(source);
  ASSERT_EQ(30, copy.GetSize());
  EXPECT_NE(source.GetData(), copy.GetData());
  EXPECT_EQ(P(30), copy.GetAt(29));
}

}  // namespace
}  // namespace veneer
