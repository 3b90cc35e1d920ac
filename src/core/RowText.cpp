#include "core/RowText.h"

#include "core/FileAttributes.h"
#include "core/PathText.h"
#include "core/SizeText.h"

namespace fm {

RowSizeAndCaption SizeAndCaption(bool isExistingFile, std::uint32_t attributes, std::uint64_t size,
                                 std::wstring_view displayName, std::wstring_view fullPath,
                                 wchar_t decimalSeparator) {
  RowSizeAndCaption row{{}, std::wstring(displayName)};
  const auto sizeText = [&] {
    return SizeToText(static_cast<std::int64_t>(size), decimalSeparator);
  };
  if (isExistingFile) {
    row.size = sizeText();
  } else if (attributes & file_attribute::kReparsePoint) {
    row.size = L"LINK";
  } else if (attributes & file_attribute::kDirectory) {
    row.size = L"DIR";
    // A localised display name hides the folder's real name; the row shows the real one.
    std::wstring folderName = LastPathPart(fullPath);
    if (folderName != row.caption) row.caption = std::move(folderName);
  } else if (size != 0) {
    row.size = sizeText();
  }
  return row;
}

std::wstring AttributeLetters(std::uint32_t attributes) {
  std::wstring letters;
  if (attributes & file_attribute::kReadOnly) letters += L'R';
  if (attributes & file_attribute::kArchive) letters += L'A';
  if (attributes & file_attribute::kSystem) letters += L'S';
  if (attributes & file_attribute::kHidden) letters += L'H';
  return letters;
}

}  // namespace fm
