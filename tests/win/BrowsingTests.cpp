// Browsing real folders under Wine: the folder read, navigation, lazy details and the
// drive boxes, on folders the tests make in the prefix's C: drive.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MainWindowFixture.h"
#include "core/ErrorText.h"
#include "platform/Locale.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace {

namespace fs = std::filesystem;
using fm::test::TestFolder;

class Browsing : public fm::test::MainWindowTest {
 protected:
  std::vector<std::wstring> PathLines() {
    std::vector<std::wstring> lines;
    for (int i = 0; i < PathBox().Count(); ++i) lines.push_back(PathBox().Item(i));
    return lines;
  }

  int LoadedEntries() {
    int loaded = 0;
    for (int i = 0; i < main_->LeftItemCount(); ++i) loaded += main_->GetLeftItem(i)->Empty ? 0 : 1;
    return loaded;
  }

  std::vector<std::wstring> DisplayNames() {
    std::vector<std::wstring> names;
    for (int i = 0; i < main_->LeftItemCount(); ++i) names.emplace_back(main_->GetLeftItem(i)->DisplayName());
    return names;
  }

};

TEST_F(Browsing, StartsInTheComputerFolderWithItsDrives) {
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(PathLines(), std::vector<std::wstring>{L"Drives"});
  EXPECT_EQ(PathBox().Text(), L"Drives");
  EXPECT_EQ(Child(L"currentPath").Text(), L"Drives");
  // The drives have their roots as paths; the control panel has no drive path and is gone.
  std::vector<std::wstring> paths;
  for (int i = 0; i < main_->LeftItemCount(); ++i) paths.push_back(main_->GetLeftItem(i)->FullPath());
  EXPECT_NE(std::find(paths.begin(), paths.end(), L"C:\\"), paths.end());
  // Wine maps the host's root to Z:.
  if (fm::test::RunningUnderWine()) {
    EXPECT_NE(std::find(paths.begin(), paths.end(), L"Z:\\"), paths.end());
  }
  for (const auto& path : paths) EXPECT_EQ(path.substr(1, 2), L":\\");
  EXPECT_EQ(List().ItemCount(), main_->LeftItemCount());
  EXPECT_EQ(List().SelectedIndex(), 0);
  EXPECT_EQ(GetFocus(), List().Handle());
  EXPECT_EQ(PathBox().Selection(), std::make_pair(0, 6));
}

TEST_F(Browsing, DriveBoxesListEveryDriveAndSelectTheStartDrive) {
  wchar_t executable[MAX_PATH];
  GetModuleFileNameW(nullptr, executable, MAX_PATH);
  for (const wchar_t* name : {L"DrivesLeft", L"DrivesRight"}) {
    auto& box = Child<MainUnit::TComboBox>(name);
    std::vector<std::wstring> lines;
    for (int i = 0; i < box.Count(); ++i) lines.push_back(box.Item(i));
    ASSERT_GE(lines.size(), 2u);
    // In letter order, each a root, label, file system and space.
    for (size_t i = 0; i < lines.size(); ++i) {
      const std::wstring& line = lines[i];
      EXPECT_EQ(line.substr(1, 6), L":\\ - [") << i;
      EXPECT_NE(line.find(L"] ("), std::wstring::npos);
      EXPECT_NE(line.find(L") - "), std::wstring::npos);
      EXPECT_NE(line.find(L" of "), std::wstring::npos);
      EXPECT_EQ(line.substr(line.size() - 5), L" free");
      if (i > 0) {
        EXPECT_LT(lines[i - 1][0], line[0]);
      }
    }
    // Wine's drives have no label and report NTFS.
    if (fm::test::RunningUnderWine()) {
      EXPECT_EQ(lines[0].rfind(L"C:\\ - [No Label.] (NTFS) - ", 0), 0u) << lines[0].c_str();
    }
    ASSERT_GE(box.ItemIndex(), 0);
    EXPECT_EQ(box.Item(box.ItemIndex())[0], executable[0]);
  }
}

TEST_F(Browsing, TheStartDriveIsFoundWithoutRegardToCase) {
  auto& left = Child<MainUnit::TComboBox>(L"DrivesLeft");
  auto& right = Child<MainUnit::TComboBox>(L"DrivesRight");
  ASSERT_GE(left.Count(), 2);
  const wchar_t last = left.Item(left.Count() - 1)[0];
  const struct {
    std::wstring startDrive;
    int line;  // -1: none selected
  } cases[] = {
      {L"C:", 0},
      {L"c:", 0},
      {std::wstring{static_cast<wchar_t>(last - L'A' + L'a'), L':'}, left.Count() - 1},
      // A program started from a share has no drive.
      {L"", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "start drive " << c.startDrive);
    main_->FillDriveLists(c.startDrive);
    EXPECT_EQ(left.ItemIndex(), c.line);
    EXPECT_EQ(right.ItemIndex(), c.line);
  }
}

TEST_F(Browsing, ReadsAFolderInItsOwnOrderWithFinalPaths) {
  TestFolder folder(L"read");
  folder.Folder(L"beta");
  folder.Folder(L"Alpha");
  folder.File(L"b.txt", "12345");
  folder.File(L"A.doc");
  folder.File(L"file10.txt");
  folder.File(L"file9.txt");
  folder.File(L".hidden");
  folder.File(L"readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
  main_->BrowseToPath(folder.Path());

  EXPECT_EQ(main_->Path(), folder.Path());
  // Folders first, then names without regard to case, as the folder orders them: Wine
  // compares digits as text, Windows by their numbers.
  std::vector<std::wstring> expected = {L"Alpha",  L"beta",      L".hidden",  L"A.doc",
                                        L"b.txt", L"file10.txt", L"file9.txt", L"readonly.txt"};
  if (!fm::test::RunningUnderWine()) std::swap(expected[5], expected[6]);
  EXPECT_EQ(DisplayNames(), expected);
  EXPECT_EQ(Entry(L"b.txt")->FullPath(), folder / L"b.txt");
  EXPECT_EQ(Entry(L"Alpha")->FullPath(), folder / L"Alpha");
  EXPECT_EQ(List().ItemCount(), 8);
  EXPECT_EQ(List().SelectedIndex(), 0);
}

TEST_F(Browsing, StatusReadsZeroAfterTheReadAndCountsAfterThePaint) {
  TestFolder folder(L"status");
  folder.Folder(L"sub");
  folder.File(L"a.txt", std::string(1536, 'a'));
  folder.File(L"b.txt", std::string(512, 'b'));
  // Within the update block nothing paints: the read's own totals are what it leaves.
  auto& list = List();
  list.BeginUpdate();
  main_->ReadFolder(fm::BindToFolder(*fm::DesktopFolder(), fm::ParseDisplayName(*fm::DesktopFolder(), nullptr,
                                                                                 folder.Path()).Get()));
  EXPECT_EQ(Status(0), L"Folders: 0");
  EXPECT_EQ(Status(1), L"Files: 0");
  EXPECT_EQ(Status(2), L"Size: 0 B");
  list.EndUpdate();
  main_->BrowseToPath(folder.Path());
  Paint();
  EXPECT_EQ(Status(0), L"Folder: 1");
  EXPECT_EQ(Status(1), L"Files: 2");
  EXPECT_EQ(Status(2), L"Size: 2 KB");
}

TEST_F(Browsing, AttributesAndLinksAsTheFolderReadGivesThem) {
  const std::wstring links = fm::test::kLinkFixture;
  if (!fm::DirectoryExists(links)) {
    ASSERT_FALSE(fm::test::RunningUnderWine()) << "the link fixture runs before these tests";
    GTEST_SKIP() << "the links are made by the test run under Wine";
  }
  main_->BrowseToPath(links);
  Paint();
  main_->FillItemDetails(0, main_->LeftItemCount() - 1);
  // A link to a file lists under its target's path; a link to a folder keeps its name
  // and resolves too; a dangling link is not listed at all.
  const auto* fileLink = Entry(L"target.txt");
  ASSERT_TRUE(fileLink);
  EXPECT_EQ(DisplayNames().size(), 4u) << "sub, link-to-folder, target.txt twice";
  const auto* folderLink = Entry(L"link-to-folder");
  ASSERT_TRUE(folderLink);
  EXPECT_EQ(folderLink->FullPath(), links + L"\\sub");
  EXPECT_EQ(folderLink->Attributes & 0x410, 0x410);
  EXPECT_EQ(main_->Folders(), 2u);
  EXPECT_EQ(main_->Files(), 2u);
}

TEST_F(Browsing, HiddenReadOnlyAndSystemFilesCarryTheirAttributes) {
  TestFolder folder(L"attributes");
  folder.File(L".dotfile");
  folder.File(L"readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
  folder.File(L"system.sys", "s", FILE_ATTRIBUTE_SYSTEM);
  folder.File(L"plain.txt");
  main_->BrowseToPath(folder.Path());
  main_->FillItemDetails(0, main_->LeftItemCount() - 1);
  EXPECT_TRUE(Entry(L".dotfile")->Attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(Entry(L"readonly.txt")->Attributes & FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Entry(L"plain.txt")->Attributes, FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(Entry(L"plain.txt")->Size, 1u);
  EXPECT_FALSE(Entry(L"plain.txt")->TypeName().empty());
  // Wine keeps the system bit only where the file system takes extended attributes.
  const DWORD system = GetFileAttributesW((folder / L"system.sys").c_str());
  EXPECT_EQ(Entry(L"system.sys")->Attributes & FILE_ATTRIBUTE_SYSTEM, system & FILE_ATTRIBUTE_SYSTEM);
}

TEST_F(Browsing, DetailsLoadOnlyForPaintedRowsAndCountOnce) {
  TestFolder folder(L"thousand");
  for (int i = 0; i < 1000; ++i) folder.File(L"f" + std::to_wstring(1000 + i) + L".txt", "12");
  main_->BrowseToPath(folder.Path());
  ASSERT_EQ(main_->LeftItemCount(), 1000);
  Paint();
  const int visible = List().VisibleRowCount();
  const int afterPaint = LoadedEntries();
  EXPECT_GT(afterPaint, 0);
  EXPECT_LE(afterPaint, visible + 2);
  EXPECT_EQ(main_->Files() + main_->Folders(), static_cast<std::uint64_t>(afterPaint));
  EXPECT_EQ(Status(1), L"Files: " + std::to_wstring(afterPaint));

  ListView_EnsureVisible(List().Handle(), 500, FALSE);
  Paint();
  const int afterScroll = LoadedEntries();
  EXPECT_GT(afterScroll, afterPaint);
  EXPECT_TRUE(!main_->GetLeftItem(500)->Empty);
  ListView_EnsureVisible(List().Handle(), 0, FALSE);
  Paint();
  EXPECT_EQ(main_->Files(), static_cast<std::uint64_t>(LoadedEntries()));
  EXPECT_EQ(main_->AllSize(), 2u * LoadedEntries());

  // A hint that reaches the row count is ignored.
  NMLVCACHEHINT hint{};
  hint.hdr.hwndFrom = List().Handle();
  hint.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(List().Handle()));
  hint.hdr.code = LVN_ODCACHEHINT;
  hint.iFrom = 900;
  hint.iTo = 1000;
  const int before = LoadedEntries();
  SendMessageW(GetParent(List().Handle()), WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
  EXPECT_EQ(LoadedEntries(), before);
  hint.iTo = 999;
  SendMessageW(GetParent(List().Handle()), WM_NOTIFY, hint.hdr.idFrom, reinterpret_cast<LPARAM>(&hint));
  EXPECT_EQ(LoadedEntries(), before + 100);
}

TEST_F(Browsing, AFileLastWrittenAtLocalMidnightShowsTheDateAlone) {
  TestFolder folder(L"midnight");
  const std::wstring midnight = folder.File(L"midnight.txt");
  const std::wstring noon = folder.File(L"noon.txt");
  auto stamp = [](const std::wstring& file, WORD hour) {
    SYSTEMTIME local{2024, 3, 0, 5, hour, 0, 0, 0};
    FILETIME localTime{};
    FILETIME utc{};
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &utc);
    HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(handle, nullptr, nullptr, &utc);
    CloseHandle(handle);
  };
  stamp(midnight, 0);
  stamp(noon, 12);
  main_->BrowseToPath(folder.Path());
  main_->FillItemDetails(0, 1);
  const std::wstring date = Entry(L"midnight.txt")->ModDate();
  const std::wstring withTime = Entry(L"noon.txt")->ModDate();
  EXPECT_FALSE(date.empty());
  EXPECT_EQ(date.find(L' '), std::wstring::npos) << "no time part";
  EXPECT_EQ(withTime.substr(0, date.size() + 1), date + L" ");
  EXPECT_GT(withTime.size(), date.size() + 4);
}

TEST_F(Browsing, TypedPathsCompleteAndNavigate) {
  TypePath(L"c");
  EXPECT_EQ(main_->Path(), L"C:\\");
  EXPECT_EQ(PathLines(), (std::vector<std::wstring>{L"C:\\", L"Drives"}));
  EXPECT_EQ(PathBox().Text(), L"C:\\");
  EXPECT_EQ(Child(L"currentPath").Text(), L"C:\\");

  // The stored line leads back, whatever the letter case typed.
  TypePath(L"dRIVES");
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(PathBox().Text(), L"Drives");
  EXPECT_EQ(PathLines(), (std::vector<std::wstring>{L"C:\\", L"Drives"}));

  // Wine's Z: is the host's root; Windows has no such drive of its own.
  if (!fm::test::RunningUnderWine()) return;
  TypePath(L"z:");
  EXPECT_EQ(main_->Path(), L"Z:\\");
  EXPECT_EQ(PathLines().size(), 3u);
}

TEST_F(Browsing, TypingDropsTheListDownAndEnterClosesIt) {
  main_->BrowseToPath(L"C:\\windows");
  COMBOBOXINFO info{sizeof(info)};
  ASSERT_TRUE(GetComboBoxInfo(PathBox().Handle(), &info));
  SetFocus(info.hwndItem);
  SetWindowTextW(info.hwndItem, L"");
  for (wchar_t c : std::wstring(L"c:")) PostMessageW(info.hwndItem, WM_CHAR, c, 1);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return PathBox().DroppedDown(); }));
  PostMessageW(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
  fm::test::PumpPending();
  EXPECT_FALSE(PathBox().DroppedDown());
  EXPECT_EQ(main_->Path(), L"C:\\");
}

TEST_F(Browsing, EnterInAnEmptyPathBoxDoesNothing) {
  main_->BrowseToPath(L"C:\\windows");
  const auto lines = PathLines();
  TypePath(L"");
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  EXPECT_EQ(PathLines(), lines);
}

TEST_F(Browsing, BackGoesUpAndBeepsAtTheTop) {
  main_->BrowseToPath(L"C:\\windows");
  // A click on the tool bar's button, as the mouse gives it; the clicks come faster than
  // the button's wait period would let them.
  auto& toolBar = Child<MainUnit::TToolBar>(L"LeftUpIcon");
  dynamic_cast<MainUnit::TToolButton&>(*toolBar.FindButton(L"BtnLeftBack")).SetEnableClickWaitPeriod(false);
  const RECT button = toolBar.FindButton(L"BtnLeftBack")->BoundsRect();
  const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  SendMessageW(toolBar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(toolBar.Handle(), WM_LBUTTONUP, 0, at);
  fm::test::PumpPending();
  EXPECT_EQ(main_->Path(), L"C:\\");
  auto back = [&] { Child<MainUnit::TToolBar>(L"LeftUpIcon").FindButton(L"BtnLeftBack")->Click(); };
  back();
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(beeps_, 0);
  const auto lines = PathLines();
  const int rows = main_->LeftItemCount();
  back();
  EXPECT_EQ(beeps_, 1);
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(PathLines(), lines);
  EXPECT_EQ(main_->LeftItemCount(), rows);
}

TEST_F(Browsing, ADriveChosenInTheDriveBoxNavigatesOnce) {
  auto& drives = Child<MainUnit::TComboBox>(L"DrivesLeft");
  int changes = 0;
  auto original = drives.OnChange;
  drives.OnChange = [&] {
    ++changes;
    original();
  };
  // Choose the C: line as a user would: the selection changes and the box says so.
  drives.SetItemIndex(0);
  SendMessageW(GetParent(drives.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(drives.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(drives.Handle()));
  fm::test::PumpPending();
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(main_->Path(), L"C:\\");
  EXPECT_EQ(PathLines(), (std::vector<std::wstring>{L"C:\\", L"Drives"}));
  EXPECT_EQ(drives.ItemIndex(), 0);

  // Browsing elsewhere moves the drive box along without raising its event. Wine's Z: is
  // the host's root; Windows has no such drive of its own.
  if (!fm::test::RunningUnderWine()) return;
  main_->BrowseToPath(L"Z:\\tmp");
  EXPECT_EQ(drives.Item(drives.ItemIndex())[0], L'Z');
  EXPECT_EQ(changes, 1);

  auto& root = Child<MainUnit::TSpeedButton>(L"BtnLeftRoot");
  root.SetEnableClickWaitPeriod(false);
  root.Click();
  EXPECT_EQ(main_->Path(), L"Z:\\");
}

TEST_F(Browsing, APathThatDoesNotParseChangesNothing) {
  main_->BrowseToPath(L"C:\\windows");
  const auto lines = PathLines();
  const int rows = main_->LeftItemCount();
  fm::test::ModalWatcher watcher;
  TypePath(L"C:\\no-such-folder-here");
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
  EXPECT_EQ(watcher.Boxes()[0].text, fm::ErrorBoxText(fm::SystemMessage(0x80070002)));
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  EXPECT_EQ(PathLines(), lines);
  EXPECT_EQ(main_->LeftItemCount(), rows);
  EXPECT_EQ(PathBox().Text(), L"C:\\no-such-folder-here");
  EXPECT_EQ(Child(L"currentPath").Text(), L"C:\\windows");
}

TEST_F(Browsing, AFilesItemIdListCannotBeBrowsed) {
  TestFolder folder(L"file-list");
  const std::wstring file = folder.File(L"a.txt");
  main_->BrowseToPath(L"C:\\windows");
  const auto lines = PathLines();
  fm::test::ModalWatcher watcher;
  TypePath(file);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
  EXPECT_TRUE(watcher.Boxes()[0].stopIcon);
  EXPECT_EQ(main_->Path(), L"C:\\windows");
  EXPECT_EQ(PathLines(), lines);
  EXPECT_EQ(PathBox().Text(), file);
}

TEST_F(Browsing, AFolderAlreadyInTheHistoryKeepsItsLine) {
  main_->BrowseToPath(L"C:\\windows");
  main_->BrowseToPath(L"C:\\users");
  EXPECT_EQ(PathLines(), (std::vector<std::wstring>{L"C:\\users", L"C:\\windows", L"Drives"}));
  main_->BrowseToPath(L"c:\\WINDOWS");
  EXPECT_EQ(PathLines(), (std::vector<std::wstring>{L"C:\\users", L"C:\\windows", L"Drives"}));
  EXPECT_EQ(PathBox().Text(), L"C:\\windows");
  EXPECT_EQ(PathBox().ItemIndex(), 1);
}

TEST_F(Browsing, ItemsWithLongPathsAreReadWhole) {
  TestFolder folder(L"long");
  // The shell parses folder paths up to the classic limit only; the items inside may be
  // longer. Wine gives no final path from 264 characters on: such items keep their
  // parsing name.
  const std::wstring shown = folder.Path() + L"\\" + std::wstring(258 - folder.Path().size() - 1, L'd');
  ASSERT_EQ(shown.size(), 258u);
  ASSERT_TRUE(CreateDirectoryW(shown.c_str(), nullptr));
  const std::wstring beyond264 = shown + L"\\" + std::wstring(20, L'm') + L".txt";
  const std::wstring beyond512 = shown + L"\\" + std::wstring(251, L'n') + L".txt";
  const std::wstring longFolder = shown + L"\\" + std::wstring(100, L'f');
  ASSERT_GT(beyond264.size(), 264u);
  ASSERT_GT(beyond512.size(), 512u);
  for (const std::wstring& file : {beyond264, beyond512}) std::ofstream(fs::path(file)) << "x";
  ASSERT_TRUE(CreateDirectoryW(longFolder.c_str(), nullptr));

  main_->BrowseToPath(shown);
  ASSERT_EQ(main_->Path(), shown);
  ASSERT_EQ(main_->LeftItemCount(), 3);
  std::vector<std::wstring> paths;
  for (int i = 0; i < 3; ++i) paths.push_back(main_->GetLeftItem(i)->FullPath());
  EXPECT_EQ(paths, (std::vector<std::wstring>{longFolder, beyond264, beyond512}));
  EXPECT_EQ(Entry(std::wstring(251, L'n') + L".txt")->FullPath(), beyond512);
}

TEST_F(Browsing, SizeTextFollowsTheThreadsLocale) {
  const LCID previous = GetThreadLocale();
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
  EXPECT_EQ(fm::SizeToText(1536), L"1,5 KB");
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT));
  EXPECT_EQ(fm::SizeToText(1536), L"1.5 KB");
  SetThreadLocale(previous);
}

}  // namespace
