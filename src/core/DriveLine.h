// The text of one line of the drive boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fm {

// "C:\ - [System] (NTFS) - 120.5 GB of 476.34 GB free". Every line starts with the
// drive's root, which navigation relies on. An empty label reads "No Label.", an empty
// file system "Unknown.". When either byte count could not be read (nullopt), both size
// pieces read "N/A" rather than the size text of -1.
std::wstring DriveLine(wchar_t letter, std::wstring_view label, std::wstring_view fileSystem,
                       std::optional<std::int64_t> freeBytes,
                       std::optional<std::int64_t> totalBytes, wchar_t decimalSeparator);

}  // namespace fm
