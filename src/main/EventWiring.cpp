// Which handler of the window answers which event of its controls.
#include "MainUnit.h"
#include "ui/Application.h"

namespace MainUnit {

void TMain::WireEvents() {
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnResize = [this] { FormResize(); };
  mmExit->OnClick = [this] { mmExitClick(); };
  mnuAbout->OnClick = [this] { mnuAboutClick(); };
  DrivesLeft->OnChange = [this] { DrivesLeftChange(); };
  cbLeftPath->OnKeyDown() = [this](WORD& key, fm::ui::TShiftState shift) { cbLeftPathKeyDown(key, shift); };
  cbLeftPath->OnClick = [this] { cbLeftPathClick(); };
  BtnLeftBack->OnClick = [this] { BtnLeftBackClick(); };
  BtnLeftRoot->OnClick = [this] { BtnLeftRootClick(); };
  LeftView->OnDataHint = [this](int start, int end) { LeftViewDataHint(start, end); };
  LeftView->OnData = [this](fm::ui::TListItem& item) { LeftViewData(item); };
  LeftView->OnDataFind = [this](fm::ui::TItemFind find, const std::wstring& text, POINT position, void* data,
                                int start, fm::ui::TSearchDirection direction, bool wrap, int& index) {
    LeftViewDataFind(find, text, position, data, start, direction, wrap, index);
  };
  LeftView->OnCustomDraw = [this](const RECT& rect, bool& defaultDraw) { LeftViewCustomDraw(rect, defaultDraw); };
  LeftView->OnCustomDrawItem = [this](fm::ui::TListItem* item, UINT state, bool& defaultDraw) {
    LeftViewCustomDrawItem(item, state, defaultDraw);
  };
  LeftView->OnCustomDrawSubItem = [this](fm::ui::TListItem* item, int subItem, UINT state, bool& defaultDraw) {
    LeftViewCustomDrawSubItem(item, subItem, state, defaultDraw);
  };
  LeftView->OnInfoTip = [this](fm::ui::TListItem& item, std::wstring& tip) { LeftViewInfoTip(item, tip); };
  LeftView->OnDblClick = [this] { LeftViewDblClick(); };
  LeftView->OnKeyDown = [this](WORD& key, fm::ui::TShiftState shift) { LeftViewKeyDown(key, shift); };
  LeftView->OnMouseDown = [this](fm::ui::TMouseButton button, fm::ui::TShiftState shift, int x, int y) {
    LeftViewMouseDown(button, shift, x, y);
  };
  LeftView->OnEditing = [this](fm::ui::TListItem& item, bool& allowEdit) { LeftViewEditing(item, allowEdit); };
  LeftView->OnEdited = [this](fm::ui::TListItem& item, std::wstring& text) { LeftViewEdited(item, text); };
  Exec_CMD->OnKeyDown() = [this](WORD& key, fm::ui::TShiftState shift) { Exec_CMDKeyDown(key, shift); };
  BTN_F09->OnClick = [this] { BTN_F09Click(); };
}

LRESULT TMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowLabelResult) {
    fm::ui::CallHandler([this] { ShowLabelResult(); });
    return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}

}  // namespace MainUnit
