// The info tip of a row of a pane's list: the facts of its file, read anew each time the
// pointer comes to rest on the row, so a file changed on disk shows its new facts.
#include "Pane.h"
#include "core/InfoTipText.h"
#include "core/PathText.h"
#include "helpers/VersionInfo.h"

namespace PaneUnit {

void TPane::ViewInfoTip(fm::ui::TListItem& Item, std::wstring& InfoTip) {
  if (Item.Index < 0 || Item.Index >= ItemCount()) return;
  myHelper::TFileVersionInfo info;
  const std::wstring path = GetItem(Item.Index)->FullPath();
  if (fm::EndingIsStripped(path)) {
    // The system's readers would describe the sibling: "report.txt." is "report.txt" to
    // them, the version reader's loader drops a final dot even after "\\?\". Such an
    // item is told by its location and size alone.
    info.FileName = path;
  } else {
    myHelper::ReadFileVersionInfo(info, path);
  }
  // The Size column as the row shows it decides the size line.
  const std::wstring size = Item.SubItems.empty() ? std::wstring() : Item.SubItems.front();
  InfoTip = fm::InfoTipText(info, size);
}

}  // namespace PaneUnit
