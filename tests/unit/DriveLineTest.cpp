#include <gtest/gtest.h>

#include "core/DriveLine.h"

namespace fm {
namespace {

constexpr std::int64_t kGiB = 1LL << 30;

TEST(DriveLineTest, ComposesLetterLabelFileSystemAndSpace) {
  const struct {
    wchar_t letter;
    const wchar_t* label;
    const wchar_t* fileSystem;
    std::optional<std::int64_t> freeBytes;
    std::optional<std::int64_t> totalBytes;
    wchar_t separator;
    const wchar_t* line;
  } cases[] = {
      {L'C', L"System", L"NTFS", 241 * kGiB / 2, 47634 * kGiB / 100, L'.',
       L"C:\\ - [System] (NTFS) - 120.5 GB of 476.34 GB free"},
      {L'D', L"", L"FAT32", 1536, 4096, L'.', L"D:\\ - [No Label.] (FAT32) - 1.5 KB of 4 KB free"},
      {L'E', L"Data", L"", 0, 0, L'.', L"E:\\ - [Data] (Unknown.) - 0 B of 0 B free"},
      {L'Z', L"", L"", 1536, 1536, L',', L"Z:\\ - [No Label.] (Unknown.) - 1,5 KB of 1,5 KB free"},
      {L'c', L"x", L"NTFS", 1, 2, L'.', L"C:\\ - [x] (NTFS) - 1 B of 2 B free"},
      // Unreadable space: both pieces say so, the rest of the line is as usual.
      {L'F', L"", L"", std::nullopt, std::nullopt, L'.',
       L"F:\\ - [No Label.] (Unknown.) - N/A of N/A free"},
      {L'G', L"Card", L"exFAT", std::nullopt, 4096, L'.',
       L"G:\\ - [Card] (exFAT) - N/A of N/A free"},
      {L'H', L"Card", L"exFAT", 4096, std::nullopt, L'.',
       L"H:\\ - [Card] (exFAT) - N/A of N/A free"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriveLine(c.letter, c.label, c.fileSystem, c.freeBytes, c.totalBytes, c.separator),
              c.line);
  }
}

}  // namespace
}  // namespace fm
