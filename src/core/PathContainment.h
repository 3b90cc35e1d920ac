// Whether a copy or move would put a folder into itself or an item onto itself, decided on
// the path texts before anything is written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fm {

// A path as Windows compares paths: "\\?\" and "\\?\UNC\" forms as their plain forms,
// "/" as "\", trailing separators dropped (a drive root keeps its own), letters folded to
// upper case (ASCII, Latin-1, Greek and Cyrillic, as the file system's case table does for
// them).
std::wstring ComparablePath(std::wstring_view path);

// True when path is folder itself or lies anywhere inside it ("C:\a\b" in "C:\a", but
// "C:\ab" not in "C:\a").
bool IsSameOrInside(std::wstring_view path, std::wstring_view folder);

struct TransferSource {
  std::wstring path;
  bool isFolder = false;
};

enum class TransferRefusal { None, IntoItself, OntoItself };

struct TransferCheck {
  TransferRefusal refusal = TransferRefusal::None;
  std::wstring source;  // the item refused
};

// Refuses a folder whose target folder is the folder itself or inside it, and an item whose
// target path is its own path. targetName, when not empty, names the single item anew. A
// move that only changes the letter case of a name is a rename and is allowed.
TransferCheck CheckTransfer(const std::vector<TransferSource>& sources,
                            std::wstring_view targetFolder, std::wstring_view targetName,
                            bool isMove);

// A path in the form that every file call accepts beyond 260 characters: "C:\x" as
// "\\?\C:\x", "\\server\share" as "\\?\UNC\server\share"; other texts as they are.
std::wstring ExtendedLengthPath(std::wstring_view path);

}  // namespace fm
