// The drive boxes: one line per drive letter in use.
#include <optional>

#include "MainUnit.h"
#include "core/DriveLine.h"
#include "platform/Locale.h"

namespace MainUnit {

void TMain::FillDriveLists(const std::wstring& StartDrive) {
  DrivesLeft->Clear();
  DrivesRight->Clear();
  int added = 0;
  const wchar_t separator = fm::LocaleDecimalSeparator();
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const std::wstring root{letter, L':', L'\\'};
    if (GetDriveTypeW(root.c_str()) != DRIVE_NO_ROOT_DIR) {
      wchar_t label[MAX_PATH + 1] = {};
      wchar_t fileSystem[MAX_PATH + 1] = {};
      if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, fileSystem,
                                 MAX_PATH + 1)) {
        label[0] = L'\0';
        fileSystem[0] = L'\0';
      }
      ULARGE_INTEGER available{};
      ULARGE_INTEGER total{};
      std::optional<std::int64_t> freeBytes;
      std::optional<std::int64_t> totalBytes;
      if (GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr)) {
        freeBytes = static_cast<std::int64_t>(available.QuadPart);
        totalBytes = static_cast<std::int64_t>(total.QuadPart);
      }
      const std::wstring line = fm::DriveLine(letter, label, fileSystem, freeBytes, totalBytes, separator);
      DrivesLeft->AddItem(line);
      DrivesRight->AddItem(line);
      ++added;
      // Only a drive that has a line can be selected.
      if (StartDrive.size() >= 2 && StartDrive[0] == letter && StartDrive[1] == L':') {
        DrivesLeft->SetItemIndex(added - 1);
        DrivesRight->SetItemIndex(added - 1);
      }
    }
  }
}

}  // namespace MainUnit
