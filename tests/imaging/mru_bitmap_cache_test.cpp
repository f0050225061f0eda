#include <gtest/gtest.h>

#include "mru_bitmap_cache.h"

namespace {

// Stands in for a bitmap and counts how many are alive, so that every
// deletion the cache owes can be checked.
struct FakeBitmap {
  explicit FakeBitmap(int id) : id(id) { ++alive; }
  ~FakeBitmap() { --alive; }
  int id;
  static int alive;
};
int FakeBitmap::alive = 0;

typedef MruBitmapCache_CL<FakeBitmap> Cache;

std::unique_ptr<FakeBitmap> Make(int id) { return std::unique_ptr<FakeBitmap>(new FakeBitmap(id)); }

class MruCacheTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(0, FakeBitmap::alive); }
};

TEST_F(MruCacheTest, ReplacingAKeyDeletesTheOldBitmapAndKeepsTheCount) {
  Cache cache(800);
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(3), Make(1)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(4), Make(2)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(3), Make(3)));
  EXPECT_EQ(2u, cache.Count());
  EXPECT_EQ(2, FakeBitmap::alive);
  ASSERT_NE(nullptr, cache.Find(ThumbnailCacheKey(3)));
  EXPECT_EQ(3, cache.Find(ThumbnailCacheKey(3))->id);
}

TEST_F(MruCacheTest, TheNewKeyBeyondCapacityEvictsTheLeastRecentlyUsed) {
  Cache cache(800);
  for (int i = 0; i < 800; ++i) ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(i), Make(i)));
  // 0 is the oldest, but was just looked at: 1 goes instead.
  ASSERT_NE(nullptr, cache.Find(ThumbnailCacheKey(0)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(800), Make(800)));
  EXPECT_EQ(800u, cache.Count());
  EXPECT_EQ(800, FakeBitmap::alive);
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(0)));
  EXPECT_EQ(nullptr, cache.Find(ThumbnailCacheKey(1)));
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(2)));
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(800)));
  // Replacing counts as use: 3 survives the next eviction, 4 does not.
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(3), Make(-3)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(801), Make(801)));
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(3)));
  EXPECT_EQ(nullptr, cache.Find(ThumbnailCacheKey(4)));
  // A smaller capacity (larger thumbnails) keeps the most recently used and
  // deletes the rest at once.
  cache.SetCapacity(2);
  EXPECT_EQ(2u, cache.Count());
  EXPECT_EQ(2, FakeBitmap::alive);
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(3)));
  EXPECT_NE(nullptr, cache.Find(ThumbnailCacheKey(801)));
}

TEST_F(MruCacheTest, AnEmptyEntryIsNeverFoundButAddFillsIt) {
  Cache cache(800);
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(5), nullptr));
  EXPECT_EQ(1u, cache.Count());
  EXPECT_TRUE(cache.Contains(ThumbnailCacheKey(5)));
  EXPECT_EQ(nullptr, cache.Find(ThumbnailCacheKey(5)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(5), Make(5)));
  EXPECT_EQ(1u, cache.Count());
  ASSERT_NE(nullptr, cache.Find(ThumbnailCacheKey(5)));
  EXPECT_EQ(5, cache.Find(ThumbnailCacheKey(5))->id);
}

TEST_F(MruCacheTest, RemoveAndClear) {
  Cache cache(800);
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(1), Make(1)));
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(2), Make(2)));
  EXPECT_EQ(E_FAIL, cache.Remove(ThumbnailCacheKey(7)));
  EXPECT_EQ(2u, cache.Count());
  EXPECT_EQ(2, FakeBitmap::alive);
  EXPECT_EQ(S_OK, cache.Remove(ThumbnailCacheKey(1)));
  EXPECT_EQ(E_FAIL, cache.Remove(ThumbnailCacheKey(1)));
  EXPECT_FALSE(cache.Contains(ThumbnailCacheKey(1)));
  EXPECT_TRUE(cache.Contains(ThumbnailCacheKey(2)));
  EXPECT_EQ(1, FakeBitmap::alive);
  EXPECT_EQ(nullptr, cache.Find(ThumbnailCacheKey(1)));
  cache.Clear();
  EXPECT_EQ(0u, cache.Count());
  EXPECT_EQ(0, FakeBitmap::alive);
  // The destructor empties a filled cache as well (checked in TearDown).
  ASSERT_EQ(S_OK, cache.Add(ThumbnailCacheKey(1), Make(1)));
}

TEST_F(MruCacheTest, ThumbnailKeysCarryTheSignInTheHighHalf) {
  EXPECT_EQ(0xFFFFFFFFFFFFFFFFull, ThumbnailCacheKey(-1));
  EXPECT_EQ(0x7FFFFFFFull, ThumbnailCacheKey(0x7FFFFFFF));
}

}  // namespace
