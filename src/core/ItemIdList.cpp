#include "core/ItemIdList.h"

#include <cstring>

#include "core/Error.h"
#include "core/ErrorText.h"

namespace fm {

namespace {

// Lists can start at any byte, so the counts are copied out rather than loaded in place.
std::uint16_t ReadCount(const ItemIdByte* item) noexcept {
  std::uint16_t count;
  std::memcpy(&count, item, sizeof count);
  return count;
}

void WriteCount(ItemIdByte* item, std::uint16_t count) noexcept {
  std::memcpy(item, &count, sizeof count);
}

constexpr int kTerminatorSize = 2;

// E_FAIL: the text a caller sees when no allocator was at hand to release a list.
constexpr std::uint32_t kNoAllocatorCode = 0x80004005u;

}  // namespace

ItemIdByte* NextItemID(ItemIdByte* item) noexcept { return item + ReadCount(item); }

const ItemIdByte* NextItemID(const ItemIdByte* item) noexcept { return item + ReadCount(item); }

int ItemIDListSize(const ItemIdByte* list) noexcept {
  if (list == nullptr) return 0;
  int size = kTerminatorSize;
  for (const ItemIdByte* item = list; ReadCount(item) != 0; item = NextItemID(item)) {
    size += ReadCount(item);
  }
  return size;
}

ItemIdByte* AllocItemIDList(ItemIdAllocator* allocator, int size) noexcept {
  if (allocator == nullptr || size < 0) return nullptr;
  auto* block = static_cast<ItemIdByte*>(allocator->Alloc(static_cast<std::size_t>(size)));
  if (block != nullptr) std::memset(block, 0, static_cast<std::size_t>(size));
  return block;
}

ItemIdByte* CopyItemIDList(ItemIdAllocator* allocator, const ItemIdByte* list) noexcept {
  // A zero-byte block would not even hold a terminator; there is nothing to copy.
  if (list == nullptr) return nullptr;
  const int size = ItemIDListSize(list);
  ItemIdByte* copy = AllocItemIDList(allocator, size);
  if (copy != nullptr) std::memcpy(copy, list, static_cast<std::size_t>(size));
  return copy;
}

ItemIdByte* JoinItemIDLists(ItemIdAllocator* allocator, const ItemIdByte* first,
                            const ItemIdByte* second) noexcept {
  const int firstSize = first == nullptr ? 0 : ItemIDListSize(first) - kTerminatorSize;
  // A missing second list counts as the empty one, so the result always ends in a terminator.
  const int secondSize = second == nullptr ? kTerminatorSize : ItemIDListSize(second);
  ItemIdByte* joined = AllocItemIDList(allocator, firstSize + secondSize);
  if (joined == nullptr) return nullptr;
  if (firstSize > 0) std::memcpy(joined, first, static_cast<std::size_t>(firstSize));
  if (second != nullptr) {
    std::memcpy(joined + firstSize, second, static_cast<std::size_t>(secondSize));
  }
  return joined;
}

void StripLastItemID(ItemIdByte* list) noexcept {
  if (list == nullptr || ReadCount(list) == 0) return;
  ItemIdByte* last = list;
  for (ItemIdByte* next = NextItemID(last); ReadCount(next) != 0; next = NextItemID(next)) {
    last = next;
  }
  WriteCount(last, 0);
}

void FreeItemIDList(ItemIdAllocator* allocator, ItemIdByte* list) {
  if (list == nullptr) return;
  if (allocator == nullptr) throw Error(OleErrorText(kNoAllocatorCode));
  allocator->Free(list);
}

}  // namespace fm
