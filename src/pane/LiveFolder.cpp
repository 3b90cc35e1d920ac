// Keeping the rows true to the folder shown: its watch, the changes it posts, and reading
// the folder again, each without losing the reader's place in the list.
#include <unordered_map>
#include <unordered_set>

#include "Pane.h"
#include "core/CaseFold.h"
#include "core/Error.h"
#include "core/PathText.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "ui/Application.h"
#include "ui/Scopes.h"

namespace PaneUnit {

TFolderWatches TPane::WatchFolder(const std::wstring& Folder) {
  TFolderWatches watches;
  if (Folder.empty()) return watches;
  watches.Folder = Folder;
  watches.Items = fm::FolderWatch(Host.Watcher(), Folder);
  const std::wstring parent = fm::FolderPart(Folder);
  if (!parent.empty() && parent != Folder) watches.Parent = fm::FolderWatch(Host.Watcher(), parent, true);
  return watches;
}

void TPane::FolderChanged(int Watch, const fm::FolderChanges& Changes) {
  if (Watch == FWatches.Items.Id()) {
    ApplyFolderChanges(Changes);
  } else if (Watch == FWatches.Parent.Id() && !fm::DirectoryExists(FWatches.Folder)) {
    LeaveVanishedFolder();
  }
}

fm::ListPosition TPane::Position() const {
  return {View->SelectedIndexes(), View->FocusedIndex(), View->TopIndex()};
}

namespace {

// Up to this many selected rows are put down one by one.
constexpr std::size_t kFewSelectedRows = 64;

}  // namespace

void TPane::KeepPosition(const fm::ListPosition& Old, const std::vector<int>& OldToNew) {
  // Answers cached by row index name other items now.
  FRowNamesFile.clear();
  const int count = ItemCount();
  const fm::ListPosition kept = fm::KeepListPosition(Old, OldToNew, count);
  {
    fm::ui::TUpdateBlock update(*View);
    // Wine puts a whole selection down row by row, every row of the list: a selection of
    // few rows is put down one by one instead, while the rows still have their old places.
    if (Old.selected.size() <= kFewSelectedRows) {
      for (const int row : Old.selected) View->SetSelected(row, false);
    } else {
      View->ClearSelection();
    }
    View->SetItemCount(count);
    for (const int row : kept.selected) View->SetSelected(row, true);
    View->SetFocusedIndex(kept.focused);
    View->SetTopIndex(kept.top);
  }
  WriteTotals(L"Folder: ");
  WriteSelection();
}

void TPane::UncountEntry(const TLeftShellItem& Entry) {
  if (Entry.Empty) return;
  FAllSize -= Entry.Size;
  if (Entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
    --FFolders;
  } else {
    --FFiles;
  }
}

void TPane::Refresh() {
  if (!FIDList || !FIShellFolder) return;
  if (!FWatches.Folder.empty() && !fm::DirectoryExists(FWatches.Folder)) {
    LeaveVanishedFolder();
    return;
  }
  const fm::ListPosition old = Position();
  std::vector<std::wstring> oldNames;
  oldNames.reserve(FIDList->size());
  for (const auto& entry : *FIDList) oldNames.emplace_back(entry.Name());
  {
    fm::ui::TUpdateBlock update(*View);
    ReadFolder(FIShellFolder);
  }
  std::unordered_map<std::wstring, int> newRows;
  newRows.reserve(FIDList->size());
  for (std::size_t i = 0; i < FIDList->size(); ++i) newRows.emplace((*FIDList)[i].Name(), static_cast<int>(i));
  std::vector<int> oldToNew(oldNames.size(), -1);
  for (std::size_t i = 0; i < oldNames.size(); ++i) {
    const auto found = newRows.find(oldNames[i]);
    if (found != newRows.end()) oldToNew[i] = found->second;
  }
  KeepPosition(old, oldToNew);
}

namespace {

// How long one turn of the window applies changed names before it answers again.
constexpr ULONGLONG kTurnMs = 40;
// How long a name the shell cannot parse yet is retried before the folder is read whole.
constexpr ULONGLONG kParseWaitMs = 2000;
// How often such a name is tried meanwhile.
constexpr DWORD kParseRetryMs = 100;

// A name as the file system compares it, in a buffer used again for each name.
void FoldInto(std::wstring& folded, std::wstring_view name) {
  folded.assign(name);
  for (wchar_t& c : folded) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
}

}  // namespace

void TPane::ApplyFolderChanges(const fm::FolderChanges& Changes) {
  if (!FIDList || FWatches.Folder.empty() || (Changes.Empty() && FPendingNames.empty())) return;
  if (!fm::DirectoryExists(FWatches.Folder)) {
    LeaveVanishedFolder();
    return;
  }
  // A watch that ended on a folder still there (its rights changed, say) starts again.
  if (Changes.Ended()) FWatches = WatchFolder(std::wstring(FWatches.Folder));
  if (Changes.ReadWhole() || Changes.Ended()) {
    Refresh();
    return;
  }
  for (const std::wstring& name : Changes.Names()) {
    if (FPendingKnown.insert(name).second) FPendingNames.push_back(name);
  }
  ApplyPendingNames();
}

void TPane::DropPendingNames() {
  FPendingNames.clear();
  FPendingKnown.clear();
  FParseRetries.clear();
}

void TPane::ApplyPendingNames() {
  const ULONGLONG start = GetTickCount64();
  std::vector<std::wstring> turn;
  std::vector<TLeftShellItem> added;
  std::unordered_set<std::wstring> addedNames;
  std::vector<std::wstring> unparsed;
  bool readWhole = false;
  while (!FPendingNames.empty() && GetTickCount64() - start < kTurnMs) {
    std::wstring name = std::move(FPendingNames.front());
    FPendingNames.pop_front();
    FPendingKnown.erase(name);
    // The file system says whether the item is there. The shell, asked at once, may not
    // know of it yet (Wine's, for seconds at a time): its list is then made from what the
    // file system told. A name the shell takes neither way waits for a later turn, its row
    // as it was, and only one it never takes asks for a whole read.
    WIN32_FILE_ATTRIBUTE_DATA found;
    if (GetFileAttributesExW(fm::JoinPath(FFolderPath, name).c_str(), GetFileExInfoStandard, &found)) {
      fm::ItemIdList item;
      ULONG eaten = 0;
      std::wstring text = name;
      if (FAILED(FIShellFolder->ParseDisplayName(nullptr, nullptr, text.data(), &eaten, item.Put(), nullptr)) || !item)
        item = fm::ParseFoundItem(*FIShellFolder, name, found);
      if (!item) {
        const ULONGLONG first = FParseRetries.try_emplace(name, start).first->second;
        if (start - first > kParseWaitMs) readWhole = true;
        unparsed.push_back(std::move(name));
        continue;
      }
      auto entry = ReadEntry(std::move(item));
      // Two names of one item (a change of letter case) give one row.
      if (entry && addedNames.emplace(entry->Name()).second) added.push_back(std::move(*entry));
    }
    FParseRetries.erase(name);
    turn.push_back(std::move(name));
  }
  if (readWhole) {
    Refresh();
    return;
  }
  for (std::wstring& name : unparsed) {
    if (FPendingKnown.insert(name).second) FPendingNames.push_back(std::move(name));
  }
  if (!turn.empty()) ApplyNames(turn, std::move(added));
  // The rest in a later turn: the window answers what waits meanwhile. Names that only
  // wait for the shell to know them are asked again a moment later, not at once: asking
  // without pause would keep the window busy to no end.
  if (FPendingNames.empty()) return;
  if (turn.empty()) {
    Host.Watcher().Remind(FWatches.Items.Id(), kParseRetryMs);
  } else {
    Host.Watcher().Remind(FWatches.Items.Id());
  }
}

void TPane::ApplyNames(const std::vector<std::wstring>& Names, std::vector<TLeftShellItem> Added) {
  const fm::ListPosition old = Position();
  // The file system compares names without regard to case; an entry whose name a change
  // names leaves, and comes back as the folder now has it.
  std::unordered_set<std::wstring> touched;
  std::wstring folded;
  for (const std::wstring& name : Names) {
    FoldInto(folded, name);
    touched.insert(folded);
  }
  // An item that only changed comes back under its name: the reader's place stays on it.
  std::unordered_map<std::wstring, std::size_t> back;
  for (std::size_t k = 0; k < Added.size(); ++k) {
    FoldInto(folded, Added[k].Name());
    back.emplace(folded, k);
  }
  std::vector<bool> gone(FIDList->size(), false);
  std::vector<std::pair<std::size_t, std::size_t>> cameBack;
  for (std::size_t i = 0; i < FIDList->size(); ++i) {
    const TLeftShellItem& entry = (*FIDList)[i];
    FoldInto(folded, entry.Name());
    if (touched.count(folded) == 0) continue;
    gone[i] = true;
    UncountEntry(entry);
    const auto found = back.find(folded);
    if (found != back.end()) cameBack.emplace_back(i, found->second);
  }
  // The folder's own order, as the read sorts; one it cannot tell goes by name.
  const auto before = [this](const auto& a, const auto& b) {
    const HRESULT result = FIShellFolder->CompareIDs(0, a.ID(), b.ID());
    if (FAILED(result)) return fm::LocaleSortsBefore(a.DisplayName(), b.DisplayName());
    return static_cast<std::int16_t>(HRESULT_CODE(result)) < 0;
  };
  std::vector<int> addedToNew;
  std::vector<int> oldToNew = fm::MergeRows(*FIDList, gone, std::move(Added), before, &addedToNew);
  for (const auto& [oldRow, addedRow] : cameBack) oldToNew[oldRow] = addedToNew[addedRow];
  KeepPosition(old, oldToNew);
}

void TPane::LeaveVanishedFolder() {
  std::wstring path = std::move(FWatches.Folder);
  FWatches = {};
  for (;;) {
    std::wstring parent = fm::FolderPart(path);
    if (parent.empty() || parent == path) break;
    path = std::move(parent);
    if (!fm::DirectoryExists(path)) continue;
    try {
      BrowseToPath(path);
      return;
    } catch (const fm::Error&) {
      // A folder that will not be shown is passed over like a missing one.
    }
  }
  // Not even the drive is left.
  BrowseToPIDL(KeepFolderIDList(fm::SpecialFolderLocation(fm::ui::Application().Handle(), CSIDL_DRIVES)));
}

}  // namespace PaneUnit
