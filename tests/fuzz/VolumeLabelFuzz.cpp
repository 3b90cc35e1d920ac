// Edited captions of any text: the volume-caption rule finds the first ":)" past the first
// "(", the root and label come from the text itself, and a caption made of a label, a blank
// and a drive in parentheses gives that label and drive back.
#include <algorithm>
#include <string>

#include "FuzzInput.h"
#include "core/VolumeLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring text = input.Text();
  const std::wstring label = input.Text();
  const auto drive = static_cast<wchar_t>(input.Number<std::uint16_t>());

  // The first "(" as a 1-based position, 0 without one; a match lies at P + 2 or later.
  const std::size_t open = text.find(L'(');
  const std::size_t earliest = (open == std::wstring::npos ? 0 : open + 1) + 2;
  const std::size_t end = fm::VolumeCaptionEnd(text);
  std::size_t first = earliest - 1;
  while (first + 1 < text.size() && text.compare(first, 2, L":)") != 0) ++first;
  const bool found = first + 1 < text.size();
  FM_FUZZ_CHECK(end == (found ? first + 1 : 0));
  FM_FUZZ_CHECK(fm::IsVolumeCaption(text) == found);

  const fm::VolumeLabelRequest request = fm::LabelRequestOf(text);
  FM_FUZZ_CHECK(text.starts_with(request.label));
  FM_FUZZ_CHECK(end == 0 || request.label.size() + 4 <= std::max<std::size_t>(end, 4));
  if (end == 0) FM_FUZZ_CHECK(request.label == text);
  const bool driveRoot = text.find(L'\\') == 2;
  if (driveRoot) {
    FM_FUZZ_CHECK(request.root == text.substr(0, 3));
  } else if (end != 0) {
    FM_FUZZ_CHECK(request.root.size() == 2 && request.root[1] == L':');
    FM_FUZZ_CHECK(request.root == text.substr(end - 2, 2));
  } else {
    FM_FUZZ_CHECK(request.root == text);
  }
  const std::wstring result = fm::LabelResultText(false, request);
  FM_FUZZ_CHECK(result.starts_with(L"failed set " + request.label + L" for "));
  FM_FUZZ_CHECK(result.ends_with(request.root));

  // A label without "(", ":" or "\" cannot end the caption early or pose as a drive root.
  if (label.find_first_of(L"(:\\") == std::wstring::npos && drive != L'\\') {
    const std::wstring caption = label + L" (" + drive + L":)";
    FM_FUZZ_CHECK(fm::IsVolumeCaption(caption));
    const fm::VolumeLabelRequest back = fm::LabelRequestOf(caption);
    FM_FUZZ_CHECK(back.label == label);
    FM_FUZZ_CHECK(back.root == std::wstring(1, drive) + L':');
  }
  return 0;
}
