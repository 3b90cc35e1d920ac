// The design of the about box: panels, captions, sizes, colours and fonts. Sizes are at
// 96 dots per inch.
#include "ResourceIds.h"
#include "uAbout.h"

namespace uAbout {

namespace {

using fm::ui::TAlign;
using fm::ui::TBevelCut;
using fm::ui::TBevelKind;
using fm::ui::TFont;

constexpr BYTE kAlphaBlendValue = 245;
constexpr int kMargin = 15;

TPanel& FieldPanel(TPanel& parent, std::wstring name, int left, int top, int width,
                   fm::TColor fontColor, std::wstring caption) {
  auto& panel = parent.Add<TPanel>(std::move(name));
  panel.SetColor(fm::ui::clGradientActiveCaption);
  TFont font = panel.Font();
  font.SetColor(fontColor);
  panel.SetFont(font);
  panel.SetBevels(TBevelCut::bvLowered, TBevelCut::bvNone, TBevelKind::bkNone);
  panel.SetDesignBounds(left, top, width, 15);
  panel.SetCaption(caption);
  return panel;
}

}  // namespace

void TfrmAbout::CreateDesign() {
  SetColor(fm::ui::clBlue);
  SetFont(TFont(L"Tahoma", -11, fm::ui::clWindowText));
  SetDoubleBuffered(true);
  SetIcon(IDI_MAINICON);
  SetAlphaBlendValue(kAlphaBlendValue);

  pnlMain = &Add<TPanel>(L"pnlMain");
  pnlMain->SetColor(fm::ui::clSkyBlue);
  pnlMain->SetBevels(TBevelCut::bvNone, TBevelCut::bvNone, TBevelKind::bkFlat);
  pnlMain->SetDesignBounds(kMargin, kMargin, 326, 227);
  pnlMain->SetMargins(fm::ui::TMargins{kMargin, kMargin, kMargin, kMargin});
  pnlMain->SetAlign(TAlign::alClient);

  pnlIcon = &pnlMain->Add<TPanel>(L"pnlIcon");
  pnlIcon->SetColor(fm::ui::clActiveCaption);
  pnlIcon->SetBevels(TBevelCut::bvNone, TBevelCut::bvNone, TBevelKind::bkTile);
  pnlIcon->SetDesignBounds(16, 13, 292, 63);

  MainIcon = &pnlIcon->Add<TImage>(L"MainIcon");
  MainIcon->SetDesignBounds(16, 7, 43, 43);
  MainIcon->SetIcon(IDI_MAINICON);

  // Each caption panel overlaps its value panel by 2 pixels, so that the pair reads as
  // one field.
  pnlProductH = &FieldPanel(*pnlIcon, L"pnlProductH", 71, 7, 74, fm::ui::clHighlight, L"Product");
  pnlCopyrightH =
      &FieldPanel(*pnlIcon, L"pnlCopyrightH", 71, 21, 74, fm::ui::clHotLight, L"Copyright");
  pnlVersionH = &FieldPanel(*pnlIcon, L"pnlVersionH", 71, 35, 74, fm::ui::clHotLight, L"Version");
  pnlName = &FieldPanel(*pnlIcon, L"pnlName", 143, 7, 130, fm::ui::clHotLight, L"");
  pnlCopyright = &FieldPanel(*pnlIcon, L"pnlCopyright", 143, 21, 130, fm::ui::clHotLight, L"");
  pnlVersion = &FieldPanel(*pnlIcon, L"pnlVersion", 143, 35, 130, fm::ui::clHotLight, L"");
}

}  // namespace uAbout
