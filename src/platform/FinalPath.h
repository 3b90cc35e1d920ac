// The normalised final path of a file or folder: links, junctions and substituted drives
// resolved, with the drive letter and the letter case the file system keeps.
#pragma once

#include <optional>
#include <string>

#include "platform/PathKind.h"

namespace fm {

struct FinalPath {
  // The final path, or the path asked about where the system gives none.
  std::wstring path;
  // What path names; known only for a final path the system gave.
  std::optional<PathKind> kind;
  // A final path the system gave that names neither file nor folder; the caller tells
  // the user, and path is then the path asked about.
  std::wstring namesNothing;
};

// Opens path without access rights and asks the system for the handle's final path.
// A path that cannot be opened, and one whose final path the system cannot give (Wine
// gives none from 264 characters on), stays as it is.
FinalPath GetFinalPath(const std::wstring& path);

}  // namespace fm
