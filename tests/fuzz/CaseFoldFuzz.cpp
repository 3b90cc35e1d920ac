// The pane's case fold on any two UTF-16 texts: only a to z change, and the comparisons
// agree with comparing the folded texts.
#include <string>

#include "FuzzInput.h"
#include "core/CaseFold.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const std::wstring a = input.Text();
  const std::wstring b = input.Text();

  const std::wstring upperA = fm::AsciiUpper(a);
  const std::wstring upperB = fm::AsciiUpper(b);
  FM_FUZZ_CHECK(upperA.size() == a.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    const bool lower = a[i] >= L'a' && a[i] <= L'z';
    FM_FUZZ_CHECK(upperA[i] == (lower ? a[i] - L'a' + L'A' : a[i]));
  }
  FM_FUZZ_CHECK(fm::AsciiUpper(upperA) == upperA);

  FM_FUZZ_CHECK(fm::EqualsAsciiNoCase(a, b) == (upperA == upperB));
  FM_FUZZ_CHECK(fm::EqualsAsciiNoCase(a, b) == fm::EqualsAsciiNoCase(b, a));
  FM_FUZZ_CHECK(fm::StartsWithAsciiNoCase(a, b) == upperA.starts_with(upperB));
  return 0;
}
