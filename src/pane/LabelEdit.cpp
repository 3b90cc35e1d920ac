// Captions edited in place: only a drive row's edit means something, and it sets the
// volume's label. Files and folders are never renamed here.
#include <windows.h>

#include "Pane.h"
#include "core/VolumeLabel.h"
#include "ui/Application.h"

namespace PaneUnit {

void TPane::ViewEditing(fm::ui::TListItem& Item, bool&) {
  FIsVolume = false;
  if (Item.Index >= 0) FIsVolume = fm::IsVolumeCaption(View->ItemData(Item.Index).Caption);
}

void TPane::ViewEdited(fm::ui::TListItem& Item, std::wstring& S) {
  if (Item.Index < 0 || !FIsVolume) return;
  const fm::VolumeLabelRequest request = fm::LabelRequestOf(S);
  S = request.label;
  // Never a null label: an empty one is an empty string, which clears the label.
  const bool succeeded = SetVolumeLabelW(request.root.c_str(), request.label.c_str()) != 0;
  fm::ui::Application().ShowMessage(fm::LabelResultText(succeeded, request));
}

}  // namespace PaneUnit
