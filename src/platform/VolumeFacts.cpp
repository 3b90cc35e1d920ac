#include "platform/VolumeFacts.h"

namespace fm {

namespace {

std::wstring RootOf(wchar_t letter) { return std::wstring{letter, L':', L'\\'}; }

}  // namespace

CriticalErrorBoxesOff::CriticalErrorBoxesOff() noexcept {
  changed_ =
      SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_) != FALSE;
}

CriticalErrorBoxesOff::~CriticalErrorBoxesOff() {
  if (changed_) SetThreadErrorMode(previous_, nullptr);
}

bool DriveInUse(wchar_t letter) {
  return GetDriveTypeW(RootOf(letter).c_str()) != DRIVE_NO_ROOT_DIR;
}

VolumeFacts ReadVolumeFacts(wchar_t letter) {
  const CriticalErrorBoxesOff quiet;
  const std::wstring root = RootOf(letter);
  VolumeFacts facts;
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t fileSystem[MAX_PATH + 1] = {};
  if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                            fileSystem, MAX_PATH + 1)) {
    facts.label = label;
    facts.fileSystem = fileSystem;
  }
  ULARGE_INTEGER available{};
  ULARGE_INTEGER total{};
  if (GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr)) {
    facts.freeBytes = static_cast<std::int64_t>(available.QuadPart);
    facts.totalBytes = static_cast<std::int64_t>(total.QuadPart);
  }
  return facts;
}

}  // namespace fm
