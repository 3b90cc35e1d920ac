// What each row of a pane's list shows, and finding a row by typed text.
#include "Pane.h"
#include "core/IncrementalFind.h"
#include "core/RowText.h"
#include "platform/Locale.h"

namespace PaneUnit {

bool TPane::RowNamesFile(std::int32_t row) {
  // Outside a paint nothing says when an answer goes stale: the file system is asked.
  if (!View->Painting()) return FFileExists(GetItem(row)->FullPath());
  const auto known = FRowNamesFile.find(row);
  if (known != FRowNamesFile.end()) return known->second;
  const bool isFile = FFileExists(GetItem(row)->FullPath());
  FRowNamesFile.emplace(row, isFile);
  return isFile;
}

void TPane::ViewData(fm::ui::TListItem& Item) {
  if (Item.Index < 0 || Item.Index >= ItemCount()) return;
  const TLeftShellItem& it = *GetItem(Item.Index);
  Item.ImageIndex = it.ImageIndex;
  const fm::RowSizeAndCaption sizeAndCaption =
      fm::SizeAndCaption(RowNamesFile(Item.Index), static_cast<std::uint32_t>(it.Attributes), it.Empty ? 0 : it.Size,
                         it.DisplayName(), it.FullPath(), fm::LocaleDecimalSeparator());
  Item.Caption = sizeAndCaption.caption;
  Item.SubItems = {sizeAndCaption.size, it.TypeName(), it.ModDate(),
                   fm::AttributeLetters(static_cast<std::uint32_t>(it.Attributes))};
}

void TPane::ViewDataFind(fm::ui::TItemFind Find, const std::wstring& FindString, POINT, void*,
                         std::int32_t StartIndex, fm::ui::TSearchDirection, bool Wrap, int& Index) {
  if (Find != fm::ui::TItemFind::ifPartialString && Find != fm::ui::TItemFind::ifExactString) return;
  // The find looks at the shell's names, not at the captions shown.
  Index = fm::FindRowByPrefix(FindString, StartIndex, Wrap, ItemCount(),
                              [this](int row) { return GetItem(row)->DisplayName(); });
}

}  // namespace PaneUnit
