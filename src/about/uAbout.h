// The about box: the program's icon, product name, copyright and version, read from the
// executable's version resource, over a gradient in a colour drawn at random.
#pragma once

#include <string>

#include "controls/Vcl_Interceptors.h"
#include "helpers/VersionInfo.h"
#include "ui/Image.h"

namespace uAbout {

using namespace Vcl_Interceptors;
using fm::ui::TImage;
using fm::ui::TPanel;

class TfrmAbout : public TForm {
 public:
  // Built from its design for the program file ExecutableFile, centred on Owner; its
  // creation event has run when the constructor returns.
  TfrmAbout(const fm::ui::TForm& Owner, std::wstring ExecutableFile);
  ~TfrmAbout() override;

  const myHelper::TFileVersionInfo& VersionInfo() const { return FVI; }

 private:
  // The design: every control with its place, size, colours and captions.
  void CreateDesign();
  void FormCreate();
  void FormResize();

  std::wstring FExecutableFile;
  myHelper::TFileVersionInfo FVI;

  TPanel* pnlMain = nullptr;
  TPanel* pnlIcon = nullptr;
  TImage* MainIcon = nullptr;
  TPanel* pnlProductH = nullptr;
  TPanel* pnlCopyrightH = nullptr;
  TPanel* pnlVersionH = nullptr;
  TPanel* pnlName = nullptr;
  TPanel* pnlCopyright = nullptr;
  TPanel* pnlVersion = nullptr;
};

}  // namespace uAbout
