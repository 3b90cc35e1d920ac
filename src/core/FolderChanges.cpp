#include "core/FolderChanges.h"

namespace fm {

void FolderChanges::Add(std::wstring_view name) {
  ++changes_;
  if (readWhole_) return;
  if (name.empty() || name.find_first_of(L"\\/") != std::wstring_view::npos) {
    Overflow();
    return;
  }
  std::wstring text(name);
  if (!known_.insert(text).second) return;
  names_.push_back(std::move(text));
  if (names_.size() > kReadWholeAfter) Overflow();
}

void FolderChanges::Merge(const FolderChanges& later) {
  if (later.ended_) ended_ = true;
  if (later.readWhole_) Overflow();
  if (readWhole_) {
    changes_ += later.changes_;
    return;
  }
  const std::size_t before = changes_;
  for (const std::wstring& name : later.names_) Add(name);
  changes_ = before + later.changes_;
}

void FolderChanges::Overflow() {
  readWhole_ = true;
  // The names are of no use any more; a burst of changes keeps no memory.
  names_ = {};
  known_ = {};
}

}  // namespace fm
