#include "core/FileCommandText.h"

#include "core/PathText.h"

namespace fm {

namespace {

std::wstring Items(std::uint64_t count) { return std::to_wstring(count) + (count == 1 ? L" item" : L" items"); }

std::wstring Quoted(std::wstring_view path) { return L"\"" + FileNamePart(path) + L"\""; }

// One item by its name, several by their count.
std::wstring Subject(const std::vector<std::wstring>& paths) {
  return paths.size() == 1 ? Quoted(paths.front()) : Items(paths.size());
}

}  // namespace

std::wstring CopyMovePrompt(FileCommand command, std::uint64_t items) {
  return std::wstring(command == FileCommand::Move ? L"Move " : L"Copy ") + Items(items) + L" to:";
}

std::wstring DeleteQuestion(const std::vector<std::wstring>& paths, bool permanently) {
  if (!permanently) return L"Send " + Subject(paths) + L" to the Recycle Bin?";
  return L"Delete " + Subject(paths) + L" permanently? " +
         (paths.size() == 1 ? L"It cannot be restored." : L"They cannot be restored.");
}

std::wstring JobTitle(FileCommand command, const std::vector<std::wstring>& paths, std::wstring_view target) {
  switch (command) {
    case FileCommand::Copy:
      return L"Copying " + Subject(paths) + L" to " + std::wstring(target);
    case FileCommand::Move:
      return L"Moving " + Subject(paths) + L" to " + std::wstring(target);
    case FileCommand::Delete:
      return L"Deleting " + Subject(paths);
  }
  return {};
}

std::wstring TypedTargetPath(std::wstring_view typed, std::wstring_view base) {
  const size_t first = typed.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  typed = typed.substr(first, typed.find_last_not_of(L' ') - first + 1);
  const bool driveLetter = (typed[0] >= L'a' && typed[0] <= L'z') || (typed[0] >= L'A' && typed[0] <= L'Z');
  if (typed.size() == 2 && typed[1] == L':' && driveLetter) return std::wstring(typed) + L'\\';
  std::wstring path = IsDriveLetterPath(typed) || typed.starts_with(L"\\\\") ? std::wstring(typed)
                                                                             : JoinPath(base, typed);
  // A blank before a final backslash would stay the folder's last character otherwise.
  while (path.size() > 2 && (path.back() == L'\\' || path.back() == L' ') && !IsDriveRoot(path)) path.pop_back();
  return path;
}

}  // namespace fm
