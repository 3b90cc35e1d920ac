// Privileges of the test process's own token, as Wine gives them: the token is elevated
// and in Administrators, and Wine does not know four of the names Windows knows.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "WinTestSupport.h"
#include "core/Error.h"
#include "helpers/Privileges.h"
#include "platform/Handles.h"
#include "platform/OsError.h"

namespace {

using myHelper::EnablePrivilege;

// Whether the privilege is enabled in the current process's token now.
bool Enabled(const wchar_t* name) {
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, name, &luid)) return false;
  fm::UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) return false;
  DWORD size = 0;
  GetTokenInformation(token.Get(), TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (!GetTokenInformation(token.Get(), TokenPrivileges, buffer.data(), size, &size)) return false;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
    if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart) {
      return (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  return false;
}

// Runs the test's code as a process without elevation would.
class NotElevated {
 public:
  NotElevated() : before_(myHelper::SetElevationTest([] { return false; })) {}
  ~NotElevated() { myHelper::SetElevationTest(before_); }

 private:
  myHelper::TElevationTest before_;
};

class Privileges : public testing::Test {
 protected:
  void SetUp() override {
    if (!fm::test::RunningUnderWine()) GTEST_SKIP() << "the expected answers are Wine's";
  }
};

TEST_F(Privileges, TheProcessRunsElevatedAsAnAdministrator) {
  EXPECT_TRUE(myHelper::IsElevated());
  EXPECT_TRUE(myHelper::IsAdmin());
}

TEST_F(Privileges, EveryNameOfBothListsEnablesOrRaisesWithTheSystemsText) {
  // The names Wine's LookupPrivilegeValueW does not know.
  const std::set<std::wstring> unknown = {L"SeIncreaseWorkingSetPrivilege", L"SeTimeZonePrivilege",
                                          L"SeCreateSymbolicLinkPrivilege",
                                          L"SeDelegateSessionUserImpersonatePrivilege"};
  std::vector<const wchar_t*> names(myHelper::UserPrivileges.begin(),
                                    myHelper::UserPrivileges.end());
  names.insert(names.end(), myHelper::AdminPrivileges.begin(), myHelper::AdminPrivileges.end());
  ASSERT_EQ(names.size(), 24u);
  for (const wchar_t* name : names) {
    const std::string trace(name, name + wcslen(name));
    SCOPED_TRACE(trace);
    if (unknown.count(name)) {
      try {
        EnablePrivilege(0, name, true);
        ADD_FAILURE() << "no error";
      } catch (const fm::Error& e) {
        EXPECT_EQ(e.Text(), fm::SystemMessage(ERROR_NO_SUCH_PRIVILEGE));
      }
    } else {
      EXPECT_TRUE(EnablePrivilege(0, name, true));
      EXPECT_TRUE(Enabled(name));
    }
  }
}

TEST_F(Privileges, DisablingWritesNoEnabledAttribute) {
  ASSERT_TRUE(EnablePrivilege(0, L"SeBackupPrivilege", true));
  ASSERT_TRUE(Enabled(L"SeBackupPrivilege"));
  EXPECT_TRUE(EnablePrivilege(0, L"SeBackupPrivilege", false));
  EXPECT_FALSE(Enabled(L"SeBackupPrivilege"));
  EXPECT_TRUE(EnablePrivilege(0, L"SeBackupPrivilege", true));
  EXPECT_TRUE(Enabled(L"SeBackupPrivilege"));
}

TEST_F(Privileges, WithoutElevationNoAdministratorPrivilegeIsAttempted) {
  ASSERT_TRUE(EnablePrivilege(0, L"SeDebugPrivilege", false));
  ASSERT_TRUE(EnablePrivilege(0, L"SeRestorePrivilege", false));
  {
    NotElevated notElevated;
    for (const wchar_t* name :
         {L"SeDebugPrivilege", L"sedebugprivilege", L"SEDEBUGPRIVILEGE", L"SeRestorePrivilege",
          // Not even a name the system lacks gets as far as the system.
          L"SeDelegateSessionUserImpersonatePrivilege"}) {
      const std::string trace(name, name + wcslen(name));
      SCOPED_TRACE(trace);
      bool result = true;
      EXPECT_NO_THROW(result = EnablePrivilege(0, name, true));
      EXPECT_FALSE(result);
    }
    EXPECT_FALSE(Enabled(L"SeDebugPrivilege"));
    EXPECT_FALSE(Enabled(L"SeRestorePrivilege"));
    // The ordinary ones and names of neither list are attempted all the same.
    EXPECT_TRUE(EnablePrivilege(0, L"SeChangeNotifyPrivilege", true));
    EXPECT_THROW(EnablePrivilege(0, L"SeNoSuchThingPrivilege", true), fm::Error);
    // Another process's token is not the current process's elevation's business.
    fm::UniqueHandle self(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId()));
    ASSERT_TRUE(self);
    const auto handle = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(self.Get()));
    EXPECT_TRUE(EnablePrivilege(handle, L"SeDebugPrivilege", true));
    EXPECT_TRUE(Enabled(L"SeDebugPrivilege"));
  }
  EXPECT_TRUE(EnablePrivilege(0, L"SeRestorePrivilege", true));
  EXPECT_TRUE(Enabled(L"SeRestorePrivilege"));
}

TEST_F(Privileges, ANameOutsideBothListsIsAttempted) {
  for (bool elevated : {true, false}) {
    SCOPED_TRACE(elevated ? "elevated" : "not elevated");
    const myHelper::TElevationTest before =
        myHelper::SetElevationTest(elevated ? +[] { return true; } : +[] { return false; });
    try {
      EnablePrivilege(0, L"SeNoSuchThingPrivilege", true);
      ADD_FAILURE() << "no error";
    } catch (const fm::Error& e) {
      EXPECT_EQ(e.Text(), fm::SystemMessage(ERROR_NO_SUCH_PRIVILEGE));
    }
    myHelper::SetElevationTest(before);
  }
  EXPECT_FALSE(EnablePrivilege(0, L"", true));
}

// Start-up enables the privileges although Wine refuses some, and goes on to the steps
// after them: the window gets its item list and shows the computer folder.
class StartupWithPrivileges : public fm::test::MainWindowTest {};

TEST_F(StartupWithPrivileges, StartUpCompletesAlthoughSomePrivilegesFail) {
  if (!fm::test::RunningUnderWine()) GTEST_SKIP() << "Wine refuses names that Windows knows";
  EXPECT_THROW(EnablePrivilege(0, L"SeTimeZonePrivilege", true), fm::Error);
  main_.reset();
  fm::test::TakeQuitRequest();
  EnablePrivilege(0, L"SeShutdownPrivilege", false);
  EnablePrivilege(0, L"SeTakeOwnershipPrivilege", false);
  {
    fm::test::ModalWatcher watcher;
    main_ = std::make_unique<MainUnit::TMain>();
    fm::ui::Application().SetMainForm(main_.get());
    fm::test::PumpPending();
    EXPECT_TRUE(watcher.Boxes().empty());
  }
  EXPECT_TRUE(main_->HasItemList());
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_GT(main_->LeftItemCount(), 0);
  // Ordinary and administrator privileges after the refused ones were enabled.
  EXPECT_TRUE(Enabled(L"SeShutdownPrivilege"));
  EXPECT_TRUE(Enabled(L"SeTakeOwnershipPrivilege"));
}

}  // namespace
