// The shell namespace services the browser calls. Calls whose result must be a success
// raise fm::Error with the system's text for the result code.
#pragma once

#include <shlobj.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ComPtr.h"
#include "platform/ShellItemIdList.h"

namespace fm {

ComPtr<IShellFolder> DesktopFolder();

// The absolute list of a special folder such as CSIDL_DRIVES.
ItemIdList SpecialFolderLocation(HWND owner, int csidl);

// text parsed by folder: a list relative to folder (absolute when folder is the desktop).
ItemIdList ParseDisplayName(IShellFolder& folder, HWND owner, const std::wstring& text);

// The list of the item name in folder made from what the file system told of it (found),
// the shell not looking at the disk: for an item the file system has and the shell does not
// know yet. Empty when the shell makes none.
ItemIdList ParseFoundItem(IShellFolder& folder, const std::wstring& name, const WIN32_FILE_ATTRIBUTE_DATA& found);

ComPtr<IShellFolder> BindToFolder(IShellFolder& folder, LPCITEMIDLIST list);

// Null when the folder succeeds without an enumerator: a folder with nothing to list.
ComPtr<IEnumIDList> EnumObjects(IShellFolder& folder, HWND owner, SHCONTF flags);

// The item's parsing name (forParsing) or the name shown to the user; empty when the
// folder has none.
std::wstring DisplayNameOf(IShellFolder& folder, LPCITEMIDLIST item, bool forParsing);
// The same with the folder's own name flags (SHGDN_*).
std::wstring DisplayNameAs(IShellFolder& folder, LPCITEMIDLIST item, SHGDNF flags);

// The item's parsing name, whole: the shell may cut it at the classic path limit (Wine
// does), and a name that long which does not end with the item's own name in its folder
// is made anew from folderPath, the folder's own path.
std::wstring ParsingNameOf(IShellFolder& folder, LPCITEMIDLIST item, const std::wstring& folderPath);

// The file system path of the folder itself; empty for a virtual folder.
std::wstring FolderPath(IShellFolder& folder);

// The file system path of an absolute list; empty for a virtual folder.
std::wstring PathFromIDList(LPCITEMIDLIST list);

// Raises the system's error when the file system will not list the folder at path: Wine's
// shell enumerates a folder the user may not read, or a drive whose target is gone, as an
// empty folder, where Windows refuses it.
void RaiseUnlessListable(const std::wstring& path);

// Whether path names an existing file (folder), following links: a link whose target is
// missing is neither.
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
// The size the file system gives for a plain file's own path (not a folder, not a link);
// none for anything else. A name ending in a dot or blank is asked in its "\\?\" form,
// which keeps the ending that would otherwise lead to a sibling.
std::optional<std::uint64_t> PlainFileSize(const std::wstring& path);

// The system's image list (of rows' icons) whose icons come nearest to size pixels, the
// larger on a tie; all of them share one index. Null when the system offers none.
HIMAGELIST NearestSystemImageList(int size);

}  // namespace fm
