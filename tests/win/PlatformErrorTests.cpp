#include <gtest/gtest.h>

#include <string>

#include "core/Error.h"
#include "platform/OsError.h"

namespace {

std::wstring TextOf(void (*raise)()) {
  try {
    raise();
  } catch (const fm::Error& error) {
    return error.Text();
  }
  ADD_FAILURE() << "no fm::Error was raised";
  return {};
}

// The raw text FormatMessageW gives, line break and all.
std::wstring RawSystemMessage(DWORD code) {
  wchar_t buffer[1024] = {};
  const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, buffer, 1024, nullptr);
  return std::wstring(buffer, length);
}

TEST(PlatformErrors, SystemMessageDropsOnlyTheTrailingLineBreakAndBlanks) {
  for (const DWORD code : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED},
                           static_cast<DWORD>(E_OUTOFMEMORY)}) {
    SCOPED_TRACE(code);
    const std::wstring raw = RawSystemMessage(code);
    const std::wstring message = fm::SystemMessage(code);
    ASSERT_FALSE(message.empty());
    EXPECT_GT(message.back(), L' ');
    ASSERT_EQ(raw.compare(0, message.size(), message), 0);
    EXPECT_EQ(raw.find_first_not_of(L" \t\r\n", message.size()), std::wstring::npos);
  }
  EXPECT_EQ(fm::SystemMessage(0x8FFF1234), L"");
}

TEST(PlatformErrors, FailedResultCodesRaiseTheSystemsTextOrTheOleErrorText) {
  const std::wstring message = fm::SystemMessage(static_cast<DWORD>(E_OUTOFMEMORY));
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(TextOf([] { fm::OleCheck(E_OUTOFMEMORY); }), message);
  EXPECT_EQ(TextOf([] { fm::RaiseOleError(E_OUTOFMEMORY); }), message);
  EXPECT_EQ(TextOf([] { fm::OleCheck(static_cast<HRESULT>(0x8FFF1234)); }), L"OLE error 8FFF1234");
  EXPECT_NO_THROW(fm::OleCheck(S_OK));
  EXPECT_NO_THROW(fm::OleCheck(S_FALSE));
}

TEST(PlatformErrors, LastErrorRaisesSystemErrorTextWithCodeAndMessage) {
  const std::wstring notFound = L"System Error.  Code: 2.\r\n" + fm::SystemMessage(2);
  const std::wstring denied = L"System Error.  Code: 5.\r\n" + fm::SystemMessage(5);
  EXPECT_EQ(TextOf([] { fm::RaiseLastOSError(ERROR_FILE_NOT_FOUND); }), notFound);
  // Without a code the thread's last error is the one reported.
  EXPECT_EQ(TextOf([] {
              SetLastError(ERROR_ACCESS_DENIED);
              fm::RaiseLastOSError();
            }),
            denied);
  EXPECT_EQ(TextOf([] { fm::Win32Check(DeleteFileW(L"C:\\foldmere-no-such-file.txt")); }),
            notFound);
  SetLastError(ERROR_ACCESS_DENIED);
  EXPECT_NO_THROW(fm::Win32Check(TRUE));
}

}  // namespace
