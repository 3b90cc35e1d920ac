// An item's icon in the system image list, its type name and its path, asked through the
// bound folder with the item's relative list wherever the folder can answer. A call on an
// item's absolute list binds the item's folder anew from the desktop each time, which
// under Wine reads the whole folder: its cost grows with the folder, the folder's own
// answers cost the same at any size.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ComPtr.h"

namespace fm {

// The icon's index in the system image list (the large one when large, the small one
// otherwise; the open folder's icon when open), asked about the absolute list PIDL: a
// folder by its path, anything else by the list. 0 when the shell has none.
std::int32_t SystemIconIndex(LPCITEMIDLIST PIDL, bool large, bool open);

// The shell's type name of the item of the absolute list PIDL, at most 80 characters;
// empty when the shell has none.
std::wstring TypeNameOf(LPCITEMIDLIST PIDL);

class FolderDetails {
 public:
  // Answers nothing of its own: every question goes to the absolute calls.
  FolderDetails() = default;
  // folder, bound, with folderPath its own file system path. Only a file system folder
  // answers for its items; the computer folder and other virtual folders do not.
  FolderDetails(ComPtr<IShellFolder> folder, const std::wstring& folderPath);

  // item is relative to the folder, PIDL the same item's absolute list for the calls the
  // folder cannot answer.
  std::int32_t SystemIconIndex(LPCITEMIDLIST item, LPCITEMIDLIST PIDL, bool large, bool open) const;
  std::wstring TypeName(LPCITEMIDLIST item, LPCITEMIDLIST PIDL) const;
  std::wstring Path(LPCITEMIDLIST item, LPCITEMIDLIST PIDL) const;

  // The folder's own answers, which the three above take where there is one; none for an
  // item outside the file system, a shortcut's icon or a call that failed.
  std::optional<std::int32_t> FolderIconIndex(LPCITEMIDLIST item, bool open) const;
  std::optional<std::wstring> FolderTypeName(LPCITEMIDLIST item) const;
  std::optional<std::wstring> FolderItemPath(LPCITEMIDLIST item) const;

 private:
  // The item's SFGAO_FILESYSTEM, SFGAO_LINK and SFGAO_FOLDER bits; none when the folder
  // cannot tell.
  SFGAOF Attributes(LPCITEMIDLIST item) const;
  bool InFileSystem(LPCITEMIDLIST item) const;
  // Whether the item is a file system folder, no link, without a desktop.ini in it.
  bool IsPlainFolder(LPCITEMIDLIST item) const;

  ComPtr<IShellFolder> folder_;
  std::wstring folderPath_;
  // Set only where the folder's details column 2 is the item's type.
  ComPtr<IShellFolder2> typeColumn_;
  // The icon of the folders that no desktop.ini dresses, once the first of them is asked.
  mutable std::optional<std::int32_t> plainFolderIcon_;
};

}  // namespace fm
