// A row's texts and style for any item facts: the size column is one of its few forms, the
// caption is the display name or a part of the path, the attribute letters keep their order,
// and the colour is one of the list's.
#include <string>

#include "FuzzInput.h"
#include "core/FileAttributes.h"
#include "core/PathText.h"
#include "core/RowStyle.h"
#include "core/RowText.h"
#include "core/SizeText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const auto attributes = input.Number<std::uint32_t>();
  const auto bytes = input.Number<std::uint64_t>();
  const bool existing = input.Flag();
  const auto separator = static_cast<wchar_t>(input.Number<std::uint16_t>());
  const std::wstring displayName = input.Text();
  const std::wstring fullPath = input.Text();
  const std::wstring shownFolder = input.Text();

  const fm::RowSizeAndCaption row =
      fm::SizeAndCaption(existing, attributes, bytes, displayName, fullPath, separator);
  const std::wstring sizeText = fm::SizeToText(static_cast<std::int64_t>(bytes), separator);
  FM_FUZZ_CHECK(row.size.empty() || row.size == L"LINK" || row.size == L"DIR" ||
                row.size == sizeText);
  FM_FUZZ_CHECK(row.caption == displayName || row.caption == fm::LastPathPart(fullPath));
  if (row.size != L"DIR") FM_FUZZ_CHECK(row.caption == displayName);

  const std::wstring letters = fm::AttributeLetters(attributes);
  std::size_t at = 0;
  for (wchar_t c : letters) {
    at = std::wstring_view(L"RASH").find(c, at);
    FM_FUZZ_CHECK(at != std::wstring_view::npos);
    ++at;
  }

  const fm::RowFacts facts{attributes, existing, fullPath, displayName, bytes, shownFolder};
  const fm::RowStyle style = fm::RowStyleOf(facts);
  namespace rc = fm::row_color;
  bool known = false;
  for (fm::TColor c : {rc::kListFont, rc::kReadOnly, rc::kSystem, rc::kHidden, rc::kLink,
                       rc::kCompressed, rc::kElsewhere, rc::kMissing}) {
    known = known || style.color == c;
  }
  FM_FUZZ_CHECK(known);
  return 0;
}
