// Version texts for any fixed file information: the kind of file depends on the subtype
// only for drivers, fonts and virtual devices, a flag counts only where declared valid and
// set, and a version-string path reads back as its translation and key.
#include <string>

#include "FuzzInput.h"
#include "core/VersionText.h"

namespace {

std::uint32_t HexValue(const std::wstring& digits) {
  std::uint32_t value = 0;
  for (const wchar_t c : digits) {
    FM_FUZZ_CHECK((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'));
    value = value * 16 + static_cast<std::uint32_t>(c <= L'9' ? c - L'0' : c - L'A' + 10);
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const auto fileType = input.Number<std::uint32_t>();
  const auto subtype = input.Number<std::uint32_t>();
  const auto mask = input.Number<std::uint32_t>();
  const auto flags = input.Number<std::uint32_t>();
  const auto bit = input.Number<std::uint8_t>() % 32;
  const auto translation = input.Number<std::uint32_t>();
  const std::wstring key = input.Text();
  const std::wstring product = input.Text();
  const std::wstring copyright = input.Text();

  const std::wstring function = fm::FileFunctionText(fileType, subtype);
  switch (fileType) {
    case 3:
      FM_FUZZ_CHECK(function.empty() == (subtype > 10));
      FM_FUZZ_CHECK(function.empty() || function.ends_with(L"Driver"));
      break;
    case 4:
      FM_FUZZ_CHECK(function.empty() == (subtype > 3));
      FM_FUZZ_CHECK(function.empty() || function.ends_with(L" Font"));
      break;
    case 5: {
      const std::wstring head = L"Virtual Defice Identifier = ";
      FM_FUZZ_CHECK(function.size() == head.size() + 8 && function.starts_with(head));
      FM_FUZZ_CHECK(HexValue(function.substr(head.size())) == subtype);
      break;
    }
    default:
      FM_FUZZ_CHECK(function == fm::FileFunctionText(fileType, 0));
      FM_FUZZ_CHECK(function.empty() == (fileType == 6 || fileType > 7));
  }

  const std::uint32_t flag = std::uint32_t{1} << bit;
  FM_FUZZ_CHECK(fm::HasFileFlag(mask, flags, flag) == ((mask & flag) != 0 && (flags & flag) != 0));

  const std::wstring path = fm::VersionStringPath(translation, key);
  const std::wstring head = L"\\StringFileInfo\\";
  FM_FUZZ_CHECK(path.size() == head.size() + 9 + key.size() && path.starts_with(head));
  FM_FUZZ_CHECK(HexValue(path.substr(head.size(), 4)) == (translation & 0xFFFF));
  FM_FUZZ_CHECK(HexValue(path.substr(head.size() + 4, 4)) == translation >> 16);
  FM_FUZZ_CHECK(path[head.size() + 8] == L'\\' && path.ends_with(key));

  const std::wstring title = fm::ApplicationTitle(product, key);
  FM_FUZZ_CHECK(title == product + L" v" + key);
  const std::wstring caption = fm::WindowCaption(title, copyright);
  FM_FUZZ_CHECK(caption.size() == title.size() + 1 + copyright.size());
  FM_FUZZ_CHECK(caption.starts_with(title + L' ') && caption.ends_with(copyright));
  return 0;
}
