#include "helpers/Privileges.h"

#include <windows.h>

#include <versionhelpers.h>

#include <algorithm>
#include <utility>

#include "core/CaseFold.h"
#include "core/Error.h"
#include "platform/Handles.h"
#include "platform/OsError.h"

namespace myHelper {

namespace {

TElevationTest elevationTest = IsElevated;

struct SidTraits : fm::handle_traits::NullIsNone<PSID> {
  static void Close(PSID value) noexcept { FreeSid(value); }
};
using UniqueSid = fm::UniqueResource<SidTraits>;

bool IsAdminPrivilege(const std::wstring& name) {
  return std::any_of(AdminPrivileges.begin(), AdminPrivileges.end(),
                     [&](const wchar_t* admin) { return fm::EqualsAsciiNoCase(name, admin); });
}

// The adjustment itself; the thread's last error afterwards tells how it went.
DWORD AdjustPrivilege(HANDLE process, const std::wstring& name, bool enable) {
  fm::UniqueHandle token;
  if (!OpenProcessToken(process, TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) {
    return GetLastError();
  }
  TOKEN_PRIVILEGES privileges{};
  if (!LookupPrivilegeValueW(nullptr, name.c_str(), &privileges.Privileges[0].Luid)) {
    return GetLastError();
  }
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  TOKEN_PRIVILEGES previous{};
  DWORD returned = 0;
  // Success says only that the call worked: a privilege the token lacks leaves
  // ERROR_NOT_ALL_ASSIGNED, so the last error is the answer either way.
  SetLastError(ERROR_SUCCESS);
  AdjustTokenPrivileges(token.Get(), FALSE, &privileges, sizeof(privileges), &previous, &returned);
  return GetLastError();
}

}  // namespace

bool EnablePrivilege(std::uint32_t ProcessHandle, const std::wstring& PrivilegeName, bool Enable) {
  if (PrivilegeName.empty()) return false;
  if (ProcessHandle == 0 && IsAdminPrivilege(PrivilegeName) && !elevationTest()) return false;
  HANDLE process = ProcessHandle == 0
                       ? GetCurrentProcess()
                       : reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(ProcessHandle));
  const DWORD code = AdjustPrivilege(process, PrivilegeName, Enable);
  if (code == ERROR_SUCCESS) return true;
  std::wstring text = fm::SystemMessage(code);
  if (text.empty()) fm::RaiseLastOSError(code);
  throw fm::Error(std::move(text));
}

bool IsElevated() {
  if (!IsWindowsVistaOrGreater()) return IsAdmin();
  fm::UniqueHandle token;
  if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put())) {
    if (GetLastError() != ERROR_NO_TOKEN) return false;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return false;
  }
  TOKEN_ELEVATION elevation{};
  DWORD returned = 0;
  if (!GetTokenInformation(token.Get(), TokenElevation, &elevation, sizeof(elevation), &returned)) {
    return false;
  }
  return elevation.TokenIsElevated != 0;
}

bool IsAdmin() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid administrators;
  fm::Win32Check(AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                          DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                          administrators.Put()));
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators.Get(), &member)) return false;
  return member != FALSE;
}

TElevationTest SetElevationTest(TElevationTest test) { return std::exchange(elevationTest, test); }

}  // namespace myHelper
