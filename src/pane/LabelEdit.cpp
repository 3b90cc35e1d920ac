// Captions edited in place: a drive row's edit sets the volume's label; a file's or
// folder's edit, started by the rename key only, renames the item in its folder.
#include <windows.h>

#include "Pane.h"
#include "core/ItemName.h"
#include "core/PathText.h"
#include "core/VolumeLabel.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace PaneUnit {

std::wstring TPane::DriveRootOf(std::int32_t row) {
  if (row < 0 || row >= ItemCount()) return {};
  // The row's own parsing name: a link to a drive root has the root as its final path,
  // but is no drive.
  std::wstring root = fm::DisplayNameOf(*FIShellFolder, GetItem(row)->ID(), true);
  return fm::IsDriveRoot(root) ? root : std::wstring();
}

void TPane::StartRename() {
  const int row = View->FocusedIndex() >= 0 ? View->FocusedIndex() : CurrentRow();
  // The computer folder's rows are drives, whose captions are labels, not names.
  if (row < 0 || FFileSystemFolder.empty()) {
    Host.Beep();
    return;
  }
  FRenameAsked = true;
  ListView_EditLabel(View->Handle(), row);
  FRenameAsked = false;
}

void TPane::ViewEditing(fm::ui::TListItem& Item, bool& AllowEdit) {
  FIsRename = FRenameAsked;
  FIsVolume = !FIsRename && !DriveRootOf(Item.Index).empty();
  AllowEdit = FIsRename || FIsVolume;
}

void TPane::ViewEdited(fm::ui::TListItem& Item, std::wstring& S) {
  if (FIsRename) {
    FIsRename = false;
    RenameRow(Item.Index, S);
    return;
  }
  if (!FIsVolume) return;
  const std::wstring root = DriveRootOf(Item.Index);
  if (root.empty()) return;
  S = fm::VolumeLabelOf(S);
  // Never a null label: an empty one is an empty string, which clears the label.
  const bool succeeded = SetVolumeLabelW(root.c_str(), S.c_str()) != 0;
  // Told once the list has ended the edit: a box inside its notification would run
  // while the edit box still stands.
  Host.ShowMessageLater(fm::LabelResultText(succeeded, S, root));
}

void TPane::RenameRow(std::int32_t row, const std::wstring& NewName) {
  if (row < 0 || row >= ItemCount()) return;
  const std::wstring source = ParsingPath(*GetItem(row));
  const std::wstring oldName = fm::FileNamePart(source);
  if (NewName == oldName) return;
  if (const fm::NameProblem problem = fm::ProblemOfName(NewName); problem != fm::NameProblem::None) {
    Host.ShowMessageLater(fm::NameProblemText(problem, NewName));
    return;
  }
  const std::wstring target = fm::JoinPath(FFileSystemFolder, NewName);
  // A change of letter case alone names the item itself.
  const bool sameItem = CompareStringOrdinal(oldName.c_str(), -1, NewName.c_str(), -1, TRUE) == CSTR_EQUAL;
  if (!sameItem && GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
    Host.ShowMessageLater(fm::NameExistsText(NewName, FFileSystemFolder));
    return;
  }
  // Without the replace flag the system never puts the item in place of another.
  if (!MoveFileExW(source.c_str(), target.c_str(), 0)) {
    Host.ShowMessageLater(L"\"" + oldName + L"\" could not be renamed: " + fm::SystemMessage(GetLastError()));
    return;
  }
  Host.RenamedInPlace(*this, NewName);
}

}  // namespace PaneUnit
