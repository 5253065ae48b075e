#include "ui/core/string_keyed_map.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace veneer {
namespace {

void* P(uintptr_t n) { return reinterpret_cast<void*>(n); }

std::vector<std::wstring> KeysInOrder(const CStringKeyedMap& map) {
  std::vector<std::wstring> keys;
  for (int i = 0; i < map.GetSize(); ++i) keys.push_back(map.GetKeyAt(i));
  return keys;
}

// Keys that all land in bucket `bucket` of a map with `buckets` buckets.
std::vector<std::wstring> CollidingKeys(int buckets, unsigned bucket, int count) {
  std::vector<std::wstring> keys;
  for (int i = 0; static_cast<int>(keys.size()) < count; ++i) {
    const std::wstring key = L"k" + std::to_wstring(i);
    if (CStringKeyedMap::HashKey(key.c_str()) % buckets == bucket) keys.push_back(key);
  }
  return keys;
}

TEST(CStringKeyedMapTest, HashFoldsFromTheLastCharacter) {
  EXPECT_EQ(0u, CStringKeyedMap::HashKey(L""));
  EXPECT_EQ(97u, CStringKeyedMap::HashKey(L"a"));
  EXPECT_EQ(3331u, CStringKeyedMap::HashKey(L"ab"));
  EXPECT_EQ(98u * 33 * 33 + 97u * 33 + 99u, CStringKeyedMap::HashKey(L"cab"));
}

TEST(CStringKeyedMapTest, BucketCountDefaultsAndMinimum) {
  EXPECT_EQ(83, CStringKeyedMap().GetBucketCount());
  EXPECT_EQ(16, CStringKeyedMap(3).GetBucketCount());
  EXPECT_EQ(100, CStringKeyedMap(100).GetBucketCount());
}

TEST(CStringKeyedMapTest, InsertKeepsTheFirstAndSetReplaces) {
  CStringKeyedMap map;
  EXPECT_TRUE(map.Insert(L"font", P(1)));
  EXPECT_FALSE(map.Insert(L"font", P(2)));
  EXPECT_EQ(P(1), map.Find(L"font"));
  EXPECT_EQ(P(1), map.Set(L"font", P(3)));
  EXPECT_EQ(P(3), map.Find(L"font"));
  EXPECT_EQ(nullptr, map.Set(L"image", P(4)));
  EXPECT_EQ(2, map.GetSize());
  EXPECT_EQ(nullptr, map.Find(L"Font")) << "keys compare exactly";
  EXPECT_EQ(nullptr, map.Find(L"missing"));
}

TEST(CStringKeyedMapTest, RemoveUnlinksFromAnyChainPosition) {
  const auto keys = CollidingKeys(83, 5, 3);
  CStringKeyedMap map;
  for (size_t i = 0; i < keys.size(); ++i) map.Insert(keys[i].c_str(), P(i + 1));
  // Chain: keys[2], keys[1], keys[0]. Remove the middle, then the head, then the tail.
  EXPECT_TRUE(map.Remove(keys[1].c_str()));
  EXPECT_FALSE(map.Remove(keys[1].c_str()));
  EXPECT_EQ(P(1), map.Find(keys[0].c_str(), false));
  EXPECT_EQ(P(3), map.Find(keys[2].c_str(), false));
  EXPECT_TRUE(map.Remove(keys[2].c_str()));
  EXPECT_EQ(P(1), map.Find(keys[0].c_str()));
  EXPECT_TRUE(map.Remove(keys[0].c_str()));
  EXPECT_EQ(0, map.GetSize());
  EXPECT_EQ(nullptr, map.GetKeyAt(0));
}

TEST(CStringKeyedMapTest, IterationRunsBucketsBackwardsChainsHeadFirst) {
  const auto low = CollidingKeys(16, 1, 2);
  const auto high = CollidingKeys(16, 14, 1);
  CStringKeyedMap map(16);
  map.Insert(low[0].c_str(), P(1));
  map.Insert(high[0].c_str(), P(2));
  map.Insert(low[1].c_str(), P(3));
  EXPECT_EQ((std::vector<std::wstring>{high[0], low[1], low[0]}), KeysInOrder(map));
  EXPECT_EQ(nullptr, map.GetKeyAt(3));
  EXPECT_EQ(nullptr, map.GetKeyAt(-1));
}

TEST(CStringKeyedMapTest, VisitEntriesSeesEachEntryOnceInIterationOrderUntilStopped) {
  CStringKeyedMap map(16);
  for (uintptr_t n = 1; n <= 200; ++n) map.Insert((L"key" + std::to_wstring(n)).c_str(), P(n));
  std::vector<std::wstring> keys;
  EXPECT_TRUE(map.VisitEntries([&](const wchar_t* key, void* data) {
    keys.push_back(key);
    return data == map.Find(key, false);
  }));
  EXPECT_EQ(KeysInOrder(map), keys);

  int visits = 0;
  EXPECT_FALSE(map.VisitEntries([&](const wchar_t*, void*) { return ++visits < 3; }));
  EXPECT_EQ(3, visits);
  EXPECT_TRUE(CStringKeyedMap(0).VisitEntries([](const wchar_t*, void*) { return false; }));
}

TEST(CStringKeyedMapTest, LookupsMoveHitsToTheFrontOnlyWhenAsked) {
  const auto keys = CollidingKeys(83, 7, 3);
  CStringKeyedMap map;
  for (const auto& key : keys) map.Insert(key.c_str(), P(1));
  EXPECT_EQ((std::vector<std::wstring>{keys[2], keys[1], keys[0]}), KeysInOrder(map));

  map.Find(keys[0].c_str(), false);
  EXPECT_EQ((std::vector<std::wstring>{keys[2], keys[1], keys[0]}), KeysInOrder(map));

  map.Find(keys[0].c_str());
  EXPECT_EQ((std::vector<std::wstring>{keys[0], keys[2], keys[1]}), KeysInOrder(map));
  map.Find(keys[2].c_str());
  EXPECT_EQ((std::vector<std::wstring>{keys[2], keys[0], keys[1]}), KeysInOrder(map));
  // The relinked chain stays consistent for removal at every position.
  EXPECT_TRUE(map.Remove(keys[1].c_str()));
  EXPECT_TRUE(map.Remove(keys[2].c_str()));
  EXPECT_EQ((std::vector<std::wstring>{keys[0]}), KeysInOrder(map));
}

TEST(CStringKeyedMapTest, MapWithoutBucketsStoresNothing) {
  CStringKeyedMap map;
  map.Insert(L"a", P(1));
  map.Resize(0);
  EXPECT_EQ(0, map.GetSize());
  EXPECT_FALSE(map.Insert(L"a", P(1)));
  EXPECT_EQ(P(5), map.Set(L"a", P(5)));
  EXPECT_EQ(nullptr, map.Find(L"a"));
  EXPECT_FALSE(map.Remove(L"a"));
  map.Resize(-4);
  EXPECT_EQ(0, map.GetBucketCount());
}

TEST(CStringKeyedMapTest, RemoveAllKeepsTheBucketCount) {
  CStringKeyedMap map(40);
  for (int i = 0; i < 500; ++i) map.Insert(std::to_wstring(i).c_str(), P(i + 1));
  EXPECT_EQ(500, map.GetSize());
  EXPECT_EQ(P(321), map.Find(L"320"));
  map.RemoveAll();
  EXPECT_EQ(0, map.GetSize());
  EXPECT_EQ(40, map.GetBucketCount());
  EXPECT_TRUE(map.Insert(L"320", P(9)));
}

TEST(CStringKeyedMapTest, LongKeysAreCopied) {
  CStringKeyedMap map;
  std::wstring key(300, L'k');
  map.Insert(key.c_str(), P(1));
  key[0] = L'x';
  EXPECT_EQ(nullptr, map.Find(key.c_str()));
  key[0] = L'k';
  EXPECT_EQ(P(1), map.Find(key.c_str()));
}

}  // namespace
}  // namespace veneer
