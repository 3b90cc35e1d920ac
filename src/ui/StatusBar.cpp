#include "ui/StatusBar.h"

#include <windows.h>

#include <commctrl.h>

namespace fm::ui {

TStatusBar::TStatusBar(TControl& parent, std::wstring name, std::vector<Panel> panels)
    : TControl(&parent, std::move(name)) {
  SetColor(clBtnFace);
  CreateHandle(STATUSCLASSNAMEW, WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0);
  for (const Panel& panel : panels) designWidths_.push_back(panel.width);
  DpiChanged();
  for (size_t i = 0; i < panels.size(); ++i) SetPanelText(static_cast<int>(i), panels[i].text);
}

void TStatusBar::DpiChanged() {
  std::vector<int> edges;
  int right = 0;
  for (int width : designWidths_) {
    right += Scaled(width);
    edges.push_back(right);
  }
  // The last panel reaches the end of the bar.
  if (!edges.empty()) edges.back() = -1;
  SendMessageW(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

std::vector<int> TStatusBar::PanelEdges() const {
  std::vector<int> edges(designWidths_.size());
  if (!edges.empty())
    SendMessageW(Handle(), SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  return edges;
}

std::wstring TStatusBar::PanelText(int index) const {
  const LRESULT info = SendMessageW(Handle(), SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
  std::wstring text(static_cast<size_t>(LOWORD(info)) + 1, L'\0');
  SendMessageW(Handle(), SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(LOWORD(info));
  return text;
}

void TStatusBar::SetPanelText(int index, const std::wstring& text) {
  SendMessageW(Handle(), SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetPanelTexts(const std::vector<std::wstring>& texts) {
  // Some status bars (Wine's) paint at once each text that changes; the bar is painted
  // with the other windows instead, once.
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  for (size_t i = 0; i < texts.size(); ++i) SetPanelText(static_cast<int>(i), texts[i]);
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace fm::ui
