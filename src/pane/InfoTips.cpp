// The info tip of a row of a pane's list: the facts of its file, read anew each time the
// pointer comes to rest on the row, so a file changed on disk shows its new facts.
#include "Pane.h"
#include "core/InfoTipText.h"
#include "helpers/VersionInfo.h"

namespace PaneUnit {

void TPane::ViewInfoTip(fm::ui::TListItem& Item, std::wstring& InfoTip) {
  if (Item.Index < 0 || Item.Index >= ItemCount()) return;
  myHelper::TFileVersionInfo info;
  myHelper::ReadFileVersionInfo(info, GetItem(Item.Index)->FullPath);
  // The Size column as the row shows it decides the size line.
  const std::wstring size = Item.SubItems.empty() ? std::wstring() : Item.SubItems.front();
  InfoTip = fm::InfoTipText(info, size);
}

}  // namespace PaneUnit
