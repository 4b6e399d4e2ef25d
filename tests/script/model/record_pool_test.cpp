#include "script/model/record_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <vector>

#include "script/model/script_model.h"

#ifdef QM_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace qm {
namespace {

struct Record {
  char bytes[168];
};

std::vector<char*> TakeMany(TRecordPool& pool, int count) {
  std::vector<char*> taken;
  for (int i = 0; i < count; ++i) taken.push_back(static_cast<char*>(pool.Take()));
  return taken;
}

// Records made one after another lie one after another, past the end of
// a slab too (where the next slab may lie anywhere).
TEST(RecordPoolTest, RecordsMadeInTurnLieInTurn) {
  TRecordPool pool(sizeof(Record), alignof(Record));
  const std::vector<char*> taken = TakeMany(pool, 1000);
  int adjacent = 0;
  for (std::size_t i = 1; i < taken.size(); ++i) adjacent += taken[i] == taken[i - 1] + sizeof(Record);
  EXPECT_GE(adjacent, 990);
  EXPECT_EQ(std::set<char*>(taken.begin(), taken.end()).size(), taken.size());
  for (char* r : taken) pool.Give(r);
}

// Whatever order records are freed in, the lowest free ones are made
// first; freeing and making them again leaves the rest in place.
TEST(RecordPoolTest, TheLowestFreeRecordIsMadeFirst) {
  const struct {
    const char* what;
    std::vector<int> freed;  // indexes into 1000 records made in turn
  } cases[] = {
      {"one in the middle", {500}},
      {"a few, highest first", {900, 400, 7}},
      {"a run across a slab's end", {380, 381, 382, 383, 384, 385, 386, 387, 388, 389}},
      {"every other",
       [] {
         std::vector<int> v;
         for (int i = 0; i < 1000; i += 2) v.push_back(i);
         std::shuffle(v.begin(), v.end(), std::mt19937(5));
         return v;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TRecordPool pool(sizeof(Record), alignof(Record));
    std::vector<char*> taken = TakeMany(pool, 1000);
    std::vector<char*> expected;
    for (int i : c.freed) {
      pool.Give(taken[static_cast<std::size_t>(i)]);
      expected.push_back(taken[static_cast<std::size_t>(i)]);
    }
    // First in the pool means first made: slabs lie anywhere in memory.
    std::sort(expected.begin(), expected.end(), [&](char* a, char* b) {
      return std::find(taken.begin(), taken.end(), a) < std::find(taken.begin(), taken.end(), b);
    });
    const std::vector<char*> again = TakeMany(pool, static_cast<int>(c.freed.size()));
    EXPECT_EQ(again, expected);
    EXPECT_EQ(pool.BytesInUse(), 1000 * sizeof(Record));
    for (char* r : taken) pool.Give(r);
    EXPECT_EQ(pool.BytesInUse(), 0u);
  }
}

TEST(RecordPoolTest, CountsTheBytesHandedOutAndTheSlabs) {
  TRecordPool pool(sizeof(Record), alignof(Record));
  EXPECT_EQ(pool.SlabBytes(), 0u);
  void* one = pool.Take();
  const std::size_t slab = pool.SlabBytes();
  EXPECT_GE(slab, 64 * sizeof(Record));
  EXPECT_EQ(pool.BytesInUse(), sizeof(Record));
  const std::vector<char*> more = TakeMany(pool, static_cast<int>(slab / sizeof(Record)));
  EXPECT_EQ(pool.SlabBytes(), 2 * slab);
  pool.Give(one);
  for (char* r : more) pool.Give(r);
  EXPECT_EQ(pool.BytesInUse(), 0u);
  EXPECT_EQ(pool.SlabBytes(), 2 * slab);
}

// Elements and groups are over-aligned and come from their pools, so a
// record is never shared between two live elements.
TEST(RecordPoolTest, ElementsAndGroupsComeFromTheirPools) {
  const std::size_t elementsBefore = PoolOf<TScriptElement>().BytesInUse();
  const std::size_t groupsBefore = PoolOf<TElementGroup>().BytesInUse();
  std::vector<std::unique_ptr<TScriptElement>> elements;
  for (int i = 0; i < 100; ++i) elements.push_back(std::make_unique<TScriptElement>());
  auto group = std::make_unique<TElementGroup>();
  EXPECT_EQ(PoolOf<TScriptElement>().BytesInUse(), elementsBefore + 100 * sizeof(TScriptElement));
  EXPECT_EQ(PoolOf<TElementGroup>().BytesInUse(), groupsBefore + sizeof(TElementGroup));
  for (const auto& e : elements) EXPECT_EQ(reinterpret_cast<std::uintptr_t>(e.get()) % 64, 0u);
  elements.clear();
  group.reset();
  EXPECT_EQ(PoolOf<TScriptElement>().BytesInUse(), elementsBefore);
  EXPECT_EQ(PoolOf<TElementGroup>().BytesInUse(), groupsBefore);
}

#ifdef QM_ASAN
// A freed record stays poisoned until it is made again, so the address
// sanitizer reports a use after free inside the pool too.
TEST(RecordPoolTest, AFreedRecordIsPoisoned) {
  TRecordPool pool(sizeof(Record), alignof(Record));
  void* record = pool.Take();
  EXPECT_EQ(__asan_region_is_poisoned(record, sizeof(Record)), nullptr);
  pool.Give(record);
  EXPECT_NE(__asan_address_is_poisoned(record), 0);
  EXPECT_NE(__asan_address_is_poisoned(static_cast<char*>(record) + sizeof(Record) - 1), 0);
  EXPECT_EQ(pool.Take(), record);
  EXPECT_EQ(__asan_region_is_poisoned(record, sizeof(Record)), nullptr);
  pool.Give(record);
}
#endif

}  // namespace
}  // namespace qm
