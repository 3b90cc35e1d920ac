#include "core/ErrorText.h"

namespace fm {

std::wstring OleErrorText(std::uint32_t code) {
  // Written by hand: the wide printf family differs between the C runtimes we build with.
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text = L"OLE error ";
  for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(code >> shift) & 0xFu];
  return text;
}

std::wstring SystemErrorText(std::int32_t code, std::wstring_view systemMessage) {
  std::wstring text = L"System Error.  Code: " + std::to_wstring(code) + L".\r\n";
  text += systemMessage;
  return text;
}

std::wstring ErrorBoxText(std::wstring_view text) {
  std::wstring shown(text);
  if (!shown.empty() && shown.back() > L'.') shown += L'.';
  return shown;
}

}  // namespace fm
