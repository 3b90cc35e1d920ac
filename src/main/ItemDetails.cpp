// The details of the rows about to be shown, loaded once per entry.
#include <windows.h>

#include <shellapi.h>

#include "MainUnit.h"
#include "platform/Locale.h"
#include "platform/Shell.h"

namespace MainUnit {

namespace {

// The icon's index in the system image list.
std::int32_t SystemIconIndex(LPCITEMIDLIST PIDL, bool Large, bool Open) {
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL;
  if (Open) flags |= SHGFI_OPENICON;
  if (!Large) flags |= SHGFI_SMALLICON;
  SHFILEINFOW info{};
  const std::wstring path = fm::PathFromIDList(PIDL);
  if (!path.empty() && fm::DirectoryExists(path)) {
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0) {
      return info.iIcon;
    }
  }
  info = SHFILEINFOW{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(PIDL), 0, &info, sizeof(info), flags);
  return info.iIcon;
}

}  // namespace

void TMain::LeftViewDataHint(std::int32_t StartIndex, std::int32_t EndIndex) {
  const int count = LeftItemCount();
  if (StartIndex < count && EndIndex < count) FillItemDetails(StartIndex, EndIndex);
}

void TMain::FillItemDetails(std::int32_t StartIndex, std::int32_t EndIndex) {
  for (std::int32_t i = StartIndex; i <= EndIndex; ++i) {
    TLeftShellItem& E = *GetLeftItem(i);
    if (!E.Empty) continue;
    E.FullID = fm::ItemIdList::Adopt(fm::JoinItemIDLists(FPIDL, E.ID.Get()));
    E.ImageIndex = SystemIconIndex(E.FullID.Get(), LeftView->IsIconView(), false);

    SHFILEINFOW info{};
    if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(E.FullID.Get()), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_TYPENAME) != 0) {
      E.TypeName = info.szTypeName;
    }

    WIN32_FIND_DATAW find{};
    if (SUCCEEDED(SHGetDataFromIDListW(FIShellFolder.Get(), E.ID.Get(), SHGDFIL_FINDDATA, &find, sizeof(find)))) {
      E.Size = (static_cast<std::uint64_t>(find.nFileSizeHigh) << 32) | find.nFileSizeLow;
    } else {
      E.Size = 0;
    }
    E.ModDate = fm::LocalDateText(find.ftLastWriteTime);
    E.Attributes = static_cast<std::int32_t>(find.dwFileAttributes);

    FAllSize += E.Size;
    if (E.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
      ++FFolders;
    } else {
      ++FFiles;
    }
    WriteTotals(L"Folder: ");
    E.Empty = false;
  }
}

}  // namespace MainUnit
