// UTF-8 of any wide text, UTF-16 units as the system hands them over or any 32-bit value:
// the result is well-formed UTF-8 and decodes to the text's characters, surrogate pairs
// joined and everything unpaired or out of range as U+FFFD.
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "core/Error.h"

namespace {

// Strict decoding: no overlong forms, no surrogates, nothing above U+10FFFF.
bool Decode(const std::string& utf8, std::vector<char32_t>& out) {
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int extra = b < 0x80             ? 0
                      : (b & 0xE0) == 0xC0 ? 1
                      : (b & 0xF0) == 0xE0 ? 2
                      : (b & 0xF8) == 0xF0 ? 3
                                           : -1;
    if (extra < 0 || i + extra >= utf8.size()) return false;
    char32_t c = extra == 0 ? b : b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (c < kLeast[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    out.push_back(c);
    i += extra + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  std::wstring text;
  if (input.Flag()) {
    while (!input.AtEnd()) text += static_cast<wchar_t>(input.Number<std::uint32_t>());
  } else {
    text = input.Text();
  }

  std::vector<char32_t> expected;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<char32_t>(static_cast<std::uint32_t>(text[i]));
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const char32_t low = i + 1 < text.size() ? static_cast<char32_t>(text[i + 1]) : 0;
    if (high && low >= 0xDC00 && low <= 0xDFFF) {
      expected.push_back(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
      ++i;
    } else {
      const bool valid = !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
      expected.push_back(valid ? c : 0xFFFD);
    }
  }

  std::vector<char32_t> decoded;
  FM_FUZZ_CHECK(Decode(fm::ToUtf8(text), decoded));
  FM_FUZZ_CHECK(decoded == expected);
  return 0;
}
