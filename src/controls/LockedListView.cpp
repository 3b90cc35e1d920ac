#include "controls/Vcl_Interceptors.h"

namespace Vcl_Interceptors {

TListView::TListView(fm::ui::TControl& parent, std::wstring name,
                     std::vector<fm::ui::TListColumn> columns)
    : fm::ui::TListView(parent, std::move(name), std::move(columns)) {
  SetLockHeader(true);
}

TListView::~TListView() { SetLockHeader(false); }

LRESULT TListView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The header tells the list first; an answer of 1 to the start of a drag keeps the
  // divider where it is, and a swallowed divider double-click never fits the column.
  // Only the wide forms come from the header of a Unicode window.
  if (fLockHeader && message == WM_NOTIFY) {
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code == HDN_BEGINTRACKW || code == HDN_DIVIDERDBLCLICKW) return 1;
  }
  return fm::ui::TListView::WndProc(message, wParam, lParam);
}

}  // namespace Vcl_Interceptors
