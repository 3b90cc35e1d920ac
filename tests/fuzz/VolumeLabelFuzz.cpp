// Edited drive captions of any text: the label is a blank-trimmed piece of the text, and
// a caption made of such a label, a blank and a drive in parentheses gives the label back.
#include <string>

#include "FuzzInput.h"
#include "core/VolumeLabel.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring text = input.Text();
  const auto drive = static_cast<wchar_t>(L'A' + input.Number<std::uint8_t>() % 26);

  const std::wstring got = fm::VolumeLabelOf(text);
  FM_FUZZ_CHECK(text.find(got) != std::wstring::npos);
  FM_FUZZ_CHECK(got.empty() || (!IsBlank(got.front()) && !IsBlank(got.back())));
  FM_FUZZ_CHECK(fm::VolumeLabelOf(got + L" (" + drive + L":)") == got);

  const std::wstring result = fm::LabelResultText(false, got, L"C:\\");
  FM_FUZZ_CHECK(result == L"failed set " + got + L" for C:\\");

  return 0;
}
