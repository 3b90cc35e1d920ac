// Reading a folder into the item list: names, final paths and the folder's own order.
#include <algorithm>
#include <optional>

#include "MainUnit.h"
#include "core/PathText.h"
#include "core/ReadNotice.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/PathKind.h"
#include "platform/Shell.h"

namespace MainUnit {

namespace {

// Folders, files, hidden and protected system items, storage and fast items, flat lists
// and asynchronous enumeration.
constexpr SHCONTF kEnumFlags = static_cast<SHCONTF>(0x1ECE0);
constexpr DWORD kFinalPathBuffer = 512;

// Shows the hourglass while it lives and puts the previous cursor back.
class HourGlass {
 public:
  HourGlass() : previous_(fm::ui::Application().ScreenCursor()) {
    fm::ui::Application().SetScreenCursor(fm::ui::TCursor::crHourGlass);
  }
  ~HourGlass() { fm::ui::Application().SetScreenCursor(previous_); }
  HourGlass(const HourGlass&) = delete;
  HourGlass& operator=(const HourGlass&) = delete;

 private:
  fm::ui::TCursor previous_;
};

// The final path of an open file or folder; empty when the system cannot give it.
std::wstring FinalPathOf(HANDLE file) {
  std::wstring buffer(kFinalPathBuffer, L'\0');
  // Too small a buffer is answered with the size needed; ask once more with that.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.assign(static_cast<size_t>(length) + 1, L'\0');
  }
  return {};
}

// The shell may cut a parsing name at the classic path limit (Wine does): a name that
// long must end with the item's own parsing name, or it is made anew from the folder's path.
std::wstring WholeParsingName(IShellFolder& folder, LPCITEMIDLIST item, std::wstring parsing,
                              std::optional<std::wstring>& folderPath) {
  const std::wstring own = fm::DisplayNameAs(folder, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
  const std::wstring ending = L"\\" + own;
  if (own.empty() || (parsing.size() >= ending.size() && parsing.compare(parsing.size() - ending.size(), ending.size(), ending) == 0)) {
    return parsing;
  }
  if (!folderPath) folderPath = fm::FolderPath(folder);
  if (folderPath->empty()) return parsing;
  return folderPath->back() == L'\\' ? *folderPath + own : *folderPath + L"\\" + own;
}

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

// A final path and what it names. The kind is known only for a final path the system
// gave; a path kept as parsed has not been asked yet.
struct FinalPath {
  std::wstring path;
  std::optional<fm::PathKind> kind;
};

// The one attribute query of an item's final path serves both the check that the path
// exists and the folder read's question whether it names a file.
FinalPath GetFinalPath(const std::wstring& Path, NeitherNotice& notice) {
  const fm::UniqueHandle file(CreateFileW(Path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return {Path, std::nullopt};
  // A path the system cannot give (Wine gives none from 264 characters on) leaves the
  // item its parsing name, as an item that cannot be opened keeps it.
  const std::wstring final = fm::CleanFinalPath(FinalPathOf(file.Get()));
  if (final.size() < 2) return {Path, std::nullopt};
  const fm::PathKind kind = fm::KindOfPath(final);
  if (kind != fm::PathKind::None) return {final, kind};
  notice.Add(final);
  return {Path, std::nullopt};
}

}  // namespace

std::int32_t TMain::CompareLeftItems(const TLeftShellItem& A, const TLeftShellItem& B) {
  const HRESULT result = FIShellFolder->CompareIDs(0, A.ID.Get(), B.ID.Get());
  return static_cast<std::int16_t>(HRESULT_CODE(result));
}

void TMain::WriteTotals(const wchar_t* foldersLabel) {
  StatusLeft->SetPanelText(0, foldersLabel + std::to_wstring(FFolders));
  StatusLeft->SetPanelText(1, L"Files: " + std::to_wstring(FFiles));
  StatusLeft->SetPanelText(2, L"Size: " + fm::SizeToText(static_cast<std::int64_t>(FAllSize)));
}

void TMain::ReadFolder(fm::ComPtr<IShellFolder> Folder) {
  HourGlass hourGlass;
  fm::ComPtr<IEnumIDList> enumerator =
      fm::EnumObjects(*Folder, fm::ui::Application().Handle(), kEnumFlags);
  // Only now: a folder that cannot be enumerated leaves the shown rows, and their totals
  // must go on describing them.
  FFiles = 0;
  FFolders = 0;
  FAllSize = 0;
  FIShellFolder = Folder;
  ClearLeftItems();
  // Should the read stop half-way, the list never has more rows than entries.
  LeftView->SetItemCount(0);
  NeitherNotice notice;
  if (enumerator) {
    std::optional<std::wstring> folderPath;
    for (;;) {
      fm::ItemIdList item;
      ULONG fetched = 0;
      if (enumerator->Next(1, item.Put(), &fetched) != S_OK) break;
      std::wstring parsing = fm::DisplayNameOf(*FIShellFolder, item.Get(), true);
      if (parsing.size() >= MAX_PATH - 1) {
        parsing = WholeParsingName(*FIShellFolder, item.Get(), std::move(parsing), folderPath);
      }
      const FinalPath final = GetFinalPath(parsing, notice);
      const std::wstring& path = final.path;
      // Only items with a drive-letter path are listed: virtual items, network paths
      // and class identifiers are not.
      if (!fm::IsDriveLetterPath(path)) continue;
      auto entry = std::make_unique<TLeftShellItem>();
      entry->FullPath = path;
      // Files always show with their extension; folders by the shell's name for them.
      const fm::PathKind kind = final.kind ? *final.kind : fm::KindOfPath(path);
      if (kind == fm::PathKind::File) {
        entry->DisplayName = fm::FileNamePart(path);
      } else {
        entry->DisplayName = fm::DisplayNameOf(*FIShellFolder, item.Get(), false);
      }
      entry->ID = std::move(item);
      entry->Empty = true;
      AppendLeftItem(std::move(entry));
    }
  }
  // A stable sort stays within bounds whatever the folder's comparison answers.
  std::stable_sort(FIDList->begin(), FIDList->end(),
                   [this](const auto& a, const auto& b) { return CompareLeftItems(*a, *b) < 0; });
  LeftView->SetItemCount(static_cast<int>(FIDList->size()));
  InvalidateRect(LeftView->Handle(), nullptr, TRUE);
  WriteTotals(L"Folders: ");
  notice.Show();
}

}  // namespace MainUnit
