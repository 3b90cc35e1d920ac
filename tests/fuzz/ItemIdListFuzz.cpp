// Item ID list byte walks on lists of any shape the shell can hand over: records of every
// length (high count byte included), empty lists, and lists at odd addresses. Each list
// sits at the very end of its heap block, so a walk that runs past its terminator shows.
#include <cstring>
#include <map>
#include <vector>

#include "FuzzInput.h"
#include "core/Error.h"
#include "core/ItemIdList.h"

namespace {

using fm::ItemIdByte;
using Bytes = std::vector<ItemIdByte>;

struct Built {
  Bytes bytes;              // records and terminator
  std::vector<int> counts;  // the byte count of each record
};

// A well-formed list from the input: each record's count is read from the input, raised to
// the two bytes of the count itself and cut to what the input still holds; a zero count
// ends the list.
Built BuildList(fm::fuzz::FuzzInput& input, std::size_t maxBytes) {
  Built list;
  while (!input.AtEnd()) {
    auto count = input.Number<std::uint16_t>();
    if (count == 0) break;
    if (count < 2) count = 2;
    if (count - 2u > input.Remaining()) count = static_cast<std::uint16_t>(input.Remaining() + 2);
    if (list.bytes.size() + count > maxBytes) break;
    list.counts.push_back(count);
    list.bytes.push_back(static_cast<ItemIdByte>(count & 0xFF));
    list.bytes.push_back(static_cast<ItemIdByte>(count >> 8));
    for (int i = 2; i < count; ++i) list.bytes.push_back(input.Number<std::uint8_t>());
  }
  list.bytes.push_back(0);
  list.bytes.push_back(0);
  return list;
}

// Exact-size blocks filled with junk that count what is still live; refuses on demand.
class Allocator : public fm::ItemIdAllocator {
 public:
  void* Alloc(std::size_t size) noexcept override {
    if (refuse) return nullptr;
    void* block = std::malloc(size == 0 ? 1 : size);
    std::memset(block, 0xCD, size);
    live_[block] = size;
    return block;
  }
  void Free(void* block) noexcept override {
    FM_FUZZ_CHECK(live_.erase(block) == 1);
    std::free(block);
  }
  std::size_t SizeOf(const void* block) const {
    auto found = live_.find(const_cast<void*>(block));
    return found == live_.end() ? 0 : found->second;
  }
  bool Empty() const { return live_.empty(); }

  bool refuse = false;

 private:
  std::map<void*, std::size_t> live_;
};

// A list placed offset bytes into a block that ends with it.
class Placed {
 public:
  Placed(const Bytes& bytes, int offset) : block_(new ItemIdByte[bytes.size() + offset]) {
    list_ = block_ + offset;
    std::memcpy(list_, bytes.data(), bytes.size());
  }
  ~Placed() { delete[] block_; }
  Placed(const Placed&) = delete;
  Placed& operator=(const Placed&) = delete;
  ItemIdByte* get() const { return list_; }

 private:
  ItemIdByte* block_;
  ItemIdByte* list_;
};

Bytes BytesOf(const ItemIdByte* list) { return Bytes(list, list + fm::ItemIDListSize(list)); }

void CheckWalk(const Built& built, const ItemIdByte* list) {
  FM_FUZZ_CHECK(fm::ItemIDListSize(list) == static_cast<int>(built.bytes.size()));
  const ItemIdByte* item = list;
  for (int count : built.counts) {
    const ItemIdByte* next = fm::NextItemID(item);
    FM_FUZZ_CHECK(next - item == count);
    item = next;
  }
  FM_FUZZ_CHECK(item - list == static_cast<std::ptrdiff_t>(built.bytes.size() - 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const int offsetA = input.Number<std::uint8_t>() % 8;
  const int offsetB = input.Number<std::uint8_t>() % 8;
  const bool refuse = input.Flag();
  const Built a = BuildList(input, 1 << 16);
  const Built b = BuildList(input, 1 << 16);
  const Placed listA(a.bytes, offsetA);
  const Placed listB(b.bytes, offsetB);

  CheckWalk(a, listA.get());
  CheckWalk(b, listB.get());
  FM_FUZZ_CHECK(fm::ItemIDListSize(nullptr) == 0);

  Allocator allocator;
  allocator.refuse = refuse;
  ItemIdByte* copy = fm::CopyItemIDList(&allocator, listA.get());
  ItemIdByte* joined = fm::JoinItemIDLists(&allocator, listA.get(), listB.get());
  ItemIdByte* joinedNoFirst = fm::JoinItemIDLists(&allocator, nullptr, listB.get());
  ItemIdByte* joinedNoSecond = fm::JoinItemIDLists(&allocator, listA.get(), nullptr);
  if (refuse) {
    FM_FUZZ_CHECK(copy == nullptr && joined == nullptr && joinedNoFirst == nullptr &&
                  joinedNoSecond == nullptr);
    FM_FUZZ_CHECK(allocator.Empty());
    return 0;
  }

  FM_FUZZ_CHECK(BytesOf(copy) == a.bytes);
  FM_FUZZ_CHECK(allocator.SizeOf(copy) == a.bytes.size());

  Bytes expectedJoin(a.bytes.begin(), a.bytes.end() - 2);
  expectedJoin.insert(expectedJoin.end(), b.bytes.begin(), b.bytes.end());
  FM_FUZZ_CHECK(allocator.SizeOf(joined) == expectedJoin.size());
  FM_FUZZ_CHECK(Bytes(joined, joined + expectedJoin.size()) == expectedJoin);
  FM_FUZZ_CHECK(BytesOf(joinedNoFirst) == b.bytes);
  FM_FUZZ_CHECK(BytesOf(joinedNoSecond) == a.bytes);

  // Cutting the last record leaves the list one record shorter, the rest untouched.
  fm::StripLastItemID(copy);
  const int stripped = a.counts.empty() ? 0 : a.counts.back();
  FM_FUZZ_CHECK(fm::ItemIDListSize(copy) == static_cast<int>(a.bytes.size()) - stripped);
  FM_FUZZ_CHECK(std::memcmp(copy, a.bytes.data(), a.bytes.size() - stripped - 2) == 0);

  bool threw = false;
  try {
    fm::FreeItemIDList(nullptr, copy);
  } catch (const fm::Error&) {
    threw = true;
  }
  FM_FUZZ_CHECK(threw);
  for (ItemIdByte* list : {copy, joined, joinedNoFirst, joinedNoSecond}) {
    fm::FreeItemIDList(&allocator, list);
  }
  FM_FUZZ_CHECK(allocator.Empty());
  return 0;
}
