#include "core/VolumeLabel.h"

namespace fm {

std::size_t VolumeCaptionEnd(std::wstring_view text) {
  const std::size_t open = text.find(L'(');
  const std::size_t firstChar = open == std::wstring_view::npos ? 0 : open + 1;  // 1-based "("
  // From 1-based position firstChar + 2, that is 0-based firstChar + 1.
  const std::size_t end = text.find(L":)", firstChar + 1);
  return end == std::wstring_view::npos ? 0 : end + 1;
}

VolumeLabelRequest LabelRequestOf(std::wstring_view text) {
  std::wstring_view root = text;
  if (root.find(L'\\') == 2) {
    root = root.substr(0, 3);
  } else if (const std::size_t end = VolumeCaptionEnd(root); end != 0) {
    // The drive letter and its colon, which end at the ":" of ":)".
    root = root.substr(end - 2, 2);
  }
  std::wstring_view label = text;
  if (const std::size_t end = VolumeCaptionEnd(text); end != 0) {
    // Before the blank, "(", letter and ":" that precede ")" of "Label (D:)".
    label = end > 4 ? text.substr(0, end - 4) : std::wstring_view();
  }
  return {std::wstring(root), std::wstring(label)};
}

std::wstring LabelResultText(bool succeeded, const VolumeLabelRequest& request) {
  return (succeeded ? L"set " : L"failed set ") + request.label + L" for " + request.root;
}

}  // namespace fm
