// Info tips for any file facts, line breaks and odd characters in them included: the
// location line comes first, then a line for each fact that is there in the fixed order,
// version strings only with a version resource, and the size line as the Size column asks.
#include <string>

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

// Walks the tip line by line, each expected where the one before it ended.
class TipReader {
 public:
  explicit TipReader(const std::wstring& tip) : tip_(tip) {}
  void Expect(const std::wstring& line) {
    const std::wstring piece = at_ == 0 ? line : L"\r\n" + line;
    FM_FUZZ_CHECK(tip_.compare(at_, piece.size(), piece) == 0);
    at_ += piece.size();
  }
  bool AtEnd() const { return at_ == tip_.size(); }

 private:
  const std::wstring& tip_;
  std::size_t at_ = 0;
};

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

  const std::wstring tip = fm::InfoTipText(info, sizeColumn);
  TipReader reader(tip);
  reader.Expect(L"Location: " + info.FileName);
  if (!info.FileType.empty()) reader.Expect(L"Type: " + info.FileType);
  if (info.HasVersionInfo) {
    for (const VersionLine& line : kVersionLines)
      if (!(info.*line.field).empty()) reader.Expect(line.label + info.*line.field);
  }
  if (!info.Extra.empty()) reader.Expect(info.Extra);
  if (!sizeColumn.empty() && sizeColumn != L"LINK" && sizeColumn != L"DIR")
    reader.Expect(L"Size: " + sizeColumn);
  FM_FUZZ_CHECK(reader.AtEnd());
  return 0;
}
