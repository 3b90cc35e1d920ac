#include <windows.h>

#include <versionhelpers.h>

#include "controls/Vcl_Interceptors.h"
#include "core/Gradient.h"
#include "platform/Handles.h"

namespace Vcl_Interceptors {

namespace {

UINT WithDropShadow(UINT classStyle, bool dropShadow) {
  if (!dropShadow) return classStyle & ~static_cast<UINT>(CS_DROPSHADOW);
  return IsWindowsXPOrGreater() ? classStyle | CS_DROPSHADOW : classStyle;
}

}  // namespace

fm::ui::TCreateParams TForm::CreateParams(fm::ui::TCreateParams params, bool dropShadow) {
  params.ClassStyle = WithDropShadow(params.ClassStyle, dropShadow);
  params.ExStyle |= WS_EX_APPWINDOW | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
  params.Parent = GetDesktopWindow();
  return params;
}

TForm::TForm(std::wstring name, int clientWidth, int clientHeight, fm::ui::TCreateParams params)
    : fm::ui::TForm(std::move(name), clientWidth, clientHeight, CreateParams(params, true)) {
  SetShowHint(false);
  fGradientBaseColor = 0x00FF0000;
  fEnableGradient = false;
  SetEnableDropShadow(true);
  fm::ui::Application().SetHintWindowClass([] { return std::make_unique<THintWindow>(); });
  SetShowHint(true);
}

void TForm::SetEnableDropShadow(bool Value) {
  if (Value == fEnableDropShadow) return;
  fEnableDropShadow = Value;
  // The form's class is its own, so changing the class style is what making the window
  // anew with other parameters would do; the shadow follows from the next showing on.
  SetClassStyle(WithDropShadow(ClassStyle(), Value));
}

void TForm::SetGradientBaseColor(fm::TColor Value) {
  if (Value == fGradientBaseColor) return;
  fGradientBaseColor = Value;
  if (fEnableGradient) Invalidate();
}

void TForm::SetEnableGradient(bool Value) {
  if (Value == fEnableGradient) return;
  fEnableGradient = Value;
  if (Value) OnPaint = [this](HDC dc) { GradientPaint(dc); };
  Invalidate();
}

void TForm::GradientPaint(HDC dc) {
  if (!fEnableGradient) return;
  const int width = ClientWidth();
  for (const fm::GradientBand& band : fm::GradientBands(fGradientBaseColor, ClientHeight())) {
    const COLORREF color = band.Color;
    fm::UniqueHPen pen(CreatePen(PS_SOLID, 1, color));
    fm::UniqueHBrush brush(CreateSolidBrush(color));
    fm::SelectObjectScope usePen(dc, pen.Get());
    fm::SelectObjectScope useBrush(dc, brush.Get());
    Rectangle(dc, 0, band.Top, width, band.Bottom);
  }
}

}  // namespace Vcl_Interceptors
