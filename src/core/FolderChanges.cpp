#include "core/FolderChanges.h"

namespace fm {

void FolderChanges::Add(std::wstring_view name) {
  ++changes_;
  if (readWhole_) return;
  if (name.empty() || name.find_first_of(L"\\/") != std::wstring_view::npos || changes_ > kReadWholeAfter) {
    Overflow();
    return;
  }
  std::wstring text(name);
  if (known_.insert(text).second) names_.push_back(std::move(text));
}

void FolderChanges::Merge(const FolderChanges& later) {
  if (later.ended_) ended_ = true;
  if (later.readWhole_) Overflow();
  if (readWhole_) {
    changes_ += later.changes_;
    return;
  }
  // Each name of the later gathering counts for as many changes as it stood for there.
  const std::size_t before = changes_;
  for (const std::wstring& name : later.names_) Add(name);
  if (!readWhole_ && changes_ + (later.changes_ - later.names_.size()) > kReadWholeAfter) Overflow();
  changes_ = before + later.changes_;
}

void FolderChanges::Overflow() {
  readWhole_ = true;
  // The names are of no use any more; a burst of changes keeps no memory.
  names_ = {};
  known_ = {};
}

}  // namespace fm
