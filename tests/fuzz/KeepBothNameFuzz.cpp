// The "Keep both" name on any name and any set of taken names: the answer is free, differs
// from the name, keeps a file's extension, and is the first free one of its form.
#include <set>
#include <string>
#include <string_view>

#include "FuzzInput.h"
#include "core/KeepBothName.h"
#include "core/PathContainment.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const bool isFolder = input.Flag();
  const std::wstring name = input.Text();
  std::set<std::wstring> taken{name};
  for (int i = 0; i < 64 && !input.AtEnd(); ++i) taken.insert(input.Text());

  int asked = 0;
  std::wstring previous;
  const auto isTaken = [&](std::wstring_view candidate) {
    // Every candidate is asked about once, in the order tried.
    FM_FUZZ_CHECK(std::wstring(candidate) != previous);
    previous = candidate;
    ++asked;
    return taken.contains(std::wstring(candidate));
  };
  const std::wstring kept = fm::KeepBothName(name, isFolder, isTaken);
  FM_FUZZ_CHECK(!taken.contains(kept));
  FM_FUZZ_CHECK(kept != name);
  FM_FUZZ_CHECK(asked <= static_cast<int>(taken.size()) + 1);
  FM_FUZZ_CHECK(kept.find(L" (") != std::wstring::npos);
  const auto dot = name.rfind(L'.');
  if (!isFolder && dot != std::wstring::npos && dot > 0) {
    const std::wstring_view extension = std::wstring_view(name).substr(dot);
    FM_FUZZ_CHECK(std::wstring_view(kept).ends_with(extension));
  } else {
    FM_FUZZ_CHECK(kept.back() == L')');
  }

  // The same text as two paths: a folder is always inside itself, and nothing of a path's
  // comparable form depends on a "\\?\" before it.
  FM_FUZZ_CHECK(name.empty() || fm::ComparablePath(name).empty() || fm::IsSameOrInside(name, name));
  FM_FUZZ_CHECK(fm::ComparablePath(fm::ExtendedLengthPath(name)) == fm::ComparablePath(name));
  return 0;
}
