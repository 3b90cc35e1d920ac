// Which pane the keys act on: the one whose controls last had the focus. Tab in a list
// hands the focus to the other pane's list.
#include "MainUnit.h"

namespace MainUnit {

void TMain::PaneEntered(TPane& Pane) {
  FActivePane = &Pane;
  for (TPane* pane : {FLeftPane.get(), FRightPane.get()}) {
    if (pane && pane->Active() != (pane == &Pane)) pane->SetActive(pane == &Pane);
  }
}

void TMain::FocusOtherPane(TPane& Pane) {
  TPane& other = &Pane == FLeftPane.get() ? *FRightPane : *FLeftPane;
  other.ListView().SetFocus();
}

}  // namespace MainUnit
