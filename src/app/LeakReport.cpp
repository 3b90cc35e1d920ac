#include "LeakReport.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "MainUnit.h"
#include "platform/ShellItemIdList.h"

namespace foldmere {

LeakReport::~LeakReport() {
#ifndef NDEBUG
  const auto lists = fm::LiveItemIdLists();
  const auto entries = MainUnit::TLeftShellItem::Live();
  if (lists == 0 && entries == 0) return;
  const std::wstring text = L"Unexpected memory leak: " + std::to_wstring(lists) + L" item ID lists and " +
                            std::to_wstring(entries) + L" entries still allocated at exit.\n";
  OutputDebugStringW(text.c_str());
  std::fputws(text.c_str(), stderr);
#endif
}

}  // namespace foldmere
