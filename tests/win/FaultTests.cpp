// The real program meets an untidy world: folders it may not read, named pipes, items
// that vanish between the read and their rows, a shown folder deleted, drives whose
// target is missing, hostile typed text and names no keyboard types. Each case ends in
// the designed answer, with the pane, the path box and the status bar agreeing, and the
// window still working for the next action.
//
// The folders that Windows calls cannot make are made from the Linux side by
// run-faults.sh, which also runs these tests without root's power over permissions.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>

#include "MainWindowFixture.h"
#include "TestComObject.h"
#include "core/Error.h"
#include "core/ErrorText.h"
#include "core/InfoTipText.h"
#include "core/PathText.h"
#include "platform/Locale.h"
#include "platform/OsError.h"
#include "platform/Shell.h"
#include "ui/Application.h"

namespace {

using fm::test::ModalWatcher;
using fm::test::TestFolder;

// Where run-faults.sh makes its folders; each folder's own row there is the way in for a
// case that opens rows.
constexpr wchar_t kMadeFolders[] = L"C:\\foldmere-faults";

// Text for the run's log: what is not ASCII as "?".
std::string Printable(const std::wstring& text) {
  std::string printable;
  for (const wchar_t c : text) printable += c < 0x80 ? static_cast<char>(c) : '?';
  return printable;
}

std::wstring SystemText(DWORD error) {
  return fm::ErrorBoxText(fm::SystemMessage(HRESULT_FROM_WIN32(error)));
}

// A folder of the made ones denied from the Linux side while it lives: run-faults.sh
// answers a request file by taking every permission away, and gives them back at the end.
class DeniedFromLinux {
 public:
  explicit DeniedFromLinux(std::wstring name) : name_(std::move(name)) { done_ = Ask(L".deny"); }
  ~DeniedFromLinux() { Ask(L".allow"); }
  DeniedFromLinux(const DeniedFromLinux&) = delete;
  DeniedFromLinux& operator=(const DeniedFromLinux&) = delete;

  // Whether the request was answered in time.
  bool Done() const { return done_; }

 private:
  bool Ask(const wchar_t* what) {
    const std::wstring request = std::wstring(kMadeFolders) + L"\\requests\\" + name_ + what;
    std::ofstream(std::filesystem::path(request)) << "";
    for (int i = 0; i < 200; ++i) {
      if (GetFileAttributesW(request.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
      Sleep(25);
    }
    return false;
  }

  std::wstring name_;
  bool done_ = false;
};

// Whether the file system lets this process list path.
bool Listable(const std::wstring& path) {
  WIN32_FIND_DATAW find;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &find);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// What the error box says when the desktop folder refuses to parse text; nothing when it
// parses.
std::optional<std::wstring> ParseRefusal(const std::wstring& text) {
  try {
    fm::ParseDisplayName(*fm::DesktopFolder(), nullptr, text);
    return std::nullopt;
  } catch (const fm::Error& error) {
    return fm::ErrorBoxText(error.Text());
  }
}

// A folder whose enumeration the shell refuses, as Windows refuses a folder the user may
// not read; Wine's own shell never does. Every other call is not wanted here.
class RefusingFolder final : public fm::test::TestComObject<IShellFolder, &IID_IShellFolder> {
 public:
  explicit RefusingFolder(HRESULT answer) : answer_(answer) {}

  HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList** items) override {
    *items = nullptr;
    return answer_;
  }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, PIDLIST_RELATIVE*,
                                             ULONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToObject(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(PCUIDLIST_RELATIVE, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, PCUIDLIST_RELATIVE, PCUIDLIST_RELATIVE) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, PCUITEMID_CHILD_ARRAY, SFGAOF*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, PCUITEMID_CHILD_ARRAY, REFIID, UINT*,
                                          void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(PCUITEMID_CHILD, SHGDNF, STRRET*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND, PCUITEMID_CHILD, LPCWSTR, SHGDNF,
                                      PITEMID_CHILD*) override {
    return E_NOTIMPL;
  }

 private:
  HRESULT answer_;
};

class Faults : public fm::test::MainWindowTest {
 protected:
  std::wstring CellText(int row, int column) {
    std::wstring text(1024, L'\0');
    ListView_GetItemText(List().Handle(), row, column, text.data(), static_cast<int>(text.size()));
    text.resize(wcslen(text.c_str()));
    return text;
  }

  // The pane, the path box and the status bar agree: no row without its entry, the rows in
  // view drawn from entries of the shown folder, totals that are the loaded entries' own,
  // the status bar saying them, and the shown folder's line in the path box and the label.
  void ExpectConsistentPane() {
    Paint();
    const int entries = main_->LeftItemCount();
    EXPECT_LE(List().ItemCount(), entries) << "rows beyond the item list";

    std::uint64_t files = 0, folders = 0, bytes = 0;
    for (int i = 0; i < entries; ++i) {
      const MainUnit::TLeftShellItem& entry = *main_->GetLeftItem(i);
      if (entry.Empty) continue;
      bytes += entry.Size;
      if (entry.Attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
        ++folders;
      } else {
        ++files;
      }
    }
    EXPECT_EQ(main_->Files(), files);
    EXPECT_EQ(main_->Folders(), folders);
    EXPECT_EQ(main_->AllSize(), bytes);
    const std::wstring folderPanel = Status(0);
    EXPECT_TRUE(folderPanel == L"Folders: " + std::to_wstring(folders) ||
                folderPanel == L"Folder: " + std::to_wstring(folders))
        << folderPanel;
    EXPECT_EQ(Status(1), L"Files: " + std::to_wstring(files));
    EXPECT_EQ(Status(2), L"Size: " + fm::SizeToText(static_cast<std::int64_t>(bytes)));

    const int top = List().TopIndex();
    const int end = std::min(List().ItemCount(), top + List().VisibleRowCount());
    for (int row = top; row < end; ++row) {
      const MainUnit::TLeftShellItem& entry = *main_->GetLeftItem(row);
      EXPECT_FALSE(entry.Empty) << "row " << row << " in view without its details";
      EXPECT_FALSE(CellText(row, 0).empty()) << "row " << row;
      // An entry of the shown folder: its own parsing name lies in that folder.
      if (main_->Path() != L"Drives" && !entry.Empty) {
        const std::wstring parsing =
            fm::DisplayNameOf(*fm::DesktopFolder(), main_->LeftPane().AbsoluteIDList(entry).Get(), true);
        EXPECT_EQ(fm::FolderPart(parsing), main_->Path()) << "row " << row;
      }
    }

    const int line = PathBox().IndexOf(main_->Path());
    ASSERT_GE(line, 0) << "the shown folder has no line in the path box";
    EXPECT_EQ(Child(L"currentPath").Text(), PathBox().Item(line));
  }

  // The window goes on: a folder of its own is typed, shown whole and consistent.
  void ExpectStillWorking() {
    TestFolder next(L"next");
    next.File(L"one.txt");
    next.File(L"two.txt", "22");
    ModalWatcher watcher;
    TypePath(next.Path());
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(main_->Path(), next.Path());
    EXPECT_EQ(List().ItemCount(), 2);
    ExpectConsistentPane();
    EXPECT_EQ(Status(1), L"Files: 2");
  }

  // Waits for the one box the action raised, and for no second one.
  ModalWatcher::Box OneBox(const ModalWatcher& watcher) {
    fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }, 5000);
    fm::test::PumpPending();
    const auto boxes = watcher.Boxes();
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? ModalWatcher::Box{} : boxes.front();
  }

  // Who moves the drive box in a refused action: nobody, or the user who picked a line.
  enum class DriveBox { Stays, PickedByUser };

  // The action ends in the standard error box with text, and the pane stays as it was.
  void ExpectRefused(const std::function<void()>& action, const std::wstring& text,
                     DriveBox driveBox = DriveBox::Stays) {
    const std::wstring path = main_->Path();
    const int rows = main_->LeftItemCount();
    const int lines = PathBox().Count();
    const int drive = Child<MainUnit::TComboBox>(L"DrivesLeft").ItemIndex();
    ModalWatcher watcher;
    action();
    const ModalWatcher::Box box = OneBox(watcher);
    EXPECT_TRUE(box.stopIcon);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(main_->Path(), path);
    EXPECT_EQ(main_->LeftItemCount(), rows);
    EXPECT_EQ(PathBox().Count(), lines);
    if (driveBox == DriveBox::Stays) {
      EXPECT_EQ(Child<MainUnit::TComboBox>(L"DrivesLeft").ItemIndex(), drive);
    }
    ExpectConsistentPane();
  }

  // Shows a folder of three files with their details loaded, to leave from.
  void StartIn(const TestFolder& folder) {
    folder.File(L"a.txt", "aa");
    folder.File(L"b.txt", "bbbb");
    folder.Folder(L"sub");
    TypePath(folder.Path());
    ASSERT_EQ(main_->Path(), folder.Path());
    Paint();
    ASSERT_EQ(Status(1), L"Files: 2");
  }

  int DriveLine(wchar_t letter) {
    auto& drives = Child<MainUnit::TComboBox>(L"DrivesLeft");
    for (int i = 0; i < drives.Count(); ++i) {
      if (drives.Item(i)[0] == letter) return i;
    }
    return -1;
  }

  // The user picks a line of the drive box.
  void ChooseDrive(int line) {
    auto& drives = Child<MainUnit::TComboBox>(L"DrivesLeft");
    drives.SetItemIndex(line);
    SendMessageW(GetParent(drives.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(drives.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(drives.Handle()));
    fm::test::PumpPending();
  }

  // The buttons' wait between clicks is not what these tests are about.
  void ClickRoot() {
    Child<MainUnit::TSpeedButton>(L"BtnLeftRoot").SetEnableClickWaitPeriod(false);
    HWND button = Child(L"BtnLeftRoot").Handle();
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    fm::test::PumpPending();
  }

  void ClickBack() {
    auto& toolBar = Child<MainUnit::TToolBar>(L"LeftUpIcon");
    dynamic_cast<MainUnit::TToolButton&>(*toolBar.FindButton(L"BtnLeftBack"))
        .SetEnableClickWaitPeriod(false);
    const RECT button = toolBar.FindButton(L"BtnLeftBack")->BoundsRect();
    const LPARAM at =
        MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    SendMessageW(toolBar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(toolBar.Handle(), WM_LBUTTONUP, 0, at);
    fm::test::PumpPending();
  }

  // Types text into the list, as the keyboard would, and gives the row it selects.
  int FindByTyping(const std::wstring& text) {
    SetFocus(List().Handle());
    // A pause longer than the list's typing delay starts a new search.
    Sleep(600);
    for (wchar_t c : text) PostMessageW(List().Handle(), WM_CHAR, c, 1);
    fm::test::PumpPending();
    return List().SelectedIndex();
  }

  // Enter on a row, as the keyboard gives it to the focused list.
  void PressEnterOn(int row) {
    List().SelectItem(row);
    SetFocus(List().Handle());
    PostMessageW(List().Handle(), WM_KEYDOWN, VK_RETURN, 1);
    fm::test::PumpPending();
  }

  // The files the window hands to the shell from now on; none is started.
  const std::vector<std::wstring>& WatchLaunches() {
    main_->SetShellExecute([this](SHELLEXECUTEINFOW& info) {
      // A row goes to the shell as its item ID list, a typed text as a file name.
      launched_.push_back(info.lpIDList ? PathOfRowItem(static_cast<LPCITEMIDLIST>(info.lpIDList))
                                        : info.lpFile ? info.lpFile : L"");
      return true;
    });
    return launched_;
  }

  // The path of the row whose item an absolute list names, byte for byte: the shell's own
  // path of a list stops at the classic path limit.
  std::wstring PathOfRowItem(LPCITEMIDLIST list) {
    const LPCITEMIDLIST last = ILFindLastID(list);
    const int size = fm::ItemIDListSize(last);
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      const MainUnit::TLeftShellItem& item = *main_->GetLeftItem(i);
      if (fm::ItemIDListSize(item.ID()) == size && std::memcmp(item.ID(), last, size) == 0) {
        return item.FullPath();
      }
    }
    return L"(no row's item)";
  }

  int RowOf(const std::wstring& displayName) {
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      if (main_->GetLeftItem(i)->DisplayName() == displayName) return i;
    }
    return -1;
  }

 private:
  std::vector<std::wstring> launched_;
};

// Cases on folders made from the Linux side; on Windows there are none to run on.
class FaultsOnMadeFolders : public Faults {
 protected:
  void SetUp() override {
    if (!fm::DirectoryExists(kMadeFolders)) {
      ASSERT_FALSE(fm::test::RunningUnderWine()) << "run these tests through run-faults.sh";
      GTEST_SKIP() << "the folders are made from the Linux side under Wine";
    }
    ASSERT_FALSE(Listable(Made(L"denied")))
        << "the run could not deny access: it needs setpriv and root's capabilities";
    Faults::SetUp();
  }

  static std::wstring Made(const std::wstring& name) {
    return std::wstring(kMadeFolders) + L"\\" + name;
  }
};

TEST_F(FaultsOnMadeFolders, AFolderThatMayNotBeReadIsRefusedWithTheSystemsText) {
  TestFolder start(L"start");
  StartIn(start);
  // Not to be read, only to be passed through, names without their items, and a drive
  // whose target may not be read: Wine lists each as empty, Windows refuses it.
  for (const std::wstring& typed :
       {Made(L"denied"), Made(L"traverse-only"), Made(L"names-only"), std::wstring(L"y")}) {
    SCOPED_TRACE(typed);
    ExpectRefused([&] { TypePath(typed); }, SystemText(ERROR_ACCESS_DENIED));
  }
  // Wine has no drive type for a drive whose root it may not open: no line to choose.
  EXPECT_EQ(DriveLine(L'Y'), -1);
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, AFolderDeniedWhileShownRefusesTheBackButtonAndTheDriveBox) {
  TestFolder start(L"start");
  StartIn(start);
  TypePath(Made(L"back-road\\inner"));
  ASSERT_EQ(main_->Path(), Made(L"back-road\\inner"));
  {
    DeniedFromLinux denied(L"back-road");
    ASSERT_TRUE(denied.Done());
    ExpectRefused([&] { ClickBack(); }, SystemText(ERROR_ACCESS_DENIED));
  }
  ClickBack();
  EXPECT_EQ(main_->Path(), Made(L"back-road"));
  ExpectConsistentPane();
  // A drive listed at start, denied since.
  const int line = DriveLine(L'W');
  ASSERT_GE(line, 0);
  {
    DeniedFromLinux denied(L"drive-w");
    ASSERT_TRUE(denied.Done());
    // The box keeps the line the user picked, so the root button asks for it again.
    ExpectRefused([&] { ChooseDrive(line); }, SystemText(ERROR_ACCESS_DENIED),
                  DriveBox::PickedByUser);
    ExpectRefused([&] { ClickRoot(); }, SystemText(ERROR_ACCESS_DENIED));
    // Typed, the same drive leaves the box on the shown folder's drive.
    ChooseDrive(DriveLine(L'C'));
    ASSERT_EQ(main_->Path(), L"C:\\");
    ExpectRefused([&] { TypePath(L"w"); }, SystemText(ERROR_ACCESS_DENIED));
  }
  ChooseDrive(line);
  EXPECT_EQ(main_->Path(), L"W:\\");
  ExpectConsistentPane();
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, ItemsThatCannotBeOpenedAreListedWithoutABox) {
  {
    // Its own watcher ends first: a second one alive could take the box of the refusal.
    ModalWatcher watcher;
    TypePath(Made(L"items-locked"));
    ASSERT_EQ(main_->Path(), Made(L"items-locked"));
    ExpectConsistentPane();
    EXPECT_EQ(main_->LeftItemCount(), 3);
    for (const wchar_t* name : {L"locked-folder", L"locked.txt", L"open.txt"}) {
      const int row = RowOf(name);
      ASSERT_GE(row, 0) << name;
      EXPECT_EQ(main_->GetLeftItem(row)->FullPath(), Made(L"items-locked\\") + name);
      EXPECT_EQ(CellText(row, 0), name);
    }
    EXPECT_TRUE(watcher.Boxes().empty());
  }
  ExpectRefused([&] { TypePath(Made(L"items-locked\\locked-folder")); },
                SystemText(ERROR_ACCESS_DENIED));
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, NamedPipesGiveOnePlainNoticePerRead) {
  const struct {
    const wchar_t* folder;
    std::wstring notice;
    int rows;
  } cases[] = {
      // One such item keeps the notice it always had: its path alone.
      {L"one-pipe", Made(L"one-pipe\\pipe"), 2},
      {L"pipes", Made(L"pipes\\pipe-1") + L"\r\nand 4 more like it.", 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    // Read twice: each read tells once.
    for (int read = 0; read < 2; ++read) {
      ModalWatcher watcher;
      TypePath(Made(c.folder));
      const ModalWatcher::Box box = OneBox(watcher);
      EXPECT_EQ(box.text, c.notice);
      EXPECT_FALSE(box.stopIcon);
      EXPECT_EQ(box.caption, fm::ui::Application().Title());
      ASSERT_EQ(main_->Path(), Made(c.folder));
      EXPECT_EQ(List().ItemCount(), c.rows);
      ExpectConsistentPane();
      TypePath(L"C:\\");
    }
  }
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, NamesNoKeyboardTypesAreListedDrawnAndFound) {
  TypePath(Made(L"names"));
  ASSERT_EQ(main_->Path(), Made(L"names"));
  ExpectConsistentPane();
  const struct {
    std::wstring name;
    std::wstring typed;
  } cases[] = {
      {L"smile-\xD83D\xDE00.txt", L"smile-\xD83D\xDE00"},
      {L"rtl-\x200F"
       L"abc\x200E.txt",
       L"rtl-\x200F"},
      {L"dots...", L"dots..."},
      {L"blank ", L"blank "},
      {std::wstring(251, L'L') + L".txt", std::wstring(40, L'L')},
      // Bytes that are not UTF-8 reach Windows as replacement characters.
      {L"bad-\xFFFD\xFFFD.txt", L"bad-"},
  };
  ASSERT_EQ(main_->LeftItemCount(), static_cast<int>(std::size(cases)));
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name.size() << " units");
    const int row = RowOf(c.name);
    ASSERT_GE(row, 0);
    ListView_EnsureVisible(List().Handle(), row, FALSE);
    Paint();
    EXPECT_EQ(CellText(row, 0), c.name);
    EXPECT_FALSE(CellText(row, 1).empty());
    EXPECT_EQ(FindByTyping(c.typed), row);
  }
  EXPECT_EQ(main_->GetLeftItem(RowOf(std::wstring(251, L'L') + L".txt"))->DisplayName().size(), 255u);
  ExpectConsistentPane();
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, RowsThatCannotBeOpenedAreRefusedOrHandedOnAsListed) {
  const std::vector<std::wstring>& launched = WatchLaunches();
  TypePath(kMadeFolders);
  ASSERT_EQ(main_->Path(), kMadeFolders);
  // Not to be read, only to be passed through, and names without their items.
  for (const wchar_t* name : {L"denied", L"traverse-only", L"names-only"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    const int row = RowOf(name);
    ASSERT_GE(row, 0);
    ExpectRefused([&] { PressEnterOn(row); }, SystemText(ERROR_ACCESS_DENIED));
  }
  TypePath(Made(L"items-locked"));
  ASSERT_EQ(main_->Path(), Made(L"items-locked"));
  ExpectRefused([&] { PressEnterOn(RowOf(L"locked-folder")); }, SystemText(ERROR_ACCESS_DENIED));
  // A file the user may not read goes to the shell like any other, by its full path.
  {
    ModalWatcher watcher;
    PressEnterOn(RowOf(L"locked.txt"));
    EXPECT_TRUE(watcher.Boxes().empty());
  }
  EXPECT_EQ(launched, std::vector<std::wstring>{Made(L"items-locked\\locked.txt")});
  EXPECT_EQ(main_->Path(), Made(L"items-locked"));
  ExpectConsistentPane();
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, NamesNoKeyboardTypesAreTippedAndOpened) {
  const std::vector<std::wstring>& launched = WatchLaunches();
  TypePath(Made(L"names"));
  ASSERT_EQ(main_->Path(), Made(L"names"));
  for (int row = 0; row < main_->LeftItemCount(); ++row) {
    const std::wstring name(main_->GetLeftItem(row)->DisplayName());
    const std::wstring path = main_->GetLeftItem(row)->FullPath();
    SCOPED_TRACE(testing::Message() << Printable(name) << ", " << name.size() << " units");
    ListView_EnsureVisible(List().Handle(), row, FALSE);
    Paint();
    const std::wstring tip = TipOf(name);
    // A name of 255 units makes a location line longer than a tip shows: it is cut.
    EXPECT_EQ(tip.substr(0, tip.find(L"\r\n")), fm::BoundedTip(L"Location: " + path));
    EXPECT_NE(tip.find(L"\r\nSize: " + CellText(row, 1)), std::wstring::npos)
        << testing::PrintToString(tip);
    ModalWatcher watcher;
    PressEnterOn(row);
    EXPECT_TRUE(watcher.Boxes().empty());
    ASSERT_FALSE(launched.empty());
    EXPECT_EQ(launched.back(), path);
    // The shell gets the name as listed; a name that ends in dots or blanks is one that
    // Windows paths cannot name, so the shell will not find it.
    const bool nameable = name.back() != L'.' && name.back() != L' ';
    EXPECT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, nameable);
    EXPECT_EQ(main_->Path(), Made(L"names"));
  }
  ExpectConsistentPane();

  // Folders of the same names are entered, but for a name that ends in dots, which Windows
  // paths cannot name, and one whose path is longer than the shell lists.
  TypePath(Made(L"odd-folders"));
  ASSERT_EQ(main_->Path(), Made(L"odd-folders"));
  ASSERT_EQ(main_->LeftItemCount(), 6);
  const struct {
    std::wstring name;
    bool entered;
  } cases[] = {
      {L"smile-\xD83D\xDE00", true},
      {L"rtl-\x200F"
       L"abc\x200E",
       true},
      {L"dots...", false},
      {L"blank ", true},
      {std::wstring(255, L'F'), false},
      {L"bad-\xFFFD\xFFFD", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Printable(c.name) << ", " << c.name.size() << " units");
    const int row = RowOf(c.name);
    ASSERT_GE(row, 0);
    if (c.entered) {
      ModalWatcher watcher;
      PressEnterOn(row);
      EXPECT_TRUE(watcher.Boxes().empty());
      EXPECT_EQ(main_->Path(), Made(L"odd-folders\\") + c.name);
      EXPECT_EQ(RowOf(L"inside.txt"), 0);
      ExpectConsistentPane();
      TypePath(Made(L"odd-folders"));
    } else {
      ExpectRefused([&] { PressEnterOn(row); }, SystemText(ERROR_PATH_NOT_FOUND));
    }
  }
  ExpectStillWorking();
}

TEST_F(FaultsOnMadeFolders, ADriveWhoseTargetIsMissing) {
  TestFolder start(L"start");
  StartIn(start);
  // Wine gives such a drive no type, so the drive box has no line for it; typed, it is
  // refused, and the root button then serves the drive the box shows.
  EXPECT_EQ(DriveLine(L'X'), -1);
  ExpectRefused([&] { TypePath(L"x"); }, SystemText(ERROR_PATH_NOT_FOUND));
  ExpectRefused([&] { TypePath(L"X:\\"); }, SystemText(ERROR_PATH_NOT_FOUND));
  ClickRoot();
  EXPECT_EQ(main_->Path(), L"C:\\");
  ExpectConsistentPane();
  ExpectStillWorking();
}

TEST_F(Faults, AnEnumerationTheShellRefusesLeavesTheRowsAndTheirTotals) {
  TestFolder start(L"start");
  StartIn(start);
  fm::ComPtr<IShellFolder> refusing;
  *refusing.Put() = new RefusingFolder(E_ACCESSDENIED);
  EXPECT_THROW(main_->ReadFolder(refusing), fm::Error);
  EXPECT_EQ(main_->LeftItemCount(), 3);
  // The rows keep their loaded details, and the totals go on counting them.
  ExpectConsistentPane();
  EXPECT_EQ(Status(1), L"Files: 2");
  ExpectStillWorking();
}

TEST_F(Faults, TypedTextThatNamesNoFolderIsRefusedWithTheShellsText) {
  TestFolder start(L"start");
  StartIn(start);
  const std::wstring cases[] = {
      std::wstring(32767, L'a'),
      L"C:\\" + std::wstring(40000, L'b'),
      L"C:\\win\x01\x1b\x7f"
      L"dows\t",
      L"C:\\\xD800"
      L"folder",
      L"C:\\folder\xDC00",
      L"\\\\?\\C:\\windows",
      L"\\\\.\\C:\\",
      L"\\\\no-such-host.invalid\\share",
  };
  for (const std::wstring& typed : cases) {
    SCOPED_TRACE(testing::Message() << typed.size() << " units: " << typed.substr(0, 30));
    // What the shell makes of the text decides the answer: its folder, or its error.
    const std::optional<std::wstring> refusal = ParseRefusal(typed);
    const ULONGLONG started = GetTickCount64();
    if (refusal) {
      ExpectRefused([&] { TypePath(typed); }, *refusal);
    } else {
      ModalWatcher watcher;
      TypePath(typed);
      EXPECT_TRUE(watcher.Boxes().empty());
      EXPECT_EQ(main_->Path(),
                fm::DisplayNameOf(*fm::DesktopFolder(),
                                  fm::ParseDisplayName(*fm::DesktopFolder(), nullptr, typed).Get(),
                                  true));
      ExpectConsistentPane();
      TypePath(start.Path());
    }
    std::cout << "  typed text of " << typed.size() << " units answered in "
              << GetTickCount64() - started << " ms\n";
  }
  ExpectStillWorking();
}

TEST_F(Faults, ItemsGoneAfterTheReadAreDrawnFromWhatTheReadKept) {
  TestFolder folder(L"vanishing");
  for (int i = 0; i < 300; ++i) folder.File(L"f" + std::to_wstring(1000 + i) + L".txt", "12");
  TypePath(folder.Path());
  ASSERT_EQ(main_->LeftItemCount(), 300);
  Paint();
  // The watch's word held back: the rows stay older than the disk, as they are between a
  // change and its word.
  main_->Watcher().Hold(true);
  // Deleted and renamed before their rows were ever shown.
  for (int i = 200; i < 250; ++i)
    ASSERT_TRUE(DeleteFileW((folder / (L"f" + std::to_wstring(1000 + i) + L".txt")).c_str()));
  for (int i = 250; i < 260; ++i) {
    const std::wstring name = L"f" + std::to_wstring(1000 + i);
    ASSERT_TRUE(MoveFileW((folder / (name + L".txt")).c_str(),
                          (folder / (name + L"-renamed.txt")).c_str()));
  }
  ModalWatcher watcher;
  for (int row : {220, 255, 299}) {
    ListView_EnsureVisible(List().Handle(), row, FALSE);
    Paint();
    const std::wstring name = L"f" + std::to_wstring(1000 + row) + L".txt";
    EXPECT_EQ(CellText(row, 0), name) << "nothing reads the folder again before the watch's word";
    EXPECT_FALSE(main_->GetLeftItem(row)->Empty);
    ExpectConsistentPane();
  }
  EXPECT_TRUE(watcher.Boxes().empty());
  // Once the word comes, the rows follow the disk.
  main_->Watcher().Hold(false);
  EXPECT_TRUE(fm::test::PumpUntil([&] { return main_->LeftItemCount() == 250; })) << main_->LeftItemCount();
  EXPECT_GE(RowOf(L"f1255-renamed.txt"), 0);
  EXPECT_EQ(RowOf(L"f1220.txt"), -1);
  ExpectConsistentPane();
  EXPECT_TRUE(watcher.Boxes().empty());
  // Shown anew, the folder has what is there now.
  TypePath(L"C:\\");
  TypePath(folder.Path());
  EXPECT_EQ(main_->LeftItemCount(), 250);
  EXPECT_GE(RowOf(L"f1255-renamed.txt"), 0);
  EXPECT_EQ(RowOf(L"f1220.txt"), -1);
  ExpectConsistentPane();
}

TEST_F(Faults, ItemsGoneAfterTheReadAreTippedWithWhatCanStillBeRead) {
  TestFolder folder(L"vanishing-tips");
  folder.File(L"deleted.txt", "12345");
  folder.File(L"renamed.txt", "123");
  folder.File(L"kept.txt", "1");
  folder.Folder(L"gone-folder");
  folder.File(L"gone-folder\\desktop.ini", "[s]\r\nKey=value\r\n");
  TypePath(folder.Path());
  ASSERT_EQ(main_->LeftItemCount(), 4);
  ASSERT_TRUE(DeleteFileW((folder / L"deleted.txt").c_str()));
  ASSERT_TRUE(MoveFileW((folder / L"renamed.txt").c_str(), (folder / L"now.txt").c_str()));
  ASSERT_TRUE(DeleteFileW((folder / L"gone-folder\\desktop.ini").c_str()));
  ASSERT_TRUE(RemoveDirectoryW((folder / L"gone-folder").c_str()));
  Paint();
  ModalWatcher watcher;
  // What the read kept is shown; what the file system no longer answers is left out.
  EXPECT_EQ(TipOf(L"deleted.txt"), L"Location: " + (folder / L"deleted.txt") + L"\r\nSize: 5 B");
  EXPECT_EQ(TipOf(L"renamed.txt"), L"Location: " + (folder / L"renamed.txt") + L"\r\nSize: 3 B");
  EXPECT_EQ(TipOf(L"gone-folder"), L"Location: " + (folder / L"gone-folder"));
  const std::wstring kept = TipOf(L"kept.txt");
  EXPECT_EQ(kept.rfind(L"Location: " + (folder / L"kept.txt") + L"\r\nType: ", 0), 0u);
  EXPECT_EQ(kept.substr(kept.rfind(L"\r\n")), L"\r\nSize: 1 B");
  EXPECT_TRUE(watcher.Boxes().empty());
  ExpectConsistentPane();
  ExpectStillWorking();
}

TEST_F(Faults, TheShownFolderDeletedThenBackRootAndANewPath) {
  auto gone = std::make_unique<TestFolder>(L"gone");
  const std::wstring inner = gone->Folder(L"inner");
  for (int i = 0; i < 5; ++i) gone->File(L"inner\\f" + std::to_wstring(i) + L".txt");
  const std::wstring above = fm::FolderPart(gone->Path());
  TypePath(inner);
  ASSERT_EQ(main_->Path(), inner);
  // The watch's word held back, as before it comes: the pane still shows the folder.
  main_->Watcher().Hold(true);
  // Under Wine removed from the Linux side: a removal by a Windows program would wait for
  // the watch's handle to close.
  if (fm::test::RunningUnderWine()) {
    ASSERT_TRUE(fm::test::RunOnHost("rm -rf '" + fm::test::HostPath(gone->Path()) + "'"));
  } else {
    gone.reset();
  }
  ASSERT_FALSE(fm::DirectoryExists(inner));
  // The rows stay what the read gave until the pane is navigated or the word comes.
  ExpectConsistentPane();
  EXPECT_EQ(List().ItemCount(), 5);
  ExpectRefused([&] { ClickBack(); }, SystemText(ERROR_PATH_NOT_FOUND));
  // Its text is a line of the path box now: the line's item ID list is browsed, and the
  // file system says the folder is gone.
  ExpectRefused([&] { TypePath(inner); }, SystemText(ERROR_PATH_NOT_FOUND));
  // The word come, the pane goes by itself to the nearest folder above that is left.
  {
    ModalWatcher watcher;
    main_->Watcher().Hold(false);
    EXPECT_TRUE(fm::test::PumpUntil([&] { return main_->Path() == above; })) << Printable(main_->Path());
    EXPECT_EQ(PathBox().Text(), above);
    EXPECT_TRUE(watcher.Boxes().empty());
    ExpectConsistentPane();
  }
  ClickRoot();
  EXPECT_EQ(main_->Path(), L"C:\\");
  ExpectConsistentPane();
  ExpectStillWorking();
}

}  // namespace
