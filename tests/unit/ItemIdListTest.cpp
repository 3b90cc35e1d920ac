#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <vector>

#include "core/Error.h"
#include "core/ItemIdList.h"

namespace fm {
namespace {

using Bytes = std::vector<ItemIdByte>;

// Hands out exact-size heap blocks filled with junk, so the sanitizers see any overrun
// and a missing zero fill shows; can refuse on demand and checks every free.
class CountingAllocator : public ItemIdAllocator {
 public:
  ~CountingAllocator() override {
    for (auto& [block, size] : live_) std::free(block);
  }

  void* Alloc(std::size_t size) noexcept override {
    ++allocCalls;
    if (failNext) return nullptr;
    void* block = std::malloc(size == 0 ? 1 : size);
    std::memset(block, 0xCD, size);
    live_[block] = size;
    return block;
  }

  void Free(void* block) noexcept override {
    ++freeCalls;
    auto found = live_.find(block);
    if (found == live_.end()) {
      ++badFrees;
      return;
    }
    std::free(block);
    live_.erase(found);
  }

  std::size_t SizeOf(const void* block) const {
    auto found = live_.find(const_cast<void*>(block));
    return found == live_.end() ? 0 : found->second;
  }
  std::size_t LiveBlocks() const { return live_.size(); }

  bool failNext = false;
  int allocCalls = 0;
  int freeCalls = 0;
  int badFrees = 0;

 private:
  std::map<void*, std::size_t> live_;
};

// A list made of records with the given data bytes, each prefixed by its 16-bit count.
Bytes MakeList(std::initializer_list<Bytes> records) {
  Bytes list;
  for (const Bytes& data : records) {
    const auto count = static_cast<std::uint16_t>(data.size() + 2);
    list.push_back(static_cast<ItemIdByte>(count & 0xFF));
    list.push_back(static_cast<ItemIdByte>(count >> 8));
    list.insert(list.end(), data.begin(), data.end());
  }
  list.push_back(0);
  list.push_back(0);
  return list;
}

Bytes BytesOf(const ItemIdByte* list) { return Bytes(list, list + ItemIDListSize(list)); }

const Bytes kEmpty = MakeList({});
const Bytes kOne = MakeList({{7, 7, 7}});
const Bytes kTwo = MakeList({{1, 2}, {3, 4, 5, 6}});
const Bytes kThree = MakeList({{9}, {8, 8}, Bytes(300, 0x42)});

TEST(ItemIdListTest, SizeCountsRecordsAndTerminator) {
  EXPECT_EQ(ItemIDListSize(nullptr), 0);
  EXPECT_EQ(ItemIDListSize(kEmpty.data()), 2);
  EXPECT_EQ(ItemIDListSize(kOne.data()), 7);
  EXPECT_EQ(ItemIDListSize(kTwo.data()), 12);
  // A record longer than 255 bytes needs the high byte of its count.
  EXPECT_EQ(ItemIDListSize(kThree.data()), 3 + 4 + 302 + 2);
}

TEST(ItemIdListTest, ListsAtOddAddressesAreRead) {
  Bytes shifted(1, 0xEE);
  shifted.insert(shifted.end(), kTwo.begin(), kTwo.end());
  ItemIdByte* list = shifted.data() + 1;
  EXPECT_EQ(ItemIDListSize(list), 12);
  EXPECT_EQ(NextItemID(list), list + 4);
  StripLastItemID(list);
  EXPECT_EQ(BytesOf(list), MakeList({{1, 2}}));
}

TEST(ItemIdListTest, AllocGivesZeroFilledBlockOrNull) {
  CountingAllocator allocator;
  ItemIdByte* block = AllocItemIDList(&allocator, 6);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(allocator.SizeOf(block), 6u);
  EXPECT_EQ(Bytes(block, block + 6), Bytes(6, 0));
  FreeItemIDList(&allocator, block);

  allocator.failNext = true;
  EXPECT_EQ(AllocItemIDList(&allocator, 6), nullptr);
  EXPECT_EQ(AllocItemIDList(nullptr, 6), nullptr);
  EXPECT_EQ(allocator.LiveBlocks(), 0u);
}

TEST(ItemIdListTest, CopyIsAnOwnBlockOfTheListsBytes) {
  CountingAllocator allocator;
  for (const Bytes* source : {&kEmpty, &kTwo, &kThree}) {
    ItemIdByte* copy = CopyItemIDList(&allocator, source->data());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, source->data());
    EXPECT_EQ(allocator.SizeOf(copy), source->size());
    EXPECT_EQ(BytesOf(copy), *source);
    FreeItemIDList(&allocator, copy);
  }
  EXPECT_EQ(allocator.LiveBlocks(), 0u);
  EXPECT_EQ(allocator.badFrees, 0);
}

TEST(ItemIdListTest, CopyFailsWithoutMemoryAndOfNone) {
  CountingAllocator allocator;
  EXPECT_EQ(CopyItemIDList(&allocator, nullptr), nullptr);
  EXPECT_EQ(allocator.allocCalls, 0);
  allocator.failNext = true;
  EXPECT_EQ(CopyItemIDList(&allocator, kTwo.data()), nullptr);
}

TEST(ItemIdListTest, JoinPutsSecondAfterFirstsRecords) {
  struct Case {
    const char* name;
    const Bytes* first;  // null stands for none
    const Bytes* second;
    Bytes expected;
  };
  const Case cases[] = {
      {"none + list", nullptr, &kTwo, kTwo},
      {"empty + list", &kEmpty, &kTwo, kTwo},
      {"list + empty", &kTwo, &kEmpty, kTwo},
      {"list + none", &kTwo, nullptr, kTwo},
      {"empty + empty", &kEmpty, &kEmpty, kEmpty},
      {"two + three", &kTwo, &kThree,
       MakeList({{1, 2}, {3, 4, 5, 6}, {9}, {8, 8}, Bytes(300, 0x42)})},
      {"one + two", &kOne, &kTwo, MakeList({{7, 7, 7}, {1, 2}, {3, 4, 5, 6}})},
  };
  CountingAllocator allocator;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ItemIdByte* joined = JoinItemIDLists(&allocator, c.first ? c.first->data() : nullptr,
                                         c.second ? c.second->data() : nullptr);
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(allocator.SizeOf(joined), c.expected.size());
    EXPECT_EQ(BytesOf(joined), c.expected);
    FreeItemIDList(&allocator, joined);
  }
  EXPECT_EQ(allocator.LiveBlocks(), 0u);
}

TEST(ItemIdListTest, JoinFailsWithoutMemory) {
  CountingAllocator allocator;
  allocator.failNext = true;
  EXPECT_EQ(JoinItemIDLists(&allocator, kOne.data(), kTwo.data()), nullptr);
  EXPECT_EQ(JoinItemIDLists(nullptr, kOne.data(), kTwo.data()), nullptr);
}

TEST(ItemIdListTest, StripCutsLastRecordDownToTheDesktop) {
  Bytes list = kThree;
  StripLastItemID(list.data());
  EXPECT_EQ(BytesOf(list.data()), MakeList({{9}, {8, 8}}));
  StripLastItemID(list.data());
  StripLastItemID(list.data());
  EXPECT_EQ(BytesOf(list.data()), kEmpty);
  const Bytes desktop = list;
  StripLastItemID(list.data());
  EXPECT_EQ(list, desktop);
  StripLastItemID(nullptr);
}

TEST(ItemIdListTest, FreeReleasesOnceAndNeedsAnAllocator) {
  CountingAllocator allocator;
  ItemIdByte* list = CopyItemIDList(&allocator, kTwo.data());
  FreeItemIDList(&allocator, list);
  EXPECT_EQ(allocator.freeCalls, 1);
  EXPECT_EQ(allocator.badFrees, 0);

  FreeItemIDList(&allocator, nullptr);
  EXPECT_NO_THROW(FreeItemIDList(nullptr, nullptr));
  EXPECT_EQ(allocator.freeCalls, 1);

  Bytes unowned = kTwo;
  EXPECT_THROW(FreeItemIDList(nullptr, unowned.data()), Error);
}

}  // namespace
}  // namespace fm
