// Error texts for any code and system message: the code reads back from the text, and the
// error box's message is the text with at most one "." added.
#include <string>

#include "FuzzInput.h"
#include "core/ErrorText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fm::fuzz::FuzzInput input(data, size);
  const auto code = input.Number<std::uint32_t>();
  const std::wstring message = input.Text();

  const std::wstring ole = fm::OleErrorText(code);
  FM_FUZZ_CHECK(ole.size() == 18 && ole.starts_with(L"OLE error "));
  FM_FUZZ_CHECK(std::stoul(ole.substr(10), nullptr, 16) == code);
  FM_FUZZ_CHECK(ole.find_first_of(L"abcdef", 10) == std::wstring::npos);

  const auto signedCode = static_cast<std::int32_t>(code);
  const std::wstring system = fm::SystemErrorText(signedCode, message);
  const std::wstring head = L"System Error.  Code: ";
  FM_FUZZ_CHECK(system.starts_with(head));
  const auto end = system.find(L".\r\n", head.size());
  FM_FUZZ_CHECK(end != std::wstring::npos);
  FM_FUZZ_CHECK(std::stol(system.substr(head.size(), end - head.size())) == signedCode);
  FM_FUZZ_CHECK(system.substr(end + 3) == message);

  const std::wstring box = fm::ErrorBoxText(message);
  FM_FUZZ_CHECK(box == message || box == message + L".");
  FM_FUZZ_CHECK(box.empty() == message.empty());
  FM_FUZZ_CHECK(box.empty() || box.back() <= L'.');
  return 0;
}
