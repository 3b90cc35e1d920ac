// Reading a folder into the item list: names, final paths and the folder's own order.
#include <algorithm>
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

// Folders, files, hidden and protected system items, storage and fast items, flat lists
// and asynchronous enumeration.
constexpr SHCONTF kEnumFlags = static_cast<SHCONTF>(0x1ECE0);
constexpr DWORD kPendingWaitMs = 10;

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

// The final path of an item and what it names, as GetFinalPath gives it; a final path
// that names neither file nor folder is told to namesNothing.
fm::FinalPath FinalPathTold(const std::wstring& path, const std::function<void(const std::wstring&)>& namesNothing) {
  fm::FinalPath final = fm::GetFinalPath(path);
  if (!final.namesNothing.empty()) namesNothing(final.namesNothing);
  return final;
}

// An item that is no link lies in the folder's final path under the name the file
// system keeps, which its parsing name already holds: opening it would tell nothing new.
// One attribute query of the parsing path, not following links, tells a link apart and
// what the item is; a link, and an item the query cannot see, get their own final path.
fm::FinalPath FinalPathInFolder(std::wstring parsing, const std::wstring& folderPath,
                                const std::optional<std::wstring>& folderFinal,
                                const std::function<void(const std::wstring&)>& namesNothing) {
  const std::wstring name = folderFinal ? fm::NameInFolder(parsing, folderPath) : std::wstring();
  if (!name.empty()) {
    const DWORD attributes = GetFileAttributesW(parsing.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      const fm::PathKind kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? fm::PathKind::Folder : fm::PathKind::File;
      // A folder whose final path is its own path holds the item at its parsing name.
      std::wstring path = *folderFinal == folderPath ? std::move(parsing) : fm::JoinPath(*folderFinal, name);
      return {std::move(path), kind, {}};
    }
  }
  return FinalPathTold(parsing, namesNothing);
}

}  // namespace

std::int32_t TPane::CompareItems(const TLeftShellItem& A, const TLeftShellItem& B) {
  const HRESULT result = FIShellFolder->CompareIDs(0, A.ID.Get(), B.ID.Get());
  return static_cast<std::int16_t>(HRESULT_CODE(result));
}

std::unique_ptr<TLeftShellItem> TPane::ReadEntry(fm::ItemIdList Item, const std::wstring& FolderPath,
                                                const std::optional<std::wstring>& FolderFinal,
                                                const std::function<void(const std::wstring&)>& NamesNothing) {
  std::wstring parsing = fm::ParsingNameOf(*FIShellFolder, Item.Get(), FolderPath);
  std::wstring name = fm::LastPathPart(parsing);
  fm::FinalPath final = FinalPathInFolder(std::move(parsing), FolderPath, FolderFinal, NamesNothing);
  // Only items with a drive-letter path are listed: virtual items, network paths
  // and class identifiers are not.
  if (!fm::IsDriveLetterPath(final.path)) return nullptr;
  auto entry = std::make_unique<TLeftShellItem>();
  // Files always show with their extension; folders by the shell's name for them.
  const fm::PathKind kind = final.kind ? *final.kind : fm::KindOfPath(final.path);
  if (kind == fm::PathKind::File) {
    entry->DisplayName = fm::FileNamePart(final.path);
  } else {
    entry->DisplayName = fm::DisplayNameOf(*FIShellFolder, Item.Get(), false);
  }
  entry->Name = std::move(name);
  entry->FullPath = std::move(final.path);
  entry->ID = std::move(Item);
  entry->Empty = true;
  return entry;
}

void TPane::WriteTotals(const wchar_t* foldersLabel) {
  Status->SetPanelTexts({foldersLabel + std::to_wstring(FFolders), L"Files: " + std::to_wstring(FFiles),
                             L"Size: " + fm::SizeToText(static_cast<std::int64_t>(FAllSize))});
}

void TPane::ReadFolder(fm::ComPtr<IShellFolder> Folder) {
  const fm::ui::TCursorScope hourGlass(fm::ui::TCursor::crHourGlass);
  fm::ComPtr<IEnumIDList> enumerator = fm::EnumObjects(*Folder, fm::ui::Application().Handle(), kEnumFlags);
  // Only now: a folder that cannot be enumerated leaves the shown rows, and their totals
  // must go on describing them.
  FFiles = 0;
  FFolders = 0;
  FAllSize = 0;
  FIShellFolder = Folder;
  ClearItems();
  // Should the read stop half-way, the list never has more rows than entries.
  View->SetItemCount(0);
  // A new folder starts without a selection: the rows selected were the old folder's.
  // Cleared with no rows left, it costs nothing however many rows the old folder had.
  View->ClearSelection();
  FFolderPath = fm::FolderPath(*FIShellFolder);
  FFolderFinal.reset();
  const std::wstring& folderPath = FFolderPath;
  FDetails = fm::FolderDetails(FIShellFolder, folderPath);
  // A failure of the enumerator ends the read like its end would, then is reported.
  HRESULT failure = S_OK;
  NeitherNotice notice;
  const auto namesNothing = [&notice](const std::wstring& path) { notice.Add(path); };
  if (enumerator) {
    // The folder's own final path, asked once. Where the system gives none, every item
    // is asked for its own.
    if (!folderPath.empty()) {
      fm::FinalPath final = fm::GetFinalPath(folderPath);
      if (final.kind == fm::PathKind::Folder) FFolderFinal = std::move(final.path);
    }
    for (;;) {
      fm::ItemIdList item;
      ULONG fetched = 0;
      const HRESULT answer = enumerator->Next(1, item.Put(), &fetched);
      if (answer == E_PENDING) {
        // The asynchronous enumeration has more to come: not the end of the folder.
        Sleep(kPendingWaitMs);
        continue;
      }
      if (FAILED(answer)) {
        failure = answer;
        break;
      }
      if (answer != S_OK) break;
      auto entry = ReadEntry(std::move(item), folderPath, FFolderFinal, namesNothing);
      if (!entry) continue;
      AppendItem(std::move(entry));
    }
  }
  // A stable sort stays within bounds whatever the folder's comparison answers.
  std::stable_sort(FIDList->begin(), FIDList->end(),
                   [this](const auto& a, const auto& b) { return CompareItems(*a, *b) < 0; });
  View->SetItemCount(static_cast<int>(FIDList->size()));
  InvalidateRect(View->Handle(), nullptr, TRUE);
  WriteTotals(L"Folders: ");
  notice.Show();
  // What was read so far stays listed.
  fm::OleCheck(failure);
}

}  // namespace PaneUnit
