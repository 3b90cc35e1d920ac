#include "Floor.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

#include "Measure.h"

namespace bench {

namespace {

// The same enumeration flags as the folder read: every kind of item, hidden ones too.
constexpr SHCONTF kEnumFlags = static_cast<SHCONTF>(0x1ECE0);

// The floor, opening each item for its final path or only asking its attributes.
FloorRun Measure(IShellFolder& folder, HWND owner, bool openItems) {
  std::vector<LPITEMIDLIST> items;
  Stopwatch clock;
  IEnumIDList* enumerator = nullptr;
  if (SUCCEEDED(folder.EnumObjects(owner, kEnumFlags, &enumerator)) && enumerator) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (enumerator->Next(1, &item, &fetched) == S_OK) {
      STRRET name{};
      wchar_t parsing[1024];
      if (SUCCEEDED(folder.GetDisplayNameOf(item, SHGDN_FORPARSING, &name)) &&
          SUCCEEDED(StrRetToBufW(&name, item, parsing, 1024))) {
        if (openItems) {
          const HANDLE file = CreateFileW(parsing, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_BACKUP_SEMANTICS, nullptr);
          if (file != INVALID_HANDLE_VALUE) {
            wchar_t final[512];
            const DWORD length = GetFinalPathNameByHandleW(file, final, 512, 0);
            CloseHandle(file);
            if (length > 4 && length < 512) GetFileAttributesW(final + 4);  // after "\\?\"
          }
        } else {
          GetFileAttributesW(parsing);
        }
      }
      items.push_back(item);
    }
    enumerator->Release();
  }
  std::stable_sort(items.begin(), items.end(), [&folder](LPITEMIDLIST a, LPITEMIDLIST b) {
    return static_cast<short>(HRESULT_CODE(folder.CompareIDs(0, a, b))) < 0;
  });
  const double ms = clock.Ms();
  for (LPITEMIDLIST item : items) CoTaskMemFree(item);
  return {ms, items.size()};
}

}  // namespace

FloorRun MeasureFloor(IShellFolder& folder, HWND owner) { return Measure(folder, owner, true); }

FloorRun MeasureLeastFloor(IShellFolder& folder, HWND owner) {
  return Measure(folder, owner, false);
}

}  // namespace bench
