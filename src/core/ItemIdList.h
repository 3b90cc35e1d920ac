// Item ID lists as raw bytes: a sequence of records, each a 16-bit little-endian byte
// count (including the count itself) and data, ending in a 16-bit zero. The routines
// never assume alignment, so they serve lists at any address.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fm {

using ItemIdByte = std::uint8_t;

// The allocator that owns item ID lists (on Windows the shell's, obtained per call).
class ItemIdAllocator {
 public:
  virtual ~ItemIdAllocator() = default;
  // Null when the memory cannot be had.
  virtual void* Alloc(std::size_t size) noexcept = 0;
  virtual void Free(void* block) noexcept = 0;
};

// The record that follows item: item's address advanced by its byte count.
ItemIdByte* NextItemID(ItemIdByte* item) noexcept;
const ItemIdByte* NextItemID(const ItemIdByte* item) noexcept;

// 0 for none; otherwise 2 (the terminator) plus the byte counts of all records.
int ItemIDListSize(const ItemIdByte* list) noexcept;

// A zero-filled block of size bytes; null when allocator is null or the allocation fails.
ItemIdByte* AllocItemIDList(ItemIdAllocator* allocator, int size) noexcept;

// A copy of the ItemIDListSize(list) bytes of list; null when the allocation fails.
ItemIdByte* CopyItemIDList(ItemIdAllocator* allocator, const ItemIdByte* list) noexcept;

// first without its terminator followed by all of second; null when the allocation fails.
ItemIdByte* JoinItemIDLists(ItemIdAllocator* allocator, const ItemIdByte* first,
                            const ItemIdByte* second) noexcept;

// Cuts the last record off list in place; the empty list and null stay as they are.
void StripLastItemID(ItemIdByte* list) noexcept;

// Frees a non-null list. A null allocator with a non-null list throws fm::Error, as the
// shell's allocator that could not be obtained does.
void FreeItemIDList(ItemIdAllocator* allocator, ItemIdByte* list);

}  // namespace fm
