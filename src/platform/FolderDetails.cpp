#include "platform/FolderDetails.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/PathText.h"
#include "platform/Shell.h"

namespace fm {

namespace {

// The property of an item's type text, as the folder names the content of a column.
constexpr GUID kItemTypeTextFormat = {
    0xB725F130, 0x47EF, 0x101A, {0xA5, 0xF1, 0x02, 0x60, 0x8C, 0x9E, 0xEB, 0xAC}};
constexpr DWORD kItemTypeTextId = 4;
// The column that holds the type in the file system's folders.
constexpr UINT kTypeColumn = 2;
// The size of the shell's type name field, its terminating zero included.
constexpr int kTypeNameBuffer = 80;

}  // namespace

std::int32_t SystemIconIndex(LPCITEMIDLIST PIDL, bool large, bool open) {
  UINT flags = SHGFI_SYSICONINDEX | SHGFI_PIDL;
  if (open) flags |= SHGFI_OPENICON;
  if (!large) flags |= SHGFI_SMALLICON;
  SHFILEINFOW info{};
  const std::wstring path = PathFromIDList(PIDL);
  if (!path.empty() && DirectoryExists(path)) {
    if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info),
                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON) != 0) {
      return info.iIcon;
    }
  }
  info = SHFILEINFOW{};
  SHGetFileInfoW(reinterpret_cast<LPCWSTR>(PIDL), 0, &info, sizeof(info), flags);
  return info.iIcon;
}

std::wstring TypeNameOf(LPCITEMIDLIST PIDL) {
  SHFILEINFOW info{};
  if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(PIDL), 0, &info, sizeof(info),
                     SHGFI_PIDL | SHGFI_TYPENAME) == 0) {
    return {};
  }
  return info.szTypeName;
}

FolderDetails::FolderDetails(ComPtr<IShellFolder> folder, const std::wstring& folderPath) {
  if (!folder || folderPath.empty()) return;
  folder_ = std::move(folder);
  folderPath_ = folderPath;
  // The columns differ from folder to folder (the computer folder's column 2 is a size):
  // the column is used only where the folder says it holds the type.
  ComPtr<IShellFolder2> columns = folder_.As<IShellFolder2>();
  SHCOLUMNID content{};
  if (columns && SUCCEEDED(columns->MapColumnToSCID(kTypeColumn, &content)) &&
      IsEqualGUID(content.fmtid, kItemTypeTextFormat) && content.pid == kItemTypeTextId) {
    typeColumn_ = std::move(columns);
  }
}

SFGAOF FolderDetails::Attributes(LPCITEMIDLIST item) const {
  SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_LINK | SFGAO_FOLDER;
  if (!folder_ || FAILED(folder_->GetAttributesOf(1, &item, &attributes))) return 0;
  return attributes;
}

bool FolderDetails::InFileSystem(LPCITEMIDLIST item) const {
  return (Attributes(item) & SFGAO_FILESYSTEM) != 0;
}

bool FolderDetails::IsPlainFolder(LPCITEMIDLIST item) const {
  const std::wstring path = ParsingNameOf(*folder_, item, folderPath_);
  const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != FILE_ATTRIBUTE_DIRECTORY) {
    return false;
  }
  // Only a desktop.ini the shell could read may change a folder's icon.
  if (GetFileAttributesW(JoinPath(path, L"desktop.ini").c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::optional<std::int32_t> FolderDetails::FolderIconIndex(LPCITEMIDLIST item, bool open) const {
  const SFGAOF attributes = Attributes(item);
  // A shortcut shows its target's icon, which the two ways make up differently (Wine adds
  // a copy of its own to the image list): the desktop answers for shortcuts.
  if ((attributes & (SFGAO_FILESYSTEM | SFGAO_LINK)) != SFGAO_FILESYSTEM) return std::nullopt;
  // Every folder that no desktop.ini dresses shows the same icon, and the shell learns it
  // anew for each by binding the shown folder from the desktop (under Wine, reading the
  // whole shown folder): it is asked for the first such folder only.
  const bool plain = !open && (attributes & SFGAO_FOLDER) && IsPlainFolder(item);
  if (plain && plainFolderIcon_) return plainFolderIcon_;
  // The system's large and small image lists share their indexes. The open icon is
  // asked only when wanted: the shell looks up the item's icon handler once for each.
  int openIndex = -1;
  const int index = SHMapPIDLToSystemImageListIndex(folder_.Get(), item, open ? &openIndex : nullptr);
  if (index < 0 || (open && openIndex < 0)) return std::nullopt;
  if (plain) plainFolderIcon_ = index;
  return open ? openIndex : index;
}

std::optional<std::wstring> FolderDetails::FolderTypeName(LPCITEMIDLIST item) const {
  if (!typeColumn_ || !InFileSystem(item)) return std::nullopt;
  SHELLDETAILS details{};
  if (FAILED(typeColumn_->GetDetailsOf(item, kTypeColumn, &details))) return std::nullopt;
  wchar_t text[kTypeNameBuffer] = {};
  // Cut where the shell's own type name field would cut it.
  if (FAILED(StrRetToBufW(&details.str, item, text, kTypeNameBuffer))) return std::nullopt;
  return std::wstring(text);
}

std::optional<std::wstring> FolderDetails::FolderItemPath(LPCITEMIDLIST item) const {
  if (!InFileSystem(item)) return std::nullopt;
  std::wstring path = ParsingNameOf(*folder_, item, folderPath_);
  if (path.empty()) return std::nullopt;
  return path;
}

std::int32_t FolderDetails::SystemIconIndex(LPCITEMIDLIST item, LPCITEMIDLIST PIDL, bool large,
                                            bool open) const {
  const std::optional<std::int32_t> index = FolderIconIndex(item, open);
  return index ? *index : fm::SystemIconIndex(PIDL, large, open);
}

std::wstring FolderDetails::TypeName(LPCITEMIDLIST item, LPCITEMIDLIST PIDL) const {
  std::optional<std::wstring> name = FolderTypeName(item);
  return name ? std::move(*name) : TypeNameOf(PIDL);
}

std::wstring FolderDetails::Path(LPCITEMIDLIST item, LPCITEMIDLIST PIDL) const {
  std::optional<std::wstring> path = FolderItemPath(item);
  return path ? std::move(*path) : PathFromIDList(PIDL);
}

}  // namespace fm
