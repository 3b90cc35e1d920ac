#include "ui/Panel.h"

namespace fm::ui {

TPanel::TPanel(TControl& parent, std::wstring name) : TControl(&parent, std::move(name)) {
  SetColor(parent.Color());
  CreateHandle(nullptr, WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TPanel::SetBevels(TBevelCut outer, TBevelCut inner, TBevelKind kind) {
  outer_ = outer;
  inner_ = inner;
  kind_ = kind;
  Realign();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TPanel::SetCaption(const std::wstring& caption) {
  SetText(caption);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int TPanel::BevelWidth() const {
  return (outer_ != TBevelCut::bvNone) + (inner_ != TBevelCut::bvNone) + (kind_ != TBevelKind::bkNone);
}

RECT TPanel::AlignRect() const {
  RECT rect = TControl::AlignRect();
  const int inset = BevelWidth();
  InflateRect(&rect, -inset, -inset);
  return rect;
}

void TPanel::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(Handle(), &ps);
  RECT rect;
  GetClientRect(Handle(), &rect);
  // From the outside in: the bevel edge, the outer bevel, the inner bevel.
  if (kind_ != TBevelKind::bkNone) {
    const UINT look = kind_ == TBevelKind::bkSoft ? BF_SOFT : kind_ == TBevelKind::bkFlat ? BF_FLAT : 0;
    DrawEdge(dc, &rect, BDR_RAISEDINNER, BF_RECT | BF_ADJUST | look);
  }
  for (TBevelCut cut : {outer_, inner_}) {
    if (cut == TBevelCut::bvNone) continue;
    DrawEdge(dc, &rect, cut == TBevelCut::bvLowered ? BDR_SUNKENINNER : BDR_RAISEDINNER,
             BF_RECT | BF_ADJUST);
  }
  const std::wstring caption = Caption();
  if (!caption.empty()) {
    HGDIOBJ old = SelectObject(dc, Font().Handle(Dpi()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  EndPaint(Handle(), &ps);
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint();
    return 0;
  }
  if (message == WM_SIZE) InvalidateRect(Handle(), nullptr, TRUE);
  return TControl::WndProc(message, wParam, lParam);
}

}  // namespace fm::ui
