// Reading a folder into the item list: names, final paths and the folder's own order.
#include <algorithm>
#include <functional>
#include <numeric>
#include <optional>

#include "Pane.h"
#include "core/PathText.h"
#include "core/ReadNotice.h"
#include "platform/FinalPath.h"
#include "platform/Locale.h"
#include "platform/OsError.h"
#include "platform/PathKind.h"
#include "platform/Shell.h"
#include "ui/Scopes.h"

namespace PaneUnit {

namespace {

// Folders, files, hidden and protected system items, storage and fast items and flat
// lists. Asynchronous enumeration is not asked for: its waits would hold the window.
constexpr SHCONTF kEnumFlags = static_cast<SHCONTF>(
    SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN | SHCONTF_INCLUDESUPERHIDDEN |
    SHCONTF_SHAREABLE | SHCONTF_STORAGE | SHCONTF_FASTITEMS | SHCONTF_FLATLIST);
// An enumerator that answers "still coming" is waited for while the window goes on
// answering; with nothing new for this long the read ends as failed.
constexpr ULONGLONG kPendingLimitMs = 30000;
constexpr DWORD kPendingWaitMs = 10;

using FinalPathQuery = std::function<fm::FinalPath(const std::wstring&)>;

// Paths that name neither a file nor a folder (named pipes, devices): one read tells of
// the first and counts the rest, so that a folder of many gives one box, not one each.
class NeitherNotice {
 public:
  void Add(const std::wstring& path) {
    if (count_++ == 0) first_ = path;
  }
  void Show() const {
    if (count_ > 0) {
      fm::ui::Application().ShowMessage(fm::NeitherFileNorFolderNotice(first_, count_ - 1));
    }
  }

 private:
  std::wstring first_;
  std::uint64_t count_ = 0;
};

// The folder being read: its path and final path, and where the items' final paths come from.
struct FolderPlace {
  const std::wstring& path;
  // Where the system gives none, every item is asked for its own.
  std::optional<std::wstring> final;
  const FinalPathQuery& finalPathOf;
  // Where the items that are no links lie, for their entries to share.
  TSharedPath entries;
};

// A folder whose final path is its own path, or a share, holds its items at their parsing
// names.
bool ItemsKeepParsingPath(const FolderPlace& folder) {
  return *folder.final == folder.path || !fm::IsDriveLetterPath(*folder.final);
}

TSharedPath EntryFolderOf(const FolderPlace& folder) {
  if (!folder.final) return {};
  return TSharedPath(ItemsKeepParsingPath(folder) ? folder.path : *folder.final);
}

// The final path of an item and what it names; a final path that names neither file nor
// folder goes to the read's notice. An item whose final path lies directly in the
// folder's final path keeps its own path: a folder on a network drive, whose final path
// is a share, lists its items under the drive letter it was opened by.
fm::FinalPath FinalPathTold(std::wstring parsing, const FolderPlace& folder, NeitherNotice& notice) {
  fm::FinalPath final = folder.finalPathOf(parsing);
  if (!final.namesNothing.empty()) notice.Add(final.namesNothing);
  if (folder.final && !fm::IsDriveLetterPath(final.path) &&
      !fm::NameInFolder(final.path, *folder.final).empty()) {
    final.path = std::move(parsing);
  }
  return final;
}

// An item that is no link lies in the folder's final path under the name the file
// system keeps, which its parsing name already holds: opening it would tell nothing new.
// One attribute query of the parsing path, not following links, tells a link apart and
// what the item is; a link, and an item the query cannot see, get their own final path.
fm::FinalPath FinalPathInFolder(std::wstring parsing, const FolderPlace& folder, NeitherNotice& notice) {
  const std::wstring name = folder.final ? fm::NameInFolder(parsing, folder.path) : std::wstring();
  if (!name.empty()) {
    const DWORD attributes = GetFileAttributesW(parsing.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      const fm::PathKind kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? fm::PathKind::Folder : fm::PathKind::File;
      std::wstring path = ItemsKeepParsingPath(folder) ? std::move(parsing) : fm::JoinPath(*folder.final, name);
      return {std::move(path), kind, {}};
    }
  }
  return FinalPathTold(std::move(parsing), folder, notice);
}

// Waits a little for an enumerator that has more to come, handling the window's messages
// meanwhile.
void WaitForPendingItems() {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, kPendingWaitMs, QS_ALLINPUT);
  fm::ui::Application().ProcessMessages();
}

// Whether the folder orders a before b. A comparison the folder cannot make ends the
// sort: a guess would break the order the sort relies on.
struct CompareFailed {};
bool FolderOrders(IShellFolder& folder, const TLeftShellItem& a, const TLeftShellItem& b) {
  const HRESULT result = folder.CompareIDs(0, a.ID(), b.ID());
  if (FAILED(result)) throw CompareFailed{};
  return static_cast<std::int16_t>(HRESULT_CODE(result)) < 0;
}

// The entries in the folder's own order, or by name where the folder cannot compare
// them. The order is found on indexes, so a sort that ends early loses no entry.
void SortEntries(IShellFolder& folder, std::vector<TLeftShellItem>& entries) {
  std::vector<size_t> order(entries.size());
  const auto restart = [&] { std::iota(order.begin(), order.end(), size_t{0}); };
  restart();
  try {
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return FolderOrders(folder, entries[a], entries[b]); });
  } catch (const CompareFailed&) {
    restart();
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return fm::LocaleSortsBefore(entries[a].DisplayName(), entries[b].DisplayName());
    });
  }
  std::vector<TLeftShellItem> sorted;
  sorted.reserve(entries.size());
  for (size_t index : order) sorted.push_back(std::move(entries[index]));
  entries = std::move(sorted);
}

// The entry of an item of the folder; none for an item that is not listed.
std::optional<TLeftShellItem> MakeEntry(fm::ItemIdList item, IShellFolder& shellFolder, const FolderPlace& folder,
                                          NeitherNotice& notice) {
  std::wstring parsing = fm::ParsingNameOf(shellFolder, item.Get(), folder.path);
  std::wstring name = fm::LastPathPart(parsing);
  fm::FinalPath final = FinalPathInFolder(std::move(parsing), folder, notice);
  // Only items with a drive-letter path are listed: virtual items, network paths
  // and class identifiers are not.
  if (!fm::IsDriveLetterPath(final.path)) return std::nullopt;
  // Files always show with their extension; folders by the shell's name for them.
  const fm::PathKind kind = final.kind ? *final.kind : fm::KindOfPath(final.path);
  const std::wstring displayName = kind == fm::PathKind::File ? fm::FileNamePart(final.path)
                                                              : fm::DisplayNameOf(shellFolder, item.Get(), false);
  return TLeftShellItem(item.Get(), name, displayName, final.path, folder.entries);
}

// Reads the enumerator's items into entries until its end or its failure, which is given.
HRESULT ReadEntries(IEnumIDList& enumerator, IShellFolder& shellFolder, const FolderPlace& folder,
                    NeitherNotice& notice, std::vector<TLeftShellItem>& entries) {
  ULONGLONG lastProgress = GetTickCount64();
  for (;;) {
    fm::ItemIdList item;
    ULONG fetched = 0;
    const HRESULT answer = enumerator.Next(1, item.Put(), &fetched);
    if (answer == E_PENDING) {
      // More to come: not the end of the folder, unless it never comes.
      if (GetTickCount64() - lastProgress >= kPendingLimitMs) return answer;
      WaitForPendingItems();
      continue;
    }
    if (FAILED(answer)) return answer;
    if (answer != S_OK) return S_OK;
    lastProgress = GetTickCount64();
    auto entry = MakeEntry(std::move(item), shellFolder, folder, notice);
    if (entry) entries.push_back(std::move(*entry));
  }
}

}  // namespace

std::optional<TLeftShellItem> TPane::ReadEntry(fm::ItemIdList Item) {
  const FolderPlace place{FFolderPath, FFolderFinal, FFinalPath, FEntryFolder};
  // A change names one item: a pipe among them is told of by the next whole read.
  NeitherNotice unshown;
  return MakeEntry(std::move(Item), *FIShellFolder, place, unshown);
}

void TPane::WriteTotals(const wchar_t* foldersLabel) {
  Status->SetPanelTexts({foldersLabel + std::to_wstring(FFolders), L"Files: " + std::to_wstring(FFiles),
                             L"Size: " + fm::SizeToText(static_cast<std::int64_t>(FAllSize))});
}

void TPane::ReadFolder(fm::ComPtr<IShellFolder> Folder, const std::function<void()>& AlongWith) {
  const fm::ui::TCursorScope hourGlass(fm::ui::TCursor::crHourGlass);
  // A folder that cannot be enumerated leaves the shown folder and its rows as they are.
  fm::ComPtr<IEnumIDList> enumerator = fm::EnumObjects(*Folder, fm::ui::Application().Handle(), kEnumFlags);
  const std::wstring folderPath = fm::FolderPath(*Folder);
  fm::FolderDetails details(Folder, folderPath);
  // The entries are read aside: the shown folder and its rows change together, after the
  // read, also when it failed half-way.
  std::vector<TLeftShellItem> entries;
  HRESULT failure = S_OK;
  NeitherNotice notice;
  std::optional<std::wstring> folderFinal;
  TSharedPath entryFolder;
  if (enumerator) {
    FolderPlace place{folderPath, std::nullopt, FFinalPath, {}};
    if (!folderPath.empty()) {
      fm::FinalPath final = FFinalPath(folderPath);
      if (final.kind == fm::PathKind::Folder) place.final = std::move(final.path);
    }
    place.entries = EntryFolderOf(place);
    failure = ReadEntries(*enumerator, *Folder, place, notice, entries);
    folderFinal = std::move(place.final);
    entryFolder = std::move(place.entries);
  }
  SortEntries(*Folder, entries);

  FFiles = 0;
  FFolders = 0;
  FAllSize = 0;
  FIShellFolder = std::move(Folder);
  FDetails = std::move(details);
  FFolderPath = folderPath;
  FFolderFinal = std::move(folderFinal);
  FEntryFolder = std::move(entryFolder);
  ClearItems();
  // The read shows whatever the names still pending changed.
  DropPendingNames();
  if (FIDList) *FIDList = std::move(entries);
  // A new folder starts without a selection: the rows selected were the old folder's.
  // Cleared with no rows, it costs nothing however many rows the old folder had.
  View->SetItemCount(0);
  View->ClearSelection();
  View->SetItemCount(ItemCount());
  // The list need not tell of a selection that went with its rows.
  WriteSelection();
  if (AlongWith) AlongWith();
  InvalidateRect(View->Handle(), nullptr, TRUE);
  WriteTotals(L"Folders: ");
  notice.Show();
  // What was read so far stays listed.
  fm::OleCheck(failure);
}

}  // namespace PaneUnit
