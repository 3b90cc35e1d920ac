#include "platform/OsError.h"

#include "core/Error.h"
#include "core/ErrorText.h"
#include "platform/Handles.h"

namespace fm {

std::wstring SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueHLocal owner(buffer);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  // The system ends its messages with CR LF, and some with a blank before it.
  while (!text.empty() && text.back() <= L' ') text.pop_back();
  return text;
}

void RaiseOleError(HRESULT hr) {
  std::wstring text = SystemMessage(static_cast<DWORD>(hr));
  if (text.empty()) text = OleErrorText(static_cast<std::uint32_t>(hr));
  throw Error(std::move(text));
}

void RaiseLastOSError(DWORD code) {
  throw Error(SystemErrorText(static_cast<std::int32_t>(code), SystemMessage(code)));
}

}  // namespace fm
