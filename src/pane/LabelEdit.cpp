// Captions edited in place: only a drive row can be edited, and its edit sets the volume's
// label. Files and folders are never renamed here.
#include <windows.h>

#include "Pane.h"
#include "core/PathText.h"
#include "core/VolumeLabel.h"
#include "platform/Shell.h"

namespace PaneUnit {

std::wstring TPane::DriveRootOf(std::int32_t row) {
  if (row < 0 || row >= ItemCount()) return {};
  // The row's own parsing name: a link to a drive root has the root as its final path,
  // but is no drive.
  std::wstring root = fm::DisplayNameOf(*FIShellFolder, GetItem(row)->ID(), true);
  return fm::IsDriveRoot(root) ? root : std::wstring();
}

void TPane::ViewEditing(fm::ui::TListItem& Item, bool& AllowEdit) {
  FIsVolume = !DriveRootOf(Item.Index).empty();
  AllowEdit = FIsVolume;
}

void TPane::ViewEdited(fm::ui::TListItem& Item, std::wstring& S) {
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

}  // namespace PaneUnit
