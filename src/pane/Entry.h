// One row of a pane. A folder of 100,000 items has as many entries, so an entry keeps
// little of its own: its item ID list and texts in one block, the path of the folder read
// once for all entries that lie in it, its type name once for all of that type, and its
// date as a file time, made text when the row is drawn.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace PaneUnit {

// A folder's path that the entries read from it share: a copy is one more holder of the
// same text. Null holds nothing.
class TSharedPath {
 public:
  TSharedPath() noexcept = default;
  explicit TSharedPath(std::wstring path);
  TSharedPath(const TSharedPath& other) noexcept;
  TSharedPath(TSharedPath&& other) noexcept;
  TSharedPath& operator=(TSharedPath other) noexcept;
  ~TSharedPath();

  const std::wstring* Get() const noexcept;
  explicit operator bool() const noexcept { return holder_ != nullptr; }

 private:
  struct Holder;
  Holder* holder_ = nullptr;
};

class TLeftShellItem {
 public:
  // An entry of nothing: no item, empty texts.
  TLeftShellItem() noexcept = default;
  // The entry of item, a list relative to the folder read, with its name in that folder,
  // the name the row shows and its final path. folder is the path its items lie in: a
  // full path that folder and the name give back is kept as the name alone.
  TLeftShellItem(LPCITEMIDLIST item, std::wstring_view name, std::wstring_view displayName,
                 std::wstring_view fullPath, const TSharedPath& folder);
  TLeftShellItem(TLeftShellItem&& other) noexcept;
  TLeftShellItem& operator=(TLeftShellItem&& other) noexcept;
  TLeftShellItem(const TLeftShellItem&) = delete;
  TLeftShellItem& operator=(const TLeftShellItem&) = delete;
  ~TLeftShellItem();

  // Entries alive now that hold an item: debug builds report those left at exit.
  static std::int64_t Live();

  // Relative to the shown folder; null for an entry of nothing.
  LPCITEMIDLIST ID() const noexcept;
  // The item's name in its folder, as the file system's change records name it.
  std::wstring_view Name() const noexcept;
  std::wstring_view DisplayName() const noexcept;
  // The item's final path, links resolved.
  std::wstring FullPath() const;

  const std::wstring& TypeName() const noexcept;
  void SetTypeName(const std::wstring& typeName);
  // The last-write time as local date text; empty for a zero time.
  std::wstring ModDate() const;

  // The bytes a selection counts for this entry before its details are loaded, once the
  // file system has been asked; none yet.
  bool KnowsUnloadedBytes() const noexcept { return unloadedBytesKnown_; }
  std::uint64_t UnloadedBytes() const noexcept { return Size; }
  void SetUnloadedBytes(std::uint64_t bytes) noexcept;

  std::uint64_t Size = 0;
  FILETIME LastWrite{};
  std::int32_t ImageIndex = 0;
  std::int32_t Attributes = 0;

 private:
  struct Block;
  // The item ID list and the texts, in one block of the entries' own heap.
  Block* block_ = nullptr;
  TSharedPath folder_;
  // Into the type names shown so far; 0 for none.
  std::uint32_t typeName_ = 0;

 public:
  bool Empty = true;  // details not loaded yet

 private:
  bool unloadedBytesKnown_ = false;
};

}  // namespace PaneUnit
