// Captions edited in place: only a drive row's edit means something, and it sets the
// volume's label. Files and folders are never renamed here.
#include <windows.h>

#include "MainUnit.h"
#include "core/VolumeLabel.h"
#include "ui/Application.h"

namespace MainUnit {

void TMain::LeftViewEditing(fm::ui::TListItem&, bool&) {
  FLeftIsVolume = false;
  if (const int row = LeftView->SelectedIndex(); row >= 0) {
    FLeftIsVolume = fm::IsVolumeCaption(LeftView->ItemData(row).Caption);
  }
}

void TMain::LeftViewEdited(fm::ui::TListItem&, std::wstring& S) {
  if (LeftView->SelectedIndex() < 0 || !FLeftIsVolume) return;
  const fm::VolumeLabelRequest request = fm::LabelRequestOf(S);
  S = request.label;
  // Never a null label: an empty one is an empty string, which clears the label.
  const bool succeeded = SetVolumeLabelW(request.root.c_str(), request.label.c_str()) != 0;
  fm::ui::Application().ShowMessage(fm::LabelResultText(succeeded, request));
}

}  // namespace MainUnit
