// The row typing finds, for any typed text, start row and list of names: a found row
// matches, no row the search passed before it does, and no row is looked at twice.
#include <set>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "core/CaseFold.h"
#include "core/IncrementalFind.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const int start = input.Number<std::int16_t>();
  const bool wrap = input.Flag();
  const std::wstring typed = input.Text();
  std::vector<std::wstring> names;
  while (!input.AtEnd() && names.size() < 256) names.push_back(input.Text());
  const int count = static_cast<int>(names.size());

  std::multiset<int> looked;
  const int found = fm::FindRowByPrefix(typed, start, wrap, count, [&](int row) {
    FM_FUZZ_CHECK(row >= 0 && row < count);
    looked.insert(row);
    return std::wstring_view(names[row]);
  });
  FM_FUZZ_CHECK(found == fm::FindRowByPrefix(typed, start, wrap, names));
  for (int row : looked) FM_FUZZ_CHECK(looked.count(row) == 1);

  // The order the search promises: from the start row up, then from row 0 when wrapping.
  std::vector<int> order;
  const int from = start < 0 ? 0 : start;
  for (int row = from; row < count; ++row) order.push_back(row);
  if (wrap) {
    for (int row = 0; row < from && row < count; ++row) order.push_back(row);
  }
  int expected = -1;
  if (!typed.empty()) {
    for (int row : order) {
      if (fm::StartsWithAsciiNoCase(names[row], typed)) {
        expected = row;
        break;
      }
    }
  }
  FM_FUZZ_CHECK(found == expected);
  return 0;
}
