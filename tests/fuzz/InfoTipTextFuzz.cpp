// Info tips for any file facts, line breaks and odd characters in them included: the
// location line comes first, then a line for each fact that is there in the fixed order,
// version strings only with a version resource, and the size line as the Size column asks;
// the whole bounded in lines, line length and characters.
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "core/InfoTipText.h"

namespace {

struct VersionLine {
  const wchar_t* label;
  std::wstring fm::TFileVersionInfo::*field;
};

constexpr VersionLine kVersionLines[] = {
    {L"Company: ", &fm::TFileVersionInfo::CompanyName},
    {L"Description: ", &fm::TFileVersionInfo::FileDescription},
    {L"File Version: ", &fm::TFileVersionInfo::FileVersion},
    {L"Internal Filename: ", &fm::TFileVersionInfo::InternalName},
    {L"Copyright: ", &fm::TFileVersionInfo::LegalCopyRight},
    {L"Trademark: ", &fm::TFileVersionInfo::LegalTradeMarks},
    {L"Original Filename: ", &fm::TFileVersionInfo::OriginalFileName},
    {L"Product: ", &fm::TFileVersionInfo::ProductName},
    {L"Product Version: ", &fm::TFileVersionInfo::ProductVersion},
    {L"Comments: ", &fm::TFileVersionInfo::Comments},
    {L"Special Build: ", &fm::TFileVersionInfo::SpecialBuildStr},
    {L"Private Build: ", &fm::TFileVersionInfo::PrivateBuildStr},
    {L"Function: ", &fm::TFileVersionInfo::FileFunction},
};

// The lines of a text, each ended by CR LF, CR or LF.
std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of(L"\r\n", start);
    lines.push_back(text.substr(start, end == std::wstring_view::npos ? end : end - start));
    if (end == std::wstring_view::npos) return lines;
    start = end + (text.substr(end).starts_with(L"\r\n") ? 2 : 1);
  }
}

void Append(std::wstring& text, const std::wstring& line) {
  if (!text.empty()) text += L"\r\n";
  text += line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  fm::TFileVersionInfo info;
  info.HasVersionInfo = input.Flag();
  const std::wstring sizeColumn = input.Text();
  info.FileName = input.Text();
  info.FileType = input.Text();
  info.Extra = input.Text();
  for (const VersionLine& line : kVersionLines) info.*line.field = input.Text();

  // The tip is the lines of the facts, bounded.
  std::wstring whole = L"Location: " + info.FileName;
  if (!info.FileType.empty()) Append(whole, L"Type: " + info.FileType);
  if (info.HasVersionInfo) {
    for (const VersionLine& line : kVersionLines)
      if (!(info.*line.field).empty()) Append(whole, line.label + info.*line.field);
  }
  if (!info.Extra.empty()) Append(whole, info.Extra);
  if (!sizeColumn.empty() && sizeColumn != L"LINK" && sizeColumn != L"DIR")
    Append(whole, L"Size: " + sizeColumn);
  const std::wstring tip = fm::InfoTipText(info, sizeColumn);
  FM_FUZZ_CHECK(tip == fm::BoundedTip(whole));

  // Bounded: its lines are the first lines of the whole, each whole or cut and ended by
  // the ellipsis; a whole that fits comes through unchanged but for its line ends.
  FM_FUZZ_CHECK(tip.size() <= fm::kTipMaxLength);
  const std::vector<std::wstring_view> wholeLines = SplitLines(whole);
  const std::vector<std::wstring_view> tipLines = SplitLines(tip);
  FM_FUZZ_CHECK(tipLines.size() <= fm::kTipMaxLines && tipLines.size() <= wholeLines.size());
  bool cutAny = tipLines.size() < wholeLines.size();
  std::size_t tipAt = 0;
  for (std::size_t i = 0; i < tipLines.size(); ++i) {
    const std::wstring_view line = tipLines[i];
    FM_FUZZ_CHECK(line.size() <= fm::kTipMaxLineLength);
    // Positions of the tip line within the tip, to tell its own CR LF from the original's.
    tipAt += line.size() + (i + 1 < tipLines.size() ? 2 : 0);
    if (line == wholeLines[i]) continue;
    cutAny = true;
    FM_FUZZ_CHECK(!line.empty() && line.back() == L'\u2026');
    FM_FUZZ_CHECK(wholeLines[i].starts_with(line.substr(0, line.size() - 1)));
  }
  FM_FUZZ_CHECK(tipAt == tip.size());
  if (!cutAny) {
    std::wstring joined;
    for (std::size_t i = 0; i < wholeLines.size(); ++i) {
      if (i > 0) joined += L"\r\n";
      joined += wholeLines[i];
    }
    FM_FUZZ_CHECK(tip == joined);
  }
  return 0;
}
