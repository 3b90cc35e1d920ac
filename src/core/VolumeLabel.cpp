#include "core/VolumeLabel.h"

namespace fm {

namespace {

constexpr std::wstring_view kBlanks = L" \t";

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

}  // namespace

std::wstring VolumeLabelOf(std::wstring_view typed) {
  std::wstring_view label = typed;
  if (const std::size_t end = label.find_last_not_of(kBlanks); end != std::wstring_view::npos) {
    label = label.substr(0, end + 1);
  }
  // "(D:)" as the drives list shows it after the label.
  if (label.size() >= 4 && label.ends_with(L":)") && label[label.size() - 4] == L'(' &&
      IsAsciiLetter(label[label.size() - 3])) {
    label.remove_suffix(4);
  }
  const std::size_t first = label.find_first_not_of(kBlanks);
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = label.find_last_not_of(kBlanks);
  return std::wstring(label.substr(first, last - first + 1));
}

std::wstring LabelResultText(bool succeeded, std::wstring_view label, std::wstring_view root) {
  std::wstring text = succeeded ? L"set " : L"failed set ";
  text.append(label).append(L" for ").append(root);
  return text;
}

}  // namespace fm
