#include "ui/ListView.h"

#include <windowsx.h>

#include <algorithm>

#include "core/ColumnAutoSize.h"
#include "platform/Dpi.h"
#include "ui/Application.h"

namespace fm::ui {

void TCanvas::Reset(HDC dc, const TFont& font, TColor brushColor) {
  dc_ = dc;
  font_ = font;
  brushColor_ = brushColor;
  changed_ = false;
}

void TCanvas::SetFontColor(TColor color) {
  font_.SetColor(color);
  changed_ = true;
}

void TCanvas::SetFontStyle(TFontStyles style) {
  font_.SetStyle(style);
  changed_ = true;
}

void TCanvas::SetBrushColor(TColor color) {
  brushColor_ = color;
  changed_ = true;
}

TListView::TListView(TControl& parent, std::wstring name, std::vector<TListColumn> columns)
    : TControl(&parent, std::move(name)), columns_(std::move(columns)) {
  CreateHandle(WC_LISTVIEWW,
               WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                   LVS_NOSORTHEADER | LVS_EDITLABELS | LVS_SHAREIMAGELISTS,
               WS_EX_CLIENTEDGE);
  // No double buffer of the control's own: a list without a background colour of its
  // own is erased with the control's colour, which that buffer would not show.
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
  for (size_t i = 0; i < columns_.size(); ++i) {
    const TListColumn& column = columns_[i];
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lvc.fmt = column.Alignment == TAlignment::taCenter        ? LVCFMT_CENTER
              : column.Alignment == TAlignment::taRightJustify ? LVCFMT_RIGHT
                                                               : LVCFMT_LEFT;
    lvc.cx = Scaled(column.Width);
    lvc.pszText = const_cast<wchar_t*>(column.Caption.c_str());
    lvc.iSubItem = static_cast<int>(i);
    ListView_InsertColumn(Handle(), static_cast<int>(i), &lvc);
  }
}

TListView::~TListView() = default;

int TListView::ColumnWidth(int index) const { return ListView_GetColumnWidth(Handle(), index); }

HWND TListView::Header() const { return ListView_GetHeader(Handle()); }

int TListView::ItemCount() const { return ListView_GetItemCount(Handle()); }

void TListView::SetItemCount(int count) {
  ListView_SetItemCountEx(Handle(), count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void TListView::BeginUpdate() {
  if (updateCount_++ == 0) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListView::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0) return;
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int TListView::SelectedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void TListView::SelectItem(int index) {
  ClearSelection();
  const UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
  ListView_SetItemState(Handle(), index, mask, mask);
  ListView_EnsureVisible(Handle(), index, TRUE);
}

void TListView::SetMultiSelect(bool multiSelect) {
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  SetWindowLongPtrW(Handle(), GWL_STYLE, multiSelect ? (style & ~LVS_SINGLESEL) : (style | LVS_SINGLESEL));
}

std::vector<int> TListView::SelectedIndexes() const {
  std::vector<int> rows;
  for (int row = ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); row >= 0;
       row = ListView_GetNextItem(Handle(), row, LVNI_SELECTED)) {
    rows.push_back(row);
  }
  return rows;
}

int TListView::SelectedCount() const { return static_cast<int>(ListView_GetSelectedCount(Handle())); }

bool TListView::IsSelected(int index) const {
  return (ListView_GetItemState(Handle(), index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetSelected(int index, bool selected) {
  ListView_SetItemState(Handle(), index, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void TListView::SelectAll() { ListView_SetItemState(Handle(), -1, LVIS_SELECTED, LVIS_SELECTED); }

void TListView::ClearSelection() { ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED); }

int TListView::FocusedIndex() const { return ListView_GetNextItem(Handle(), -1, LVNI_FOCUSED); }

void TListView::FocusItem(int index) {
  ListView_SetItemState(Handle(), index, LVIS_FOCUSED, LVIS_FOCUSED);
  ListView_EnsureVisible(Handle(), index, FALSE);
}

int TListView::ItemAt(POINT client) const {
  LVHITTESTINFO hit{};
  hit.pt = client;
  const int index = ListView_HitTest(Handle(), &hit);
  return (hit.flags & LVHT_ONITEM) ? index : -1;
}

RECT TListView::ItemRect(int index) const {
  RECT rect{};
  ListView_GetItemRect(Handle(), index, &rect, LVIR_BOUNDS);
  return rect;
}

int TListView::TopIndex() const { return ListView_GetTopIndex(Handle()); }

void TListView::SetTopIndex(int index) {
  const int top = TopIndex();
  if (index < 0 || index == top || ItemCount() == 0) return;
  RECT row{};
  ListView_GetItemRect(Handle(), 0, &row, LVIR_BOUNDS);
  const int height = row.bottom - row.top;
  if (height > 0) ListView_Scroll(Handle(), 0, (index - top) * height);
}

void TListView::SetFocusedIndex(int index) {
  const int focused = FocusedIndex();
  if (focused == index) return;
  if (focused >= 0) ListView_SetItemState(Handle(), focused, 0, LVIS_FOCUSED);
  if (index >= 0) ListView_SetItemState(Handle(), index, LVIS_FOCUSED, LVIS_FOCUSED);
}

int TListView::VisibleRowCount() const { return ListView_GetCountPerPage(Handle()); }

void TListView::SetSmallImages(HIMAGELIST images) { ListView_SetImageList(Handle(), images, LVSIL_SMALL); }

void TListView::SetLargeImages(HIMAGELIST images) { ListView_SetImageList(Handle(), images, LVSIL_NORMAL); }

void TListView::SetReadOnly(bool readOnly) {
  const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, readOnly ? (style & ~LVS_EDITLABELS) : (style | LVS_EDITLABELS));
}

bool TListView::ReadOnly() const { return (GetWindowLongW(Handle(), GWL_STYLE) & LVS_EDITLABELS) == 0; }

void TListView::SetColor(TColor color) {
  TControl::SetColor(color);
  ListView_SetBkColor(Handle(), ColorToRGB(color));
  ListView_SetTextBkColor(Handle(), ColorToRGB(color));
}

void TListView::SetFont(const TFont& font) {
  TControl::SetFont(font);
  styledFonts_.clear();
  ListView_SetTextColor(Handle(), ColorToRGB(font.Color()));
}

HFONT TListView::FontFor(TFontStyles style) {
  auto& font = styledFonts_[{style.bold, style.italic}];
  if (!font) {
    font = std::make_unique<TFont>(Font());
    font->SetStyle(style);
  }
  return font->Handle(Dpi());
}

TListItem TListView::ItemData(int index) {
  TListItem item;
  item.Index = index;
  if (OnData) OnData(item);
  return item;
}

void TListView::GetDisplayInfo(NMLVDISPINFOW& info) {
  LVITEMW& lv = info.item;
  // The control asks cell by cell; the whole row is filled each time.
  TListItem item = ItemData(lv.iItem);
  if (lv.mask & LVIF_TEXT && lv.pszText && lv.cchTextMax > 0) {
    const std::wstring* text = nullptr;
    static const std::wstring empty;
    if (lv.iSubItem == 0) {
      text = &item.Caption;
    } else if (static_cast<size_t>(lv.iSubItem) <= item.SubItems.size()) {
      text = &item.SubItems[static_cast<size_t>(lv.iSubItem) - 1];
    } else {
      text = &empty;
    }
    const size_t count = std::min(text->size(), static_cast<size_t>(lv.cchTextMax) - 1);
    std::copy_n(text->data(), count, lv.pszText);
    lv.pszText[count] = L'\0';
  }
  if (lv.mask & LVIF_IMAGE) lv.iImage = item.ImageIndex;
}

LRESULT TListView::FindItem(const NMLVFINDITEMW& find) {
  if (!OnDataFind) return -1;
  const LVFINDINFOW& info = find.lvfi;
  TItemFind kind = TItemFind::ifData;
  if (info.flags & LVFI_PARTIAL) {
    kind = TItemFind::ifPartialString;
  } else if (info.flags & LVFI_STRING) {
    kind = TItemFind::ifExactString;
  } else if (info.flags & LVFI_NEARESTXY) {
    kind = TItemFind::ifNearest;
  }
  TSearchDirection direction = TSearchDirection::sdAll;
  switch (info.vkDirection) {
    case VK_LEFT: direction = TSearchDirection::sdLeft; break;
    case VK_RIGHT: direction = TSearchDirection::sdRight; break;
    case VK_UP: direction = TSearchDirection::sdAbove; break;
    case VK_DOWN: direction = TSearchDirection::sdBelow; break;
    default: break;
  }
  const std::wstring text = (kind == TItemFind::ifPartialString || kind == TItemFind::ifExactString) && info.psz
                                ? std::wstring(info.psz)
                                : std::wstring();
  int index = -1;
  OnDataFind(kind, text, info.pt, reinterpret_cast<void*>(info.lParam), find.iStart, direction,
             (info.flags & LVFI_WRAP) != 0, index);
  return index;
}

void TListView::ApplyCanvas(NMLVCUSTOMDRAW& draw, const TFont& font, TColor brushColor) {
  // Rows and cells mostly ask for the font already selected; selecting it again costs a
  // font lookup in the system at every cell.
  const HFONT handle = FontFor(font.Style());
  if (GetCurrentObject(draw.nmcd.hdc, OBJ_FONT) != handle) SelectObject(draw.nmcd.hdc, handle);
  draw.clrText = ColorToRGB(font.Color());
  draw.clrTextBk = ColorToRGB(brushColor);
}

LRESULT TListView::CustomDraw(NMLVCUSTOMDRAW& draw) {
  const DWORD stage = draw.nmcd.dwDrawStage;
  const bool wantsItems = OnCustomDrawItem || OnCustomDrawSubItem;
  if (stage == CDDS_PREPAINT) {
    canvas_.Reset(draw.nmcd.hdc, Font(), Color());
    bool defaultDraw = true;
    if (OnCustomDraw) OnCustomDraw(draw.nmcd.rc, defaultDraw);
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    return wantsItems ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
  }
  TListItem item;
  item.Index = static_cast<int>(draw.nmcd.dwItemSpec);
  if (stage == CDDS_ITEMPREPAINT) {
    listText_ = draw.clrText;
    listTextBk_ = draw.clrTextBk;
    listFont_ = GetCurrentObject(draw.nmcd.hdc, OBJ_FONT);
    cellChanged_ = false;
    canvas_.Reset(draw.nmcd.hdc, Font(), Color());
    bool defaultDraw = true;
    if (OnCustomDrawItem) OnCustomDrawItem(&item, draw.nmcd.uItemState, defaultDraw);
    rowChanged_ = canvas_.Changed();
    LRESULT result = OnCustomDrawSubItem ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
    if (rowChanged_) {
      rowFont_ = canvas_.Font();
      rowBrush_ = canvas_.BrushColor();
      ApplyCanvas(draw, rowFont_, rowBrush_);
      result |= CDRF_NEWFONT;
    }
    return defaultDraw ? result : CDRF_SKIPDEFAULT;
  }
  if (stage == (CDDS_ITEMPREPAINT | CDDS_SUBITEM)) {
    canvas_.Reset(draw.nmcd.hdc, Font(), Color());
    bool defaultDraw = true;
    if (OnCustomDrawSubItem) OnCustomDrawSubItem(&item, draw.iSubItem, draw.nmcd.uItemState, defaultDraw);
    if (!defaultDraw) return CDRF_SKIPDEFAULT;
    // A cell whose handler changed nothing keeps the row's choice.
    if (canvas_.Changed()) {
      ApplyCanvas(draw, canvas_.Font(), canvas_.BrushColor());
      cellChanged_ = true;
      return CDRF_NEWFONT;
    }
    if (rowChanged_) {
      ApplyCanvas(draw, rowFont_, rowBrush_);
      return CDRF_NEWFONT;
    }
    if (cellChanged_) {
      // The control keeps a cell's font and colours for the next cells of the row.
      if (listFont_) SelectObject(draw.nmcd.hdc, listFont_);
      draw.clrText = listText_;
      draw.clrTextBk = listTextBk_;
      return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
  }
  return CDRF_DODEFAULT;
}

bool TListView::Notify(NMHDR& header, LRESULT& result) {
  switch (header.code) {
    case LVN_GETDISPINFOW:
      GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
      result = 0;
      return true;
    case LVN_ODCACHEHINT: {
      const auto& hint = reinterpret_cast<NMLVCACHEHINT&>(header);
      if (OnDataHint) OnDataHint(hint.iFrom, hint.iTo);
      result = 0;
      return true;
    }
    case LVN_ODFINDITEMW:
      result = FindItem(reinterpret_cast<NMLVFINDITEMW&>(header));
      return true;
    case NM_CUSTOMDRAW:
      result = CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
      return true;
    case LVN_GETINFOTIPW: {
      // Only some list views send this; the application's own hint handling serves
      // the others. Both ask the same event.
      auto& tip = reinterpret_cast<NMLVGETINFOTIPW&>(header);
      if (OnInfoTip && tip.pszText && tip.cchTextMax > 0) {
        TListItem item = ItemData(tip.iItem);
        std::wstring text = item.Caption;
        OnInfoTip(item, text);
        lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
      }
      result = 0;
      return true;
    }
    case LVN_BEGINLABELEDITW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      TListItem item = ItemData(info.item.iItem);
      bool allowEdit = true;
      if (OnEditing) OnEditing(item, allowEdit);
      result = allowEdit ? FALSE : TRUE;
      return true;
    }
    case LVN_ENDLABELEDITW: {
      auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
      if (!info.item.pszText) {
        result = FALSE;
        return true;
      }
      TListItem item = ItemData(info.item.iItem);
      std::wstring text = info.item.pszText;
      if (OnEdited) OnEdited(item, text);
      result = FALSE;
      return true;
    }
    case NM_DBLCLK:
      if (OnDblClick) OnDblClick();
      result = 0;
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
      if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) &&
          OnSelectionChange) {
        OnSelectionChange();
      }
      result = 0;
      return true;
    }
    case LVN_ODSTATECHANGED: {
      // A range of rows of an owner-data list changed at once.
      const auto& change = reinterpret_cast<NMLVODSTATECHANGE&>(header);
      if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && OnSelectionChange) OnSelectionChange();
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

LRESULT TListView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      struct PaintScope {
        int& depth;
        explicit PaintScope(int& d) : depth(++d) {}
        ~PaintScope() { --depth; }
      } painting(paintDepth_);
      return TControl::WndProc(message, wParam, lParam);
    }
    case WM_ERASEBKGND:
      // Behind the rows lies the control's colour, whatever the list's own setting.
      if (ListView_GetBkColor(Handle()) == CLR_NONE) {
        RECT client;
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_.Handle());
        return 1;
      }
      break;
    case WM_SETFOCUS:
      if (OnEnter) {
        const LRESULT result = TControl::WndProc(message, wParam, lParam);
        OnEnter();
        return result;
      }
      break;
    case WM_SYSKEYDOWN:
      // F10 comes as a system key; Shift+F10 is the context menu's key.
      if (wParam != VK_F10) break;
      [[fallthrough]];
    case WM_KEYDOWN:
      if (OnKeyDown) {
        Application().CancelHint();
        WORD key = static_cast<WORD>(wParam);
        OnKeyDown(key, CurrentShiftState());
        if (key == 0) return 0;
        return DefaultProc(message, key, lParam);
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      if (OnMouseDown) {
        TShiftState shift = CurrentShiftState();
        shift.Double = message == WM_LBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
        const TMouseButton button =
            (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) ? TMouseButton::mbLeft : TMouseButton::mbMiddle;
        OnMouseDown(button, shift, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      }
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (OnMouseDown) {
        // The control selects the row under the pointer and holds the press until the
        // button is released; the event then sees the selection the press made. Run
        // once only: the control's own handling is not to be repeated after an error.
        const LRESULT result = TControl::WndProc(message, wParam, lParam);
        TShiftState shift = CurrentShiftState();
        shift.Double = message == WM_RBUTTONDBLCLK;
        CallHandler([&] { OnMouseDown(TMouseButton::mbRight, shift, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
        return result;
      }
      break;
    default:
      break;
  }
  return TControl::WndProc(message, wParam, lParam);
}

void TListView::DpiChanged() {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (!columns_[i].AutoSize)
      ListView_SetColumnWidth(Handle(), static_cast<int>(i), Scaled(columns_[i].Width));
  }
  AutoSizeColumns();
}

void TListView::Resized() {
  AutoSizeColumns();
  TControl::Resized();
}

void TListView::AutoSizeColumns() {
  if (sizingColumns_) return;
  bool any = false;
  std::vector<ColumnSizing> sizing;
  for (const TListColumn& column : columns_) {
    sizing.push_back(
        {column.AutoSize, Scaled(column.Width), Scaled(column.MinWidth), Scaled(column.MaxWidth)});
    any = any || column.AutoSize;
  }
  if (!any) return;
  // The columns share the client width, which leaves out a shown vertical scroll bar.
  sizingColumns_ = true;
  const std::vector<int> widths = fm::AutoSizeColumns(sizing, ClientWidth());
  for (size_t i = 0; i < widths.size(); ++i) {
    if (ListView_GetColumnWidth(Handle(), static_cast<int>(i)) != widths[i]) {
      ListView_SetColumnWidth(Handle(), static_cast<int>(i), widths[i]);
    }
  }
  sizingColumns_ = false;
}

bool TListView::HintAt(POINT point, RECT& bounds) {
  if (!OnInfoTip) return TControl::HintAt(point, bounds);
  if (!ShowHint()) return false;
  // Each row has a tip of its own; below the rows there is none.
  const int index = ItemAt(point);
  if (index < 0 || index >= ItemCount()) return false;
  bounds = ItemRect(index);
  return true;
}

std::wstring TListView::HintText(POINT point) {
  if (!OnInfoTip) return TControl::HintText(point);
  const int index = ItemAt(point);
  if (index < 0 || index >= ItemCount()) return {};
  // The tip starts as the row's caption; the handler replaces it.
  TListItem item = ItemData(index);
  std::wstring text = item.Caption;
  OnInfoTip(item, text);
  return text;
}

POINT TListView::HintPosition(POINT cursorScreen, const RECT& bounds, int& maxWidth) {
  if (!OnInfoTip) return TControl::HintPosition(cursorScreen, bounds, maxWidth);
  // At the row's top left corner, moved by the size of the mouse cursor.
  POINT position{bounds.left, bounds.top};
  ClientToScreen(Handle(), &position);
  position.x += SystemMetricForDpi(SM_CXCURSOR, Dpi());
  position.y += SystemMetricForDpi(SM_CYCURSOR, Dpi());
  maxWidth = ClientWidth();
  return position;
}

}  // namespace fm::ui
