// INI files as hostile as they come: any bytes decode without a crash, UTF-8 and UTF-16
// with their marks come back as written, and every key read has a name, no line end, a
// trimmed name and section, and the value its name was first given in its section.
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/CaseFold.h"
#include "core/IniText.h"

namespace {

bool IsTrimmed(std::wstring_view text) {
  return text.empty() || (text.front() > L' ' && text.back() > L' ');
}

// The text as UTF-16 little-endian bytes with their mark, as a UTF-16 desktop.ini holds it.
std::string Utf16Bytes(std::wstring_view text) {
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const bool cutShort = input.Flag();
  const std::wstring text = input.Text();
  const std::size_t rest = input.Remaining();
  const std::string_view bytes(reinterpret_cast<const char*>(data) + (size - rest), rest);

  // Any bytes: a mark decides, and decoding never fails.
  const auto decoded = fm::TextOfMarkedBytes(bytes);
  FM_FUZZ_CHECK(decoded.has_value() ==
                (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
                 bytes.starts_with("\xEF\xBB\xBF")));
  if (decoded) (void)fm::ParseIni(*decoded, cutShort);

  // Units of 16 bits come back from UTF-16 as they went in.
  bool narrow = true;
  for (const wchar_t c : text) narrow = narrow && static_cast<unsigned long>(c) <= 0xFFFF;
  if (narrow) FM_FUZZ_CHECK(fm::TextOfMarkedBytes(Utf16Bytes(text)) == text);

  std::map<std::wstring, std::wstring> firstValues;
  for (const fm::IniEntry& entry : fm::ParseIni(text, cutShort)) {
    FM_FUZZ_CHECK(!entry.key.empty() && IsTrimmed(entry.key) && IsTrimmed(entry.section));
    FM_FUZZ_CHECK(entry.key.find(L'=') == std::wstring::npos);
    for (const std::wstring_view part : {entry.section, entry.key, entry.value})
      FM_FUZZ_CHECK(part.find_first_of(std::wstring_view(L"\r\n\0", 3)) == std::wstring_view::npos);
    const std::wstring folded = fm::AsciiUpper(entry.section) + L'\n' + fm::AsciiUpper(entry.key);
    FM_FUZZ_CHECK(firstValues.try_emplace(folded, entry.value).first->second == entry.value);
  }

  // A cut text reads as its whole lines do.
  const std::size_t lastBreak = text.find_last_of(L"\r\n");
  const std::wstring wholeLines = lastBreak == std::wstring::npos ? L"" : text.substr(0, lastBreak);
  FM_FUZZ_CHECK(fm::ParseIni(text, true) == fm::ParseIni(wholeLines, false));
  return 0;
}
