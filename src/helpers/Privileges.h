// The privileges of a process's access token.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace myHelper {

// Held by an ordinary user's token; enabled at every start.
inline constexpr std::array<const wchar_t*, 5> UserPrivileges = {
    L"SeChangeNotifyPrivilege", L"SeIncreaseWorkingSetPrivilege", L"SeShutdownPrivilege",
    L"SeTimeZonePrivilege", L"SeUndockPrivilege"};

// Held only by an elevated administrator's token; enabled at start when elevated.
inline constexpr std::array<const wchar_t*, 19> AdminPrivileges = {
    L"SeBackupPrivilege",
    L"SeCreateGlobalPrivilege",
    L"SeCreatePagefilePrivilege",
    L"SeCreateSymbolicLinkPrivilege",
    L"SeDebugPrivilege",
    L"SeDelegateSessionUserImpersonatePrivilege",
    L"SeImpersonatePrivilege",
    L"SeIncreaseBasePriorityPrivilege",
    L"SeIncreaseQuotaPrivilege",
    L"SeLoadDriverPrivilege",
    L"SeManageVolumePrivilege",
    L"SeProfileSingleProcessPrivilege",
    L"SeRemoteShutdownPrivilege",
    L"SeRestorePrivilege",
    L"SeSecurityPrivilege",
    L"SeSystemEnvironmentPrivilege",
    L"SeSystemProfilePrivilege",
    L"SeSystemtimePrivilege",
    L"SeTakeOwnershipPrivilege",
};

// Enables (or disables) a privilege in the token of the process ProcessHandle, 0 being the
// current process. Returns true when the adjustment left no error code; raises an error
// with the system's text when it did (unknown name, privilege not held, token not
// opened). A name of AdminPrivileges for the current process without elevation is not
// attempted and gives false; an empty name gives false.
bool EnablePrivilege(std::uint32_t ProcessHandle, const std::wstring& PrivilegeName, bool Enable);

// Whether the current thread (or, without a token of its own, the process) runs elevated.
bool IsElevated();

// Whether the calling thread's token is in the built-in Administrators group.
bool IsAdmin();

// The elevation test EnablePrivilege asks; tests replace it to take the other path.
// Returns the one in place before.
using TElevationTest = bool (*)();
TElevationTest SetElevationTest(TElevationTest test);

}  // namespace myHelper
