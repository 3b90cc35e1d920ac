// What each row of the left list shows, and finding a row by typed text.
#include "MainUnit.h"
#include "core/IncrementalFind.h"
#include "core/RowText.h"
#include "platform/Locale.h"

namespace MainUnit {

bool TMain::RowNamesFile(std::int32_t row) {
  // Outside a paint nothing says when an answer goes stale: the file system is asked.
  if (!LeftView->Painting()) return FFileExists(GetLeftItem(row)->FullPath);
  const auto known = FRowNamesFile.find(row);
  if (known != FRowNamesFile.end()) return known->second;
  const bool isFile = FFileExists(GetLeftItem(row)->FullPath);
  FRowNamesFile.emplace(row, isFile);
  return isFile;
}

void TMain::LeftViewData(fm::ui::TListItem& Item) {
  if (Item.Index < 0 || Item.Index >= LeftItemCount()) return;
  const TLeftShellItem& it = *GetLeftItem(Item.Index);
  Item.ImageIndex = it.ImageIndex;
  const fm::RowSizeAndCaption sizeAndCaption =
      fm::SizeAndCaption(RowNamesFile(Item.Index), static_cast<std::uint32_t>(it.Attributes), it.Size,
                         it.DisplayName, it.FullPath, fm::LocaleDecimalSeparator());
  Item.Caption = sizeAndCaption.caption;
  Item.SubItems = {sizeAndCaption.size, it.TypeName, it.ModDate,
                   fm::AttributeLetters(static_cast<std::uint32_t>(it.Attributes))};
}

void TMain::LeftViewDataFind(fm::ui::TItemFind Find, const std::wstring& FindString, POINT, void*,
                             std::int32_t StartIndex, fm::ui::TSearchDirection, bool Wrap, int& Index) {
  if (Find != fm::ui::TItemFind::ifPartialString && Find != fm::ui::TItemFind::ifExactString) return;
  // The find looks at the shell's names, not at the captions shown.
  Index = fm::FindRowByPrefix(FindString, StartIndex, Wrap, LeftItemCount(),
                              [this](int row) -> std::wstring_view { return GetLeftItem(row)->DisplayName; });
}

}  // namespace MainUnit
