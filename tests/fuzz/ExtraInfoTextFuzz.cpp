// Texts read from desktop.ini files, the registry and libraries, as hostile as they come:
// trimming drops exactly the blanks and controls at the ends, a cut string loses only a
// half character pair, a library reference splits into file and string number so that
// one that names no string comes back as it went in, and a library is only looked for on
// a drive letter.
#include <climits>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/ExtraInfoText.h"
#include "core/PathText.h"

namespace {

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

std::wstring AsciiUpper(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring text = input.Text();
  const std::wstring file = input.Text();
  const auto number = input.Number<std::uint64_t>() >> (input.Number<std::uint8_t>() % 64);
  const bool minus = input.Flag();
  const bool at = input.Flag();

  const std::wstring_view trimmed = fm::TrimBlanksAndControls(text);
  std::size_t lead = 0;
  while (lead < text.size() && text[lead] <= L' ') ++lead;
  FM_FUZZ_CHECK(text.compare(lead, trimmed.size(), trimmed) == 0);
  for (std::size_t i = lead + trimmed.size(); i < text.size(); ++i) FM_FUZZ_CHECK(text[i] <= L' ');
  FM_FUZZ_CHECK(trimmed.empty() || (trimmed.front() > L' ' && trimmed.back() > L' '));

  const std::wstring_view whole = fm::WithoutSplitPair(text);
  FM_FUZZ_CHECK(std::wstring_view(text).starts_with(whole));
  FM_FUZZ_CHECK(whole.size() + (!text.empty() && IsHighSurrogate(text.back()) ? 1 : 0) ==
                text.size());

  // Any text: the file part holds no comma, and a reference with a file and a number part
  // but no minus comes back whole when no string replaces it.
  const std::wstring_view afterAt = fm::WithoutReferenceMark(text);
  FM_FUZZ_CHECK(text.ends_with(afterAt));
  FM_FUZZ_CHECK(afterAt.size() + (fm::IsLibraryReference(text) ? 1 : 0) == text.size());
  FM_FUZZ_CHECK(fm::IsLibraryReference(text) == (!text.empty() && text.front() == L'@'));
  const fm::LibraryReference any = fm::SplitLibraryReference(afterAt);
  FM_FUZZ_CHECK(any.file.find(L',') == std::wstring::npos);
  FM_FUZZ_CHECK(any.id >= -1);
  const std::size_t comma = afterAt.find(L',');
  if (comma == std::wstring_view::npos) {
    FM_FUZZ_CHECK(any.file == afterAt && any.number.empty() && any.id == -1);
  } else if (comma > 0 && comma + 1 < afterAt.size() &&
             afterAt.find(L'-', comma) == std::wstring_view::npos &&
             !(afterAt.size() > comma + 5 && afterAt[comma + 4] == L',')) {
    FM_FUZZ_CHECK(fm::ReferenceText(any.file, any.number) == afterAt);
  }

  // A reference made of a file without commas and a string number gives both back, whether
  // the number is written with a minus and the file with an "@" or not.
  if (file.find(L',') == std::wstring::npos && (at || file.find(L'@') == std::wstring::npos)) {
    const std::wstring digits = std::to_wstring(number);
    const std::wstring reference = (at ? L"@" : L"") + file + L"," + (minus ? L"-" : L"") + digits;
    const fm::LibraryReference parts = fm::SplitLibraryReference(fm::WithoutReferenceMark(reference));
    FM_FUZZ_CHECK(parts.file == file && parts.number == digits);
    FM_FUZZ_CHECK(parts.id == (number <= INT_MAX ? static_cast<int>(number) : -1));
    FM_FUZZ_CHECK(fm::ReferenceText(parts.file, parts.number) ==
                  (file.empty() ? L"" : file + L"," + digits));
    // The same file written with its extension's dot as a comma.
    if (file.size() > 4 && file[file.size() - 4] == L'.' && file.find(L'.') == file.size() - 4) {
      std::wstring misspelt = reference;
      misspelt[misspelt.find(L'.', at ? 1 : 0)] = L',';
      const fm::LibraryReference dotted = fm::SplitLibraryReference(fm::WithoutReferenceMark(misspelt));
      FM_FUZZ_CHECK(dotted.file == file && dotted.number == digits && dotted.id == parts.id);
    }
  }

  // A library is looked for on a drive letter only: never on another machine or a device,
  // and a relative name under the folder.
  const std::optional<std::wstring> library = fm::LibraryPathIn(text, file);
  if (library) {
    FM_FUZZ_CHECK(fm::IsDriveLetterPath(*library) && fm::IsDriveLetterPath(file));
    const bool rooted = text.front() == L'\\' || text.front() == L'/';
    FM_FUZZ_CHECK(*library == text || library->ends_with(rooted ? text.substr(1) : text));
    FM_FUZZ_CHECK(fm::IsDriveLetterPath(text) || library->starts_with(file.substr(0, 2)));
  }
  if (fm::IsDriveLetterPath(file) && fm::IsDriveLetterPath(text)) FM_FUZZ_CHECK(library == text);

  // The desktop.ini of a folder lies in that folder, letter case aside.
  if (!file.empty() && file.back() != L'\\' && file.back() != L':') {
    const std::wstring ini = fm::DesktopIniPathIn(AsciiUpper(file));
    FM_FUZZ_CHECK(ini.ends_with(L"\\desktop.ini") && fm::LiesInFolder(ini, file));
  }
  return 0;
}
