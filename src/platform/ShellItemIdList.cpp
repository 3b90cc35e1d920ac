#include "platform/ShellItemIdList.h"

#include <atomic>

#include "platform/ComPtr.h"
#include "platform/OsError.h"

namespace fm {

namespace {

std::atomic<std::int64_t> liveLists{0};

ITEMIDLIST* Counted(ItemIdByte* list) noexcept {
  if (list != nullptr) ++liveLists;
  return reinterpret_cast<ITEMIDLIST*>(list);
}

}  // namespace

void* ShellAllocator::Alloc(std::size_t size) noexcept {
  ComPtr<IMalloc> malloc;
  if (FAILED(SHGetMalloc(malloc.Put()))) return nullptr;
  return malloc->Alloc(size);
}

void ShellAllocator::Free(void* block) noexcept {
  ComPtr<IMalloc> malloc;
  if (SUCCEEDED(SHGetMalloc(malloc.Put()))) malloc->Free(block);
}

ITEMIDLIST* AllocItemIDList(int size) noexcept {
  ShellAllocator allocator;
  return Counted(AllocItemIDList(&allocator, size));
}

ITEMIDLIST* CopyItemIDList(LPCITEMIDLIST list) noexcept {
  ShellAllocator allocator;
  return Counted(CopyItemIDList(&allocator, detail::Bytes(list)));
}

ITEMIDLIST* JoinItemIDLists(LPCITEMIDLIST first, LPCITEMIDLIST second) noexcept {
  ShellAllocator allocator;
  return Counted(JoinItemIDLists(&allocator, detail::Bytes(first), detail::Bytes(second)));
}

void FreeItemIDList(ITEMIDLIST* list) {
  if (list == nullptr) return;
  // Not being able to give a list back is an error, not a silent leak.
  ComPtr<IMalloc> malloc;
  OleCheck(SHGetMalloc(malloc.Put()));
  ShellAllocator allocator;
  FreeItemIDList(&allocator, detail::Bytes(list));
  --liveLists;
}

std::int64_t LiveItemIdLists() noexcept { return liveLists.load(); }

ItemIdList& ItemIdList::operator=(ItemIdList&& other) noexcept {
  if (this != &other) {
    Reset();
    list_ = other.Release();
  }
  return *this;
}

ItemIdList::~ItemIdList() { Reset(); }

ItemIdList ItemIdList::Take(ITEMIDLIST* list) noexcept {
  if (list != nullptr) ++liveLists;
  return ItemIdList(list);
}

ItemIdList ItemIdList::Adopt(ITEMIDLIST* list) noexcept { return ItemIdList(list); }

ItemIdList ItemIdList::CopyOf(LPCITEMIDLIST list) noexcept {
  return ItemIdList(CopyItemIDList(list));
}

void ItemIdList::Reset() noexcept {
  ITEMIDLIST* list = Release();
  try {
    FreeItemIDList(list);
  } catch (...) {
    // Without the shell's allocator the list cannot be given back; a destructor must not
    // throw, and the live count keeps showing the leak.
  }
}

}  // namespace fm
