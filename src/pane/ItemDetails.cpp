// The details of the rows about to be shown, loaded once per entry.
#include <windows.h>

#include "Pane.h"
#include "platform/Shell.h"

namespace PaneUnit {

namespace {

constexpr DWORD kNoPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

std::uint64_t SizeOf(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

}  // namespace

void TPane::ViewDataHint(std::int32_t StartIndex, std::int32_t EndIndex) {
  const int count = ItemCount();
  if (StartIndex < count && EndIndex < count) FillItemDetails(StartIndex, EndIndex);
}

void TPane::FillItemDetails(std::int32_t StartIndex, std::int32_t EndIndex) {
  bool loaded = false;
  for (std::int32_t i = StartIndex; i <= EndIndex; ++i) {
    TLeftShellItem& E = *GetItem(i);
    if (!E.Empty) continue;
    // Made for the load alone: the row keeps only its relative list.
    const fm::ItemIdList full = AbsoluteIDList(E);
    E.ImageIndex = FDetails.SystemIconIndex(E.ID(), full.Get(), View->IsIconView(), false);
    E.SetTypeName(FDetails.TypeName(E.ID(), full.Get()));

    WIN32_FIND_DATAW find{};
    if (SUCCEEDED(SHGetDataFromIDListW(FIShellFolder.Get(), E.ID(), SHGDFIL_FINDDATA, &find, sizeof(find)))) {
      E.Size = SizeOf(find.nFileSizeHigh, find.nFileSizeLow);
      // Find data may keep only the low 32 bits of the size (Wine's does): a plain file's
      // size comes from the file system. A link keeps its own find data's size.
      if (!(find.dwFileAttributes & kNoPlainFile)) {
        E.Size = FPlainFileSize(FDetails.Path(E.ID(), full.Get())).value_or(E.Size);
      }
    } else {
      E.Size = 0;
    }
    E.LastWrite = find.ftLastWriteTime;
    E.Attributes = static_cast<std::int32_t>(find.dwFileAttributes);

    FAllSize += E.Size;
    if (E.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
      ++FFolders;
    } else {
      ++FFiles;
    }
    E.Empty = false;
    loaded = true;
  }
  // Once for the whole range: the status bar repaints at each text it is given.
  if (loaded) WriteTotals(L"Folder: ");
}

}  // namespace PaneUnit
