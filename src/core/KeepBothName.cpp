#include "core/KeepBothName.h"

#include <cstdint>

namespace fm {

namespace {

struct NumberedStem {
  std::wstring_view base;
  std::uint64_t next = 2;
};

// " (N)" at the end of stem, N a number from 2 on without leading zeros.
NumberedStem SplitNumber(std::wstring_view stem) {
  if (stem.size() < 4 || stem.back() != L')') return {stem};
  const auto open = stem.rfind(L" (");
  if (open == std::wstring_view::npos) return {stem};
  const std::wstring_view digits = stem.substr(open + 2, stem.size() - open - 3);
  if (digits.empty() || digits.size() > 9 || digits.front() == L'0') return {stem};
  std::uint64_t number = 0;
  for (wchar_t c : digits) {
    if (c < L'0' || c > L'9') return {stem};
    number = number * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  if (number < 2) return {stem};
  return {stem.substr(0, open), number + 1};
}

}  // namespace

std::wstring KeepBothName(std::wstring_view name, bool isFolder,
                          const std::function<bool(std::wstring_view)>& taken) {
  std::wstring_view stem = name, extension;
  if (!isFolder) {
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos && dot > 0) {
      stem = name.substr(0, dot);
      extension = name.substr(dot);
    }
  }
  const NumberedStem numbered = SplitNumber(stem);
  for (std::uint64_t n = numbered.next;; ++n) {
    std::wstring candidate(numbered.base);
    candidate += L" (" + std::to_wstring(n) + L")";
    candidate += extension;
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace fm
