// The list's pre-paint and the colour and style of each row and cell.
#include "Pane.h"
#include "core/RowStyle.h"

namespace PaneUnit {

namespace {
constexpr int kNameHeaderImage = 6;
}

void SetHeaderImage(TListView& ListView, int Index, int ImageIndex) {
  HWND header = ListView_GetHeader(ListView.Handle());
  HDITEMW item{};
  item.mask = HDI_FORMAT | HDI_IMAGE;
  // Setting an item repaints the whole header: only a change is written.
  if (SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)) &&
      item.fmt == (HDF_STRING | HDF_IMAGE) && item.iImage == ImageIndex) {
    return;
  }
  item.fmt = HDF_STRING | HDF_IMAGE;
  item.iImage = ImageIndex;
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
}

void TPane::ViewCustomDraw(const RECT&, bool&) {
  // Every paint tests the files afresh.
  FRowNamesFile.clear();
  // Applied on every paint, whatever changed them in between.
  SetBkMode(View->Canvas().Handle(), TRANSPARENT);
  ListView_SetTextBkColor(View->Handle(), CLR_NONE);
  ListView_SetBkColor(View->Handle(), CLR_NONE);
  SetHeaderImage(*View, 0, kNameHeaderImage);
}

void TPane::ViewCustomDrawItem(fm::ui::TListItem* Item, UINT, bool&) {
  if (!Item || Item->Index < 0 || Item->Index >= ItemCount()) return;
  const TLeftShellItem& it = *GetItem(Item->Index);
  fm::RowFacts facts;
  facts.attributes = static_cast<std::uint32_t>(it.Attributes);
  facts.isExistingFile = RowNamesFile(Item->Index);
  const std::wstring fullPath = it.FullPath();
  facts.fullPath = fullPath;
  facts.displayName = it.DisplayName();
  facts.size = it.Empty ? 0 : it.Size;
  facts.shownFolder = FPath;
  const fm::RowStyle style = fm::RowStyleOf(facts);
  TCanvas& canvas = View->Canvas();
  canvas.SetFontStyle({style.bold, style.italic});
  canvas.SetFontColor(style.color);
}

void TPane::ViewCustomDrawSubItem(fm::ui::TListItem*, int SubItem, UINT, bool&) {
  if (SubItem == 0) return;
  // A font of its own, even where it equals the list's: the cell never keeps the row's.
  TCanvas& canvas = View->Canvas();
  canvas.SetFontStyle({fm::kPlainCell.bold, fm::kPlainCell.italic});
  canvas.SetFontColor(fm::ui::clDefault);
  canvas.SetFontColor(fm::kPlainCell.color);
}

}  // namespace PaneUnit
