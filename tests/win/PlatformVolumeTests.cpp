// The drive probe: the facts of a drive in use, nothing for a letter without one, and the
// system's "no disk" boxes kept off while it asks.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/VolumeFacts.h"

namespace {

TEST(PlatformVolume, CriticalErrorBoxesAreOffForTheScopeOnly) {
  const UINT before = GetThreadErrorMode();
  {
    const fm::CriticalErrorBoxesOff off;
    EXPECT_TRUE(GetThreadErrorMode() & SEM_FAILCRITICALERRORS);
    EXPECT_TRUE(GetThreadErrorMode() & SEM_NOOPENFILEERRORBOX);
  }
  EXPECT_EQ(GetThreadErrorMode(), before);
}

TEST(PlatformVolume, ADriveInUseHasItsFactsAndAFreeLetterHasNone) {
  const UINT before = GetThreadErrorMode();
  ASSERT_TRUE(fm::DriveInUse(L'C'));
  const fm::VolumeFacts system = fm::ReadVolumeFacts(L'C');
  EXPECT_FALSE(system.fileSystem.empty());
  ASSERT_TRUE(system.freeBytes && system.totalBytes);
  EXPECT_GT(*system.totalBytes, 0);
  EXPECT_LE(*system.freeBytes, *system.totalBytes);

  const DWORD used = GetLogicalDrives();
  wchar_t free = 0;
  for (wchar_t letter = L'Z'; letter >= L'D' && !free; --letter) {
    if (!(used & (1u << (letter - L'A')))) free = letter;
  }
  ASSERT_NE(free, 0) << "every letter is in use";
  EXPECT_FALSE(fm::DriveInUse(free));
  const fm::VolumeFacts none = fm::ReadVolumeFacts(free);
  EXPECT_EQ(none.label, L"");
  EXPECT_EQ(none.fileSystem, L"");
  EXPECT_FALSE(none.freeBytes);
  EXPECT_FALSE(none.totalBytes);
  // The probe leaves the thread's error mode as it found it.
  EXPECT_EQ(GetThreadErrorMode(), before);
}

}  // namespace
