#include "uAbout.h"

#include <random>

#include "core/Random.h"

namespace uAbout {

namespace {

// A fixed single border with the window menu and the close button only.
fm::ui::TCreateParams AboutParams() {
  fm::ui::TCreateParams params;
  params.Style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  params.ExStyle = WS_EX_TOPMOST;
  return params;
}

}  // namespace

TfrmAbout::TfrmAbout(const fm::ui::TForm& Owner, std::wstring ExecutableFile)
    : TForm(L"frmAbout", 356, 257, AboutParams()), FExecutableFile(std::move(ExecutableFile)) {
  CreateDesign();
  CenterOn(Owner);
  OnResize = [this] { FormResize(); };
  FormCreate();
}

TfrmAbout::~TfrmAbout() { DestroyWindowFirst(); }

void TfrmAbout::FormCreate() {
  myHelper::ReadFileVersionInfo(FVI, FExecutableFile);
  SetCaption(L"About " + FVI.ProductName + L" " + FVI.LegalCopyRight);
  pnlName->SetCaption(FVI.ProductName);
  pnlVersion->SetCaption(FVI.FileVersion);
  pnlCopyright->SetCaption(FVI.LegalCopyRight);
  std::uniform_int_distribution<int> component(0, 254);
  const int red = component(fm::RandomEngine());
  const int green = component(fm::RandomEngine());
  const int blue = component(fm::RandomEngine());
  SetGradientBaseColor(static_cast<fm::TColor>(red | green << 8 | blue << 16));
  SetEnableGradient(true);
}

// The bands follow the client height, so the whole box is laid out again.
void TfrmAbout::FormResize() { Invalidate(); }

}  // namespace uAbout
