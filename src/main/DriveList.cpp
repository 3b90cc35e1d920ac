// The drive boxes: one line per drive letter in use.
#include "MainUnit.h"
#include "core/CaseFold.h"
#include "core/DriveLine.h"
#include "platform/Locale.h"
#include "platform/VolumeFacts.h"

namespace MainUnit {

void TMain::FillDriveLists(const std::wstring& StartDrive) {
  DrivesLeft->Clear();
  DrivesRight->Clear();
  int added = 0;
  const wchar_t separator = fm::LocaleDecimalSeparator();
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    if (!FDriveInUse(letter)) continue;
    const fm::VolumeFacts facts = fm::ReadVolumeFacts(letter);
    const std::wstring line =
        fm::DriveLine(letter, facts.label, facts.fileSystem, facts.freeBytes, facts.totalBytes, separator);
    DrivesLeft->AddItem(line);
    DrivesRight->AddItem(line);
    ++added;
    // Only a drive that has a line can be selected; "c:" names drive C: as well.
    if (StartDrive.size() >= 2 && fm::EqualsAsciiNoCase(std::wstring_view(StartDrive).substr(0, 2),
                                                        std::wstring{letter, L':'})) {
      DrivesLeft->SetItemIndex(added - 1);
      DrivesRight->SetItemIndex(added - 1);
    }
  }
}

}  // namespace MainUnit
