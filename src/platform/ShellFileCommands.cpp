#include "platform/ShellFileCommands.h"

#include <shellapi.h>
#include <shlwapi.h>

#include "core/Error.h"
#include "core/PathText.h"

namespace fm {

bool HasEditVerb(const std::wstring& path) {
  const std::wstring name = FileNamePart(path);
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos) return false;
  const std::wstring extension = name.substr(dot);
  DWORD length = 0;
  const HRESULT hr = AssocQueryStringW(ASSOCF_NOTRUNCATE, ASSOCSTR_COMMAND, extension.c_str(), L"edit", nullptr, &length);
  return (hr == S_OK || hr == S_FALSE) && length > 1;
}

void SendToRecycleBin(HWND owner, const std::vector<std::wstring>& paths) {
  if (paths.empty()) return;
  // Names one after another, each ended by a NUL, and the list by one more.
  std::wstring from;
  for (const std::wstring& path : paths) from.append(path).push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.hwnd = owner;
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_WANTNUKEWARNING;
  const int result = SHFileOperationW(&operation);
  if (result != 0) {
    throw Error(L"The items could not be sent to the Recycle Bin (error " + std::to_wstring(result) + L").");
  }
  if (operation.fAnyOperationsAborted) throw Error(L"Sending the items to the Recycle Bin was stopped.");
}

}  // namespace fm
