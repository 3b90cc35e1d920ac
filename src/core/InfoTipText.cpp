#include "core/InfoTipText.h"

#include "core/ExtraInfoText.h"

namespace fm {

namespace {

struct VersionLine {
  const wchar_t* label;
  std::wstring TFileVersionInfo::*field;
};

constexpr VersionLine kVersionLines[] = {
    {L"Company: ", &TFileVersionInfo::CompanyName},
    {L"Description: ", &TFileVersionInfo::FileDescription},
    {L"File Version: ", &TFileVersionInfo::FileVersion},
    {L"Internal Filename: ", &TFileVersionInfo::InternalName},
    {L"Copyright: ", &TFileVersionInfo::LegalCopyRight},
    {L"Trademark: ", &TFileVersionInfo::LegalTradeMarks},
    {L"Original Filename: ", &TFileVersionInfo::OriginalFileName},
    {L"Product: ", &TFileVersionInfo::ProductName},
    {L"Product Version: ", &TFileVersionInfo::ProductVersion},
    {L"Comments: ", &TFileVersionInfo::Comments},
    {L"Special Build: ", &TFileVersionInfo::SpecialBuildStr},
    {L"Private Build: ", &TFileVersionInfo::PrivateBuildStr},
    {L"Function: ", &TFileVersionInfo::FileFunction},
};

}  // namespace

std::wstring InfoTipText(const TFileVersionInfo& info, std::wstring_view sizeColumn) {
  std::wstring tip = L"Location: " + info.FileName;
  if (!info.FileType.empty()) AppendLine(tip, L"Type: " + info.FileType);
  if (info.HasVersionInfo) {
    for (const VersionLine& line : kVersionLines) {
      const std::wstring& value = info.*line.field;
      if (!value.empty()) AppendLine(tip, line.label + value);
    }
  }
  if (!info.Extra.empty()) AppendLine(tip, info.Extra);
  if (!sizeColumn.empty() && sizeColumn != L"LINK" && sizeColumn != L"DIR") {
    AppendLine(tip, L"Size: " + std::wstring(sizeColumn));
  }
  return tip;
}

}  // namespace fm
