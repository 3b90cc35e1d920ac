// What the drive boxes show of a drive: whether its letter is in use, its label, file
// system and space.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace fm {

struct VolumeFacts {
  std::wstring label;                      // empty when the drive reports none
  std::wstring fileSystem;                 // empty when the drive reports none
  std::optional<std::int64_t> freeBytes;   // available to this user; none when unreadable
  std::optional<std::int64_t> totalBytes;  // none when unreadable
};

// Whether the drive letter is in use (every drive type counts).
bool DriveInUse(wchar_t letter);

// The facts of the drive's volume. A drive without a medium (an empty card reader or
// optical drive) answers nothing, and the system is kept from asking for a disk.
VolumeFacts ReadVolumeFacts(wchar_t letter);

// Turns the system's critical-error boxes ("There is no disk in the drive") off for the
// calling thread while it lives.
class CriticalErrorBoxesOff {
 public:
  CriticalErrorBoxesOff() noexcept;
  ~CriticalErrorBoxesOff();
  CriticalErrorBoxesOff(const CriticalErrorBoxesOff&) = delete;
  CriticalErrorBoxesOff& operator=(const CriticalErrorBoxesOff&) = delete;

 private:
  DWORD previous_ = 0;
  bool changed_ = false;
};

}  // namespace fm
