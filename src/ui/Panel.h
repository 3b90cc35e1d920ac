// A panel: a plain container with optional bevels and a caption in its middle.
#pragma once

#include "ui/Control.h"

namespace fm::ui {

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TBevelKind { bkNone, bkTile, bkSoft, bkFlat };

class TPanel : public TControl {
 public:
  TPanel(TControl& parent, std::wstring name);

  void SetBevels(TBevelCut outer, TBevelCut inner, TBevelKind kind);
  TBevelCut BevelOuter() const { return outer_; }
  TBevelCut BevelInner() const { return inner_; }
  TBevelKind BevelKind() const { return kind_; }
  // Pixels the bevels take from each side of the client area; the caption has the rest.
  int BevelWidth() const;

  void SetCaption(const std::wstring& caption);
  std::wstring Caption() const { return Text(); }

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  RECT AlignRect() const override;

 private:
  void Paint();

  TBevelCut outer_ = TBevelCut::bvNone;
  TBevelCut inner_ = TBevelCut::bvNone;
  TBevelKind kind_ = TBevelKind::bkNone;
};

}  // namespace fm::ui
