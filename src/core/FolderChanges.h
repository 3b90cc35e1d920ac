// What changed in a watched folder during one gathering: the names of the items that
// came, went, changed or were renamed (both names), or the word that the folder must be
// read again whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace fm {

class FolderChanges {
 public:
  // Beyond this many items changed in one gathering, reading the folder again costs less
  // than looking at each. Items, not changes: a file made and then written is heard two or
  // three times, and costs one look.
  static constexpr std::size_t kReadWholeAfter = 2000;

  // One change of the item of this name; a name that is empty or holds a path separator
  // is not one of the folder's own items, and the folder is read whole.
  void Add(std::wstring_view name);
  // The watch lost changes: only a whole read tells what the folder holds now.
  void Overflow();
  // The watch ended (the folder went, or may not be read any more).
  void End() { ended_ = true; }
  // Adds the changes of a later gathering to these.
  void Merge(const FolderChanges& later);

  bool Empty() const { return changes_ == 0 && !readWhole_ && !ended_; }
  bool ReadWhole() const { return readWhole_; }
  bool Ended() const { return ended_; }
  std::size_t Changes() const { return changes_; }
  // The distinct names changed, in the order they first came; empty when the folder is
  // to be read whole.
  const std::vector<std::wstring>& Names() const { return names_; }

 private:
  std::vector<std::wstring> names_;
  std::unordered_set<std::wstring> known_;
  std::size_t changes_ = 0;
  bool readWhole_ = false;
  bool ended_ = false;
};

}  // namespace fm
