// A pane's birth and end: bound to its controls, which answer its handlers from then on,
// started on the desktop folder, and closed with the window.
#include "Pane.h"

namespace PaneUnit {

TPane::TPane(TPaneHost& Host, const TPaneControls& Controls)
    : Host(Host),
      View(Controls.View),
      Drives(Controls.Drives),
      PathBox(Controls.PathBox),
      BackButton(Controls.BackButton),
      RootButton(Controls.RootButton),
      PathLabel(Controls.PathLabel),
      Status(Controls.Status),
      FLabelColor(PathLabel->Color()),
      FLabelFontColor(PathLabel->Font().Color()) {
  WireEvents();
}

void TPane::WireEvents() {
  Drives->OnChange = [this] { DrivesChange(); };
  PathBox->OnKeyDown() = [this](WORD& key, fm::ui::TShiftState shift) { PathBoxKeyDown(key, shift); };
  PathBox->OnClick = [this] { PathBoxClick(); };
  BackButton->OnClick = [this] { BackButtonClick(); };
  RootButton->OnClick = [this] { RootButtonClick(); };
  View->OnDataHint = [this](int start, int end) { ViewDataHint(start, end); };
  View->OnData = [this](fm::ui::TListItem& item) { ViewData(item); };
  View->OnDataFind = [this](fm::ui::TItemFind find, const std::wstring& text, POINT position, void* data, int start,
                            fm::ui::TSearchDirection direction, bool wrap, int& index) {
    ViewDataFind(find, text, position, data, start, direction, wrap, index);
  };
  View->OnCustomDraw = [this](const RECT& rect, bool& defaultDraw) { ViewCustomDraw(rect, defaultDraw); };
  View->OnCustomDrawItem = [this](fm::ui::TListItem* item, UINT state, bool& defaultDraw) {
    ViewCustomDrawItem(item, state, defaultDraw);
  };
  View->OnCustomDrawSubItem = [this](fm::ui::TListItem* item, int subItem, UINT state, bool& defaultDraw) {
    ViewCustomDrawSubItem(item, subItem, state, defaultDraw);
  };
  View->OnInfoTip = [this](fm::ui::TListItem& item, std::wstring& tip) { ViewInfoTip(item, tip); };
  View->OnDblClick = [this] { ViewDblClick(); };
  View->OnKeyDown = [this](WORD& key, fm::ui::TShiftState shift) { ViewKeyDown(key, shift); };
  View->OnMouseDown = [this](fm::ui::TMouseButton button, fm::ui::TShiftState shift, int x, int y) {
    ViewMouseDown(button, shift, x, y);
  };
  View->OnEditing = [this](fm::ui::TListItem& item, bool& allowEdit) { ViewEditing(item, allowEdit); };
  View->OnEdited = [this](fm::ui::TListItem& item, std::wstring& text) { ViewEdited(item, text); };
  View->OnSelectionChange = [this] { ViewSelectionChange(); };
  // Whichever of the pane's controls takes the keys makes the pane the active one.
  for (auto* event : {&View->OnEnter, &PathBox->OnEnter, &Drives->OnEnter}) {
    *event = [this] { Host.PaneEntered(*this); };
  }
}

void TPane::SetActive(bool Active) {
  FActive = Active;
  fm::ui::TFont font = PathLabel->Font();
  font.SetColor(Active ? fm::ui::clHighlightText : FLabelFontColor);
  PathLabel->SetFont(font);
  PathLabel->SetColor(Active ? fm::ui::clHighlight : FLabelColor);
}

void TPane::Start(fm::ComPtr<IShellFolder> DesktopFolder) {
  FIDesktopFolder = std::move(DesktopFolder);
  FIShellFolder = FIDesktopFolder;
  FIDList.emplace();
}

void TPane::SetImageLists(HIMAGELIST Small, HIMAGELIST Large) {
  View->SetSmallImages(Small);
  View->SetLargeImages(Large);
}

void TPane::Close() {
  FWatches = {};
  ClearItems();
  FIDList.reset();
}

}  // namespace PaneUnit
