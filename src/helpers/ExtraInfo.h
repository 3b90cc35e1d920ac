// Extra description lines of a file or folder: the desktop.ini that governs it, the shell
// class that desktop.ini names, and the registered name of a font file.
#pragma once

#include <functional>
#include <string>

namespace myHelper {

// The extra lines for a path, separated by CR LF; empty when there are none.
std::wstring FileExtraInfo(const std::wstring& Path);

// The lines of one desktop.ini file, then those of the class key its CLSID keys name. The
// file is read once, up to its first 64 KiB; of its lines no more are made than a tip
// shows.
std::wstring DesktopIniInfoTips(const std::wstring& IniPath);

// "Font: (Registry) " and the name the font list gives the file; empty when none does.
std::wstring FontRegistryName(const std::wstring& Path);

// Text with its environment variables expanded, however long the result; Text itself
// when expansion fails.
std::wstring ExpandEnvText(const std::wstring& Text);

// A reference "[@]file,[-]number" replaced by "(Library: file) " and the library's
// string, a relative file taken under Folder. Only a library on a drive of this machine
// is looked at, and only read for its resources: none of its code runs.
std::wstring ResolveIndirectString(const std::wstring& Text, const std::wstring& Folder);

// Every path that a reference makes the program look at (whether it exists, its strings)
// is handed to the watcher first; an empty watcher ends the watch.
using ReferencedPathWatcher = std::function<void(const std::wstring&)>;
void WatchReferencedPaths(ReferencedPathWatcher watcher);

}  // namespace myHelper
