// Item ID lists as the shell hands them out: the byte routines of core/ItemIdList.h over
// the shell's allocator, with Windows types, and ItemIdList, the owner of one list.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <cstdint>

#include "core/ItemIdList.h"

namespace fm {

// The shell's allocator (SHGetMalloc), obtained anew for every call as the shell expects.
class ShellAllocator final : public ItemIdAllocator {
 public:
  // Null when the allocator cannot be obtained or has no memory.
  void* Alloc(std::size_t size) noexcept override;
  // Does nothing when the allocator cannot be obtained.
  void Free(void* block) noexcept override;
};

namespace detail {
inline ItemIdByte* Bytes(ITEMIDLIST* list) noexcept { return reinterpret_cast<ItemIdByte*>(list); }
inline const ItemIdByte* Bytes(const ITEMIDLIST* list) noexcept {
  return reinterpret_cast<const ItemIdByte*>(list);
}
}  // namespace detail

inline ITEMIDLIST* NextItemID(ITEMIDLIST* item) noexcept {
  return reinterpret_cast<ITEMIDLIST*>(NextItemID(detail::Bytes(item)));
}
inline const ITEMIDLIST* NextItemID(const ITEMIDLIST* item) noexcept {
  return reinterpret_cast<const ITEMIDLIST*>(NextItemID(detail::Bytes(item)));
}
inline int ItemIDListSize(LPCITEMIDLIST list) noexcept {
  return ItemIDListSize(detail::Bytes(list));
}
inline void StripLastItemID(ITEMIDLIST* list) noexcept { StripLastItemID(detail::Bytes(list)); }

// The routines below allocate from or free to the shell's allocator and keep the count of
// LiveItemIdLists. Each answers null when the memory cannot be had.
ITEMIDLIST* AllocItemIDList(int size) noexcept;
ITEMIDLIST* CopyItemIDList(LPCITEMIDLIST list) noexcept;
ITEMIDLIST* JoinItemIDLists(LPCITEMIDLIST first, LPCITEMIDLIST second) noexcept;
// Raises fm::Error when the shell's allocator cannot be obtained; null is ignored.
void FreeItemIDList(ITEMIDLIST* list);

// How many lists the program owns: those taken from the shell and those allocated above,
// less those freed with FreeItemIDList. Debug builds report what is left at exit.
std::int64_t LiveItemIdLists() noexcept;

// The owner of one list from the shell's allocator; freed with FreeItemIDList.
class ItemIdList {
 public:
  ItemIdList() noexcept = default;
  ItemIdList(ItemIdList&& other) noexcept : list_(other.Release()) {}
  ItemIdList& operator=(ItemIdList&& other) noexcept;
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  ~ItemIdList();

  // A list the shell has just handed over (counted as live from now on).
  static ItemIdList Take(ITEMIDLIST* list) noexcept;
  // A list already counted: one from AllocItemIDList, CopyItemIDList, JoinItemIDLists or
  // given up with Release.
  static ItemIdList Adopt(ITEMIDLIST* list) noexcept;
  // A copy of list; null when list is null or the memory cannot be had.
  static ItemIdList CopyOf(LPCITEMIDLIST list) noexcept;

  ItemIdList Copy() const noexcept { return CopyOf(list_); }

  ITEMIDLIST* Get() const noexcept { return list_; }
  explicit operator bool() const noexcept { return list_ != nullptr; }

  // Gives the list to the caller, who frees it with FreeItemIDList or adopts it again.
  [[nodiscard]] ITEMIDLIST* Release() noexcept {
    ITEMIDLIST* list = list_;
    list_ = nullptr;
    return list;
  }
  void Reset() noexcept;

  // Out-parameter of a shell call that hands back a list (IEnumIDList::Next,
  // ParseDisplayName): the old list is freed first, and the new one is taken when the
  // statement ends.
  class OutParam {
   public:
    explicit OutParam(ItemIdList& owner) noexcept : owner_(owner) {}
    ~OutParam() {
      if (received_ != nullptr) owner_ = Take(received_);
    }
    OutParam(const OutParam&) = delete;
    OutParam& operator=(const OutParam&) = delete;
    operator ITEMIDLIST**() noexcept { return &received_; }

   private:
    ItemIdList& owner_;
    ITEMIDLIST* received_ = nullptr;
  };
  OutParam Put() noexcept {
    Reset();
    return OutParam(*this);
  }

 private:
  explicit ItemIdList(ITEMIDLIST* list) noexcept : list_(list) {}

  ITEMIDLIST* list_ = nullptr;
};

}  // namespace fm
