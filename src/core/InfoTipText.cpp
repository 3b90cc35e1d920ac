#include "core/InfoTipText.h"

#include <algorithm>

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
  return BoundedTip(tip);
}

std::wstring BoundedTip(std::wstring_view text) {
  std::wstring tip;
  std::size_t lines = 0;
  std::size_t start = 0;
  while (start <= text.size() && lines < kTipMaxLines) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view line = text.substr(start, end - start);
    start = end + (text.substr(end).starts_with(L"\r\n") ? 2 : 1);
    const std::size_t separator = lines == 0 ? 0 : 2;
    // A line needs room for one character and the ellipsis at least.
    if (tip.size() + separator + 2 > kTipMaxLength) break;
    const std::size_t room = std::min(kTipMaxLineLength, kTipMaxLength - tip.size() - separator);
    const bool cut = line.size() > room;
    if (cut) {
      line = line.substr(0, room - 1);
      // Half a character pair is no character.
      if (line.back() >= 0xD800 && line.back() <= 0xDBFF) line.remove_suffix(1);
    }
    if (separator != 0) tip += L"\r\n";
    tip += line;
    if (cut) tip += L'\u2026';
    ++lines;
  }
  return tip;
}

}  // namespace fm
