// What a person does to the rows of the panes, under Wine with the real program and the
// real shell: opening rows, the list's keys, the command box, Properties, the shell's
// context menu, volume labels, and the two panes side by side.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "MainWindowFixture.h"
#include "TestComObject.h"
#include "platform/Shell.h"

namespace {

namespace fs = std::filesystem;
using fm::test::Press;
using fm::test::Stroke;
using fm::test::TestFolder;

// A launch record as the window handed it to the shell, its texts copied.
struct LaunchRecord {
  DWORD cbSize = 0;
  ULONG fMask = 0;
  HWND hwnd = nullptr;
  std::optional<std::wstring> verb;
  std::optional<std::wstring> file;
  std::optional<std::wstring> parameters;
  std::optional<std::wstring> directory;
  int nShow = 0;
  std::optional<std::wstring> item;  // the path of the item ID list handed over
  bool accepted = false;
};

std::optional<std::wstring> TextOf(LPCWSTR text) {
  return text ? std::optional<std::wstring>(text) : std::nullopt;
}

std::optional<std::wstring> ItemOf(const void* idList) {
  if (!idList) return std::nullopt;
  return fm::PathFromIDList(static_cast<LPCITEMIDLIST>(idList));
}

std::wstring TestExeFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return path.substr(0, path.rfind(L'\\'));
}

// How the launch fixture was started: its command line and working directory.
struct Started {
  std::wstring commandLine;
  std::wstring directory;
};

std::optional<Started> ReadStarted(const std::wstring& program) {
  std::ifstream in(fs::path(program + L".txt"), std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  const auto first = text.find(L'\n');
  const auto second = text.find(L'\n', first + 1);
  if (first == std::wstring::npos || second == std::wstring::npos) return std::nullopt;
  return Started{text.substr(0, first), text.substr(first + 1, second - first - 1)};
}

// Clicks (twice for a double click) with the button at a point of the screen, with the
// key modifier (VK_CONTROL, VK_SHIFT) held when one is given.
void Click(POINT screen, bool right, int times = 1, WORD modifier = 0) {
  SetCursorPos(screen.x, screen.y);
  std::vector<INPUT> inputs;
  auto key = [&](bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = modifier;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (modifier) key(false);
  for (int i = 0; i < times; ++i) {
    for (DWORD flag : {right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN,
                       right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP}) {
      INPUT input{};
      input.type = INPUT_MOUSE;
      input.mi.dwFlags = flag;
      inputs.push_back(input);
    }
  }
  if (modifier) key(true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Works the shell's menus and dialogs of this process from another thread, as a person
// would: a popup menu is dismissed with Escape or the entry named pick is chosen with the
// arrow keys and Enter; a dialog that asks gets the answer, any other dialog gets OK.
class ShellUiDriver {
 public:
  struct Menu {
    RECT rect{};
    HMENU handle = nullptr;
    std::vector<std::wstring> items;  // without "&"; separators empty
  };
  struct Dialog {
    std::wstring caption;
    std::wstring text;
    bool stopIcon = false;
    bool menuAlive = false;  // whether a menu shown before was still there
  };

  // answer: the button that answers a dialog that asks (Yes or No).
  // beforePick runs on the driver's thread while the menu is open, before the keys.
  explicit ShellUiDriver(std::wstring pick = {}, int answer = IDYES,
                         std::function<void()> beforePick = {})
      : pick_(std::move(pick)),
        answer_(answer),
        beforePick_(std::move(beforePick)),
        thread_([this] { Run(); }) {}
  ~ShellUiDriver() {
    stop_ = true;
    thread_.join();
  }
  ShellUiDriver(const ShellUiDriver&) = delete;
  ShellUiDriver& operator=(const ShellUiDriver&) = delete;

  std::vector<Menu> Menus() const {
    std::lock_guard lock(mutex_);
    return menus_;
  }
  std::vector<Dialog> Dialogs() const {
    std::lock_guard lock(mutex_);
    return dialogs_;
  }

 private:
  static std::vector<HWND> Windows(const wchar_t* className) {
    struct Found {
      const wchar_t* className;
      std::vector<HWND> windows;
    } found{className, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
          auto& found = *reinterpret_cast<Found*>(data);
          DWORD process = 0;
          GetWindowThreadProcessId(hwnd, &process);
          wchar_t name[16] = {};
          GetClassNameW(hwnd, name, 16);
          if (process == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
              wcscmp(name, found.className) == 0) {
            found.windows.push_back(hwnd);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.windows;
  }

  static std::wstring Text(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
  }

  static void WaitGone(HWND hwnd) {
    for (int i = 0; i < 200 && IsWindow(hwnd) && IsWindowVisible(hwnd); ++i) Sleep(10);
  }

  void WorkMenu(HWND window) {
    Menu menu;
    GetWindowRect(window, &menu.rect);
    DWORD_PTR handle = 0;
    SendMessageTimeoutW(window, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle);
    menu.handle = reinterpret_cast<HMENU>(handle);
    int presses = 0;
    const int count = GetMenuItemCount(menu.handle);
    for (int i = 0; i < count; ++i) {
      wchar_t buffer[256] = {};
      MENUITEMINFOW info{sizeof(info)};
      info.fMask = MIIM_FTYPE | MIIM_STRING;
      info.dwTypeData = buffer;
      info.cch = 256;
      GetMenuItemInfoW(menu.handle, static_cast<UINT>(i), TRUE, &info);
      std::wstring text;
      for (const wchar_t* c = buffer; *c; ++c) {
        if (*c != L'&') text += *c;
      }
      menu.items.push_back(info.fType & MFT_SEPARATOR ? std::wstring() : text);
    }
    if (!pick_.empty()) {
      for (const std::wstring& item : menu.items) {
        if (!item.empty()) ++presses;
        if (item == pick_) break;
      }
    }
    {
      std::lock_guard lock(mutex_);
      menus_.push_back(menu);
    }
    const bool picks = !pick_.empty() && menus_.size() == 1 &&
                       std::find(menu.items.begin(), menu.items.end(), pick_) != menu.items.end();
    if (picks) {
      if (beforePick_) beforePick_();
      for (int i = 0; i < presses; ++i) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    WaitGone(window);
  }

  void WorkDialog(HWND dialog) {
    Dialog seen{Text(dialog), Text(GetDlgItem(dialog, 0xFFFF)), false, false};
    for (const Menu& menu : Menus()) seen.menuAlive = seen.menuAlive || IsMenu(menu.handle);
    HWND icon = GetDlgItem(dialog, 0x14);
    if (!icon) icon = GetDlgItem(dialog, 0x440);
    seen.stopIcon = icon && reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) ==
                                LoadIconW(nullptr, IDI_HAND);
    {
      std::lock_guard lock(mutex_);
      dialogs_.push_back(seen);
    }
    HWND button = GetDlgItem(dialog, answer_);
    if (button) {
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
    } else {
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    WaitGone(dialog);
  }

  void Run() {
    while (!stop_) {
      for (HWND window : Windows(L"#32768")) WorkMenu(window);
      for (HWND dialog : Windows(L"#32770")) WorkDialog(dialog);
      Sleep(20);
    }
  }

  const std::wstring pick_;
  const int answer_;
  const std::function<void()> beforePick_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Menu> menus_;
  std::vector<Dialog> dialogs_;
  std::thread thread_;
};

// What the stand-ins below saw, shared by the test and the objects the window holds.
struct StandInLog {
  std::vector<std::wstring> menusAskedFor;  // parsing names of the items whose menu was asked for
  std::vector<std::wstring> backgroundsAskedFor;  // paths of the folders whose background menu was
  std::vector<UINT> menuMessages;           // what the menu handler was handed while its menu was up
  std::vector<UINT> queryFlags;             // the flags of each QueryContextMenu
  std::vector<UINT> invoked;                // command offsets
};

// A menu handler of the test's own, of the kind that fills a submenu when it opens and
// draws an entry itself: "Stand-in", the submenu "Later" and an owner-drawn entry.
class StandInMenu final : public fm::test::TestComObject<IContextMenu3, &IID_IContextMenu3> {
 public:
  StandInMenu(std::shared_ptr<StandInLog> log, HRESULT invokeResult)
      : log_(std::move(log)), invokeResult_(invokeResult) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IContextMenu || iid == IID_IContextMenu2) {
      *object = static_cast<IContextMenu3*>(this);
      AddRef();
      return S_OK;
    }
    return TestComObject::QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE QueryContextMenu(HMENU menu, UINT index, UINT first, UINT, UINT flags) override {
    log_->queryFlags.push_back(flags);
    InsertMenuW(menu, index, MF_BYPOSITION | MF_STRING, first, L"Stand-in");
    InsertMenuW(menu, index + 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"Later");
    InsertMenuW(menu, index + 2, MF_BYPOSITION | MF_OWNERDRAW, first + 1, nullptr);
    return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 2);
  }
  HRESULT STDMETHODCALLTYPE InvokeCommand(CMINVOKECOMMANDINFO* info) override {
    log_->invoked.push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(info->lpVerb)));
    return invokeResult_;
  }
  HRESULT STDMETHODCALLTYPE GetCommandString(UINT_PTR, UINT, UINT*, CHAR*, UINT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE HandleMenuMsg(UINT message, WPARAM wParam, LPARAM lParam) override {
    return HandleMenuMsg2(message, wParam, lParam, nullptr);
  }
  HRESULT STDMETHODCALLTYPE HandleMenuMsg2(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override {
    log_->menuMessages.push_back(message);
    if (message == WM_MEASUREITEM) {
      auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measure.itemWidth = 80;
      measure.itemHeight = 16;
    }
    if (result) *result = message == WM_INITMENUPOPUP ? 0 : TRUE;
    return S_OK;
  }

 private:
  std::shared_ptr<StandInLog> log_;
  HRESULT invokeResult_;
};

// A real folder with answers of the test's own: it notes whose menu is asked for and may
// hand out a stand-in menu handler; items whose names end in ".zip" are stream folders
// (as the shell shows archives on Windows) that bind to the real folder streamContent.
class StandInFolder final : public fm::test::TestComObject<IShellFolder, &IID_IShellFolder> {
 public:
  struct Setup {
    std::shared_ptr<StandInLog> log = std::make_shared<StandInLog>();
    fm::ComPtr<IContextMenu> menu;  // null: the real folder's own
    fm::ComPtr<IShellFolder> streamContent;
  };

  StandInFolder(fm::ComPtr<IShellFolder> real, std::shared_ptr<Setup> setup)
      : real_(std::move(real)), setup_(std::move(setup)) {}

  static fm::ComPtr<IShellFolder> Over(fm::ComPtr<IShellFolder> real, std::shared_ptr<Setup> setup) {
    fm::ComPtr<IShellFolder> folder;
    folder.Attach(new StandInFolder(std::move(real), std::move(setup)));
    return folder;
  }

  // The folder's path and columns come from the real folder.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IShellFolder) return TestComObject::QueryInterface(iid, object);
    return real_->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND owner, IBindCtx* bind, LPWSTR name, ULONG* eaten,
                                             LPITEMIDLIST* list, ULONG* attributes) override {
    return real_->ParseDisplayName(owner, bind, name, eaten, list, attributes);
  }
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** items) override {
    return real_->EnumObjects(owner, flags, items);
  }
  HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid, void** out) override {
    if (IsStream(list) && setup_->streamContent) return setup_->streamContent->QueryInterface(iid, out);
    fm::ComPtr<IShellFolder> folder;
    const HRESULT hr = real_->BindToObject(list, bind, IID_IShellFolder, folder.PutVoid());
    if (FAILED(hr)) return hr;
    return Over(folder, setup_)->QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid, void** out) override {
    return real_->BindToStorage(list, bind, iid, out);
  }
  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) override {
    return real_->CompareIDs(column, a, b);
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND owner, REFIID iid, void** out) override {
    if (iid == IID_IContextMenu) setup_->log->backgroundsAskedFor.push_back(fm::FolderPath(*real_));
    return real_->CreateViewObject(owner, iid, out);
  }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, LPCITEMIDLIST* lists, SFGAOF* attributes) override {
    const HRESULT hr = real_->GetAttributesOf(count, lists, attributes);
    if (SUCCEEDED(hr) && count == 1 && IsStream(lists[0])) *attributes |= SFGAO_FOLDER | SFGAO_STREAM;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* lists, REFIID iid, UINT* reserved,
                                          void** out) override {
    if (iid == IID_IContextMenu) {
      for (UINT i = 0; i < count; ++i) setup_->log->menusAskedFor.push_back(ParsingName(lists[i]));
      if (setup_->menu) return setup_->menu->QueryInterface(iid, out);
    }
    return real_->GetUIObjectOf(owner, count, lists, iid, reserved, out);
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags, STRRET* name) override {
    return real_->GetDisplayNameOf(list, flags, name);
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND owner, LPCITEMIDLIST list, LPCWSTR name, SHGDNF flags,
                                      LPITEMIDLIST* out) override {
    return real_->SetNameOf(owner, list, name, flags, out);
  }

 private:
  std::wstring ParsingName(LPCITEMIDLIST list) { return fm::DisplayNameOf(*real_, list, true); }
  bool IsStream(LPCITEMIDLIST list) { return ParsingName(list).ends_with(L".zip"); }

  fm::ComPtr<IShellFolder> real_;
  std::shared_ptr<Setup> setup_;
};

fm::ComPtr<IShellFolder> RealFolder(const std::wstring& path) {
  const fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
  return fm::BindToFolder(*desktop, fm::ParseDisplayName(*desktop, nullptr, path).Get());
}

class ItemCommands : public fm::test::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    SetForegroundWindow(main_->Handle());
    PumpPending();
  }

  static void PumpPending() { fm::test::PumpPending(); }

  void Show(const std::wstring& path) {
    Pane().BrowseToPath(path);
    Paint();
  }

  int Row(const std::wstring& name) {
    for (int i = 0; i < Pane().ItemCount(); ++i) {
      if (Pane().GetItem(i)->DisplayName() == name) return i;
    }
    ADD_FAILURE() << "no row " << testing::PrintToString(name);
    return -1;
  }

  void Select(int row) {
    if (row < 0) {
      ListView_SetItemState(List().Handle(), -1, 0, LVIS_SELECTED);
    } else {
      List().SelectItem(row);
    }
    PumpPending();
  }

  // The middle of the row's caption, in screen coordinates.
  POINT RowPoint(int row) {
    RECT rect{};
    ListView_GetItemRect(List().Handle(), row, &rect, LVIR_LABEL);
    POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(List().Handle(), &point);
    return point;
  }

  // A point of the list below its rows.
  POINT EmptyPoint() {
    RECT client;
    GetClientRect(List().Handle(), &client);
    POINT point{40, client.bottom - 20};
    ClientToScreen(List().Handle(), &point);
    return point;
  }

  void Focus(fm::ui::TControl& control) {
    SetForegroundWindow(main_->Handle());
    control.SetFocus();
    PumpPending();
  }

  // Key-down and key-up for the list, as the keyboard gives them to the focused list.
  void ListKey(WORD key) {
    Focus(List());
    Press({{key}});
  }

  MainUnit::TEdit& CommandBox() { return Child<MainUnit::TEdit>(L"Exec_CMD"); }

  // Records every launch record and hands it on to the real shell when forward is set.
  void WatchLaunches(bool forward) {
    main_->SetShellExecute([this, forward](SHELLEXECUTEINFOW& info) {
      LaunchRecord record{info.cbSize,
                          info.fMask,
                          info.hwnd,
                          TextOf(info.lpVerb),
                          TextOf(info.lpFile),
                          TextOf(info.lpParameters),
                          TextOf(info.lpDirectory),
                          info.nShow,
                          ItemOf(info.lpIDList)};
      record.accepted = forward && ShellExecuteExW(&info) != 0;
      launches_.push_back(record);
      return record.accepted;
    });
  }

  // A copy of the launch fixture at path; what it records goes to path + ".txt".
  static std::wstring PlaceLaunchFixture(const std::wstring& path) {
    const std::wstring fixture = TestExeFolder() + L"\\foldmere_launch_record.exe";
    EXPECT_TRUE(CopyFileW(fixture.c_str(), path.c_str(), FALSE)) << "error " << GetLastError();
    DeleteFileW((path + L".txt").c_str());
    return path;
  }

  static std::optional<Started> WaitStarted(const std::wstring& program) {
    std::optional<Started> started;
    fm::test::PumpUntil([&] { return (started = ReadStarted(program)).has_value(); }, 30000);
    return started;
  }

  std::vector<LaunchRecord> launches_;
};

// Opening rows -------------------------------------------------------------------------

TEST_F(ItemCommands, EnterAndDoubleClickEnterAFolderRowThroughItsItemIdList) {
  TestFolder folder(L"open-folder");
  folder.Folder(L"inner");
  folder.File(L"a.txt");
  std::ofstream(fs::path(folder / L"inner\\deep.txt")) << "x";
  struct Case {
    const char* name;
    bool doubleClick;
  };
  for (const Case c : {Case{"Enter", false}, Case{"double-click", true}}) {
    SCOPED_TRACE(c.name);
    Show(folder.Path());
    const int row = Row(L"inner");
    Select(Row(L"a.txt"));
    if (c.doubleClick) {
      Click(RowPoint(row), false, 2);
      ASSERT_TRUE(fm::test::PumpUntil([&] { return main_->Path() == folder / L"inner"; }));
    } else {
      Select(row);
      ListKey(VK_RETURN);
    }
    EXPECT_EQ(main_->Path(), folder / L"inner");
    EXPECT_EQ(PathBox().Text(), folder / L"inner");
    EXPECT_NE(Entry(L"deep.txt"), nullptr);
  }
}

TEST_F(ItemCommands, AFolderLinkIsEnteredThroughItsPathAndShowsItsTarget) {
  const std::wstring links = fm::test::kLinkFixture;
  if (!fm::DirectoryExists(links)) {
    ASSERT_FALSE(fm::test::RunningUnderWine()) << "the link fixture runs before these tests";
    GTEST_SKIP() << "the links are made by the test run under Wine";
  }
  Show(links);
  const int row = Row(L"link-to-folder");
  Select(row);
  ListKey(VK_RETURN);
  // Entered by its item ID list the pane would show the link's own path.
  EXPECT_EQ(main_->Path(), links + L"\\sub");
  EXPECT_EQ(PathBox().Text(), links + L"\\sub");
  EXPECT_NE(Entry(L"inner.txt"), nullptr);
}

TEST_F(ItemCommands, BackspaceGoesUpAndBeepsInTheDrives) {
  TestFolder folder(L"backspace");
  Show(folder.Folder(L"child"));
  ListKey(VK_BACK);
  EXPECT_EQ(main_->Path(), folder.Path());
  Show(L"C:\\");
  ListKey(VK_BACK);
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(beeps_, 0);
  ListKey(VK_BACK);
  EXPECT_EQ(main_->Path(), L"Drives");
  EXPECT_EQ(beeps_, 1);
}

TEST_F(ItemCommands, AFileRowIsLaunchedInItsFolderAndTheCommandBoxRunsItAgain) {
  TestFolder folder(L"launch");
  const std::wstring program = PlaceLaunchFixture(folder / L"record.exe");
  WatchLaunches(true);
  fm::test::ModalWatcher watcher;
  Show(folder.Path());
  Select(Row(L"record.exe"));
  ListKey(VK_RETURN);

  EXPECT_EQ(CommandBox().Text(), program);
  ASSERT_EQ(launches_.size(), 1u);
  const LaunchRecord& row = launches_[0];
  EXPECT_EQ(row.cbSize, 112u);
  // The row goes as its own item, not as a name for the shell to parse.
  EXPECT_EQ(row.fMask, static_cast<ULONG>(SEE_MASK_NOCLOSEPROCESS | SEE_MASK_IDLIST));
  EXPECT_EQ(row.hwnd, fm::ui::Application().Handle());
  EXPECT_NE(row.hwnd, main_->Handle());
  EXPECT_EQ(row.verb, std::nullopt);
  EXPECT_EQ(row.file, std::nullopt);
  EXPECT_EQ(row.item, program);
  EXPECT_EQ(row.parameters, std::wstring());
  EXPECT_EQ(row.directory, folder.Path());
  EXPECT_EQ(row.nShow, SW_SHOWNORMAL);
  EXPECT_TRUE(row.accepted);
  std::optional<Started> started = WaitStarted(program);
  ASSERT_TRUE(started) << "the program did not start";
  EXPECT_NE(started->commandLine.find(program), std::wstring::npos) << started->commandLine;
  EXPECT_EQ(started->directory, folder.Path());

  // Enter in the command box starts the same file with its folder as typed, backslash
  // included, and no owner window.
  DeleteFileW((program + L".txt").c_str());
  Focus(CommandBox());
  Press({{VK_RETURN}});
  ASSERT_EQ(launches_.size(), 2u);
  const LaunchRecord& box = launches_[1];
  EXPECT_EQ(box.cbSize, 112u);
  EXPECT_EQ(box.fMask, static_cast<ULONG>(SEE_MASK_NOCLOSEPROCESS));
  EXPECT_EQ(box.hwnd, nullptr);
  EXPECT_EQ(box.file, program);
  EXPECT_EQ(box.item, std::nullopt);
  EXPECT_EQ(box.parameters, std::wstring());
  EXPECT_EQ(box.directory, folder.Path() + L"\\");
  EXPECT_EQ(box.nShow, SW_SHOWNORMAL);
  started = WaitStarted(program);
  ASSERT_TRUE(started) << "the program did not start again";
  EXPECT_EQ(started->directory, folder.Path());
  EXPECT_EQ(CommandBox().Text(), program);
}

TEST_F(ItemCommands, AFileAtADriveRootStartsInTheRootWithItsBackslash) {
  const std::wstring program = PlaceLaunchFixture(L"C:\\foldmere-launch-root.exe");
  struct Cleanup {
    std::wstring program;
    ~Cleanup() {
      DeleteFileW(program.c_str());
      DeleteFileW((program + L".txt").c_str());
    }
  } cleanup{program};
  WatchLaunches(true);
  Show(L"C:\\");
  Select(Row(L"foldmere-launch-root.exe"));
  ListKey(VK_RETURN);
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].directory, L"C:\\");
  const std::optional<Started> started = WaitStarted(program);
  ASSERT_TRUE(started) << "the program did not start";
  EXPECT_EQ(started->directory, L"C:\\");
}

TEST_F(ItemCommands, ACommandBoxTextWithArgumentsIsOneFileNameForTheShell) {
  TestFolder folder(L"arguments");
  const std::wstring program = PlaceLaunchFixture(folder / L"record.exe");
  const std::wstring typed = program + L" C:\\in.txt";
  WatchLaunches(true);
  fm::test::ModalWatcher watcher;  // the shell's own box about a file it cannot find
  CommandBox().SetText(typed);
  Focus(CommandBox());
  Press({{VK_RETURN}});
  ASSERT_EQ(launches_.size(), 1u);
  EXPECT_EQ(launches_[0].file, typed);
  EXPECT_EQ(launches_[0].parameters, std::wstring());
  EXPECT_EQ(launches_[0].directory, program + L" C:\\");
  // No file has that name: the shell refuses, and the program never started.
  EXPECT_FALSE(launches_[0].accepted);
  EXPECT_FALSE(ReadStarted(program));
  for (const auto& box : watcher.Boxes()) EXPECT_NE(box.caption, fm::ui::Application().Title()) << box.text;
}

TEST_F(ItemCommands, CommandBoxKeysDoNothingAtKeyDownWhileCharactersEdit) {
  struct Case {
    const char* name;
    std::initializer_list<Stroke> keys;
    DWORD caret;  // before the keys
    const wchar_t* text;
  };
  if (!OpenClipboard(main_->Handle())) FAIL() << "no clipboard";
  EmptyClipboard();
  const wchar_t clip[] = L"Q";
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(clip));
  std::memcpy(GlobalLock(memory), clip, sizeof(clip));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  const Case cases[] = {
      {"typing", {{'X'}, {'Y'}}, 3, L"abcxy"},
      {"Left then typing", {{VK_LEFT}, {'X'}}, 3, L"abcx"},
      {"Right then typing", {{VK_RIGHT}, {'X'}}, 1, L"axbc"},
      {"Home then typing", {{VK_HOME}, {'X'}}, 3, L"abcx"},
      {"End then typing", {{VK_END}, {'X'}}, 0, L"xabc"},
      {"Delete", {{VK_DELETE}}, 0, L"abc"},
      {"Backspace", {{VK_BACK}}, 3, L"ab"},
      {"Ctrl+V", {{'V', true}}, 1, L"aQbc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CommandBox().SetText(L"abc");
    Focus(CommandBox());
    SendMessageW(CommandBox().Handle(), EM_SETSEL, c.caret, c.caret);
    Press(c.keys);
    EXPECT_EQ(CommandBox().Text(), c.text);
  }
}

TEST_F(ItemCommands, WithoutASelectionDoubleClickOnlyLaysOutAndF9DoesNothing) {
  TestFolder folder(L"no-selection");
  folder.File(L"a.txt");
  WatchLaunches(false);
  Show(folder.Path());
  Select(-1);
  const int laidOut = List().Width();
  List().SetWidth(laidOut - 100);
  Click(EmptyPoint(), false, 2);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return List().Width() == laidOut; }));
  ListKey(VK_F9);
  Child<MainUnit::TSpeedButton>(L"BTN_F09").SetEnableClickWaitPeriod(false);
  SendMessageW(Child(L"BTN_F09").Handle(), BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_EQ(main_->Path(), folder.Path());
  EXPECT_TRUE(launches_.empty());
  EXPECT_EQ(CommandBox().Text(), L"");
}

TEST_F(ItemCommands, F9AndTheF9ButtonAskTheShellForTheRowsProperties) {
  TestFolder folder(L"properties");
  const std::wstring file = folder.File(L"a.txt");
  WatchLaunches(false);
  Show(folder.Path());
  Select(Row(L"a.txt"));
  // The button's own wait between clicks is not what this test is about.
  Child<MainUnit::TSpeedButton>(L"BTN_F09").SetEnableClickWaitPeriod(false);
  ListKey(VK_F9);
  SetForegroundWindow(main_->Handle());
  SendMessageW(Child(L"BTN_F09").Handle(), BM_CLICK, 0, 0);
  PumpPending();
  ASSERT_EQ(launches_.size(), 2u);
  for (const LaunchRecord& record : launches_) {
    EXPECT_EQ(record.cbSize, 112u);
    EXPECT_EQ(record.fMask, static_cast<ULONG>(SEE_MASK_INVOKEIDLIST));
    EXPECT_EQ(record.hwnd, main_->Handle());  // the active window
    EXPECT_EQ(record.verb, L"properties");
    EXPECT_EQ(record.file, std::nullopt);
    EXPECT_EQ(record.item, file);
    EXPECT_EQ(record.parameters, std::nullopt);
    EXPECT_EQ(record.directory, std::nullopt);
    EXPECT_EQ(record.nShow, SW_SHOWNORMAL);
  }
}

TEST_F(ItemCommands, TheRealPropertiesCallLeavesTheProgramWithoutAnErrorOfItsOwn) {
  // Wine answers the verb with a box of its own ("Invalid parameter."); Windows shows the
  // properties sheet. Either way the program goes on and says nothing itself.
  TestFolder folder(L"properties-real");
  folder.File(L"a.txt");
  Show(folder.Path());
  Select(Row(L"a.txt"));
  fm::test::ModalWatcher watcher;
  ListKey(VK_F9);
  PumpPending();
  for (const auto& box : watcher.Boxes()) EXPECT_NE(box.caption, fm::ui::Application().Title()) << box.text;
  EXPECT_TRUE(IsWindowVisible(main_->Handle()));
  EXPECT_EQ(main_->Path(), folder.Path());
}

// The context menu ---------------------------------------------------------------------

class ContextMenu : public ItemCommands {
 protected:
  static bool Has(const ShellUiDriver::Menu& menu, const std::wstring& item) {
    return std::find(menu.items.begin(), menu.items.end(), item) != menu.items.end();
  }

  // Right-clicks at the point and waits until a menu has come and gone.
  std::vector<ShellUiDriver::Menu> RightClick(ShellUiDriver& driver, POINT point) {
    // The pointer jumps to the point: a tip from where it rested may lie there, and under
    // Wine a tip takes the press. A pointer moved there by hand would have moved the tip.
    fm::ui::Application().CancelHint();
    Click(point, true);
    fm::test::PumpUntil(
        [&] { return !driver.Menus().empty() && !IsMenu(driver.Menus()[0].handle); });
    PumpPending();
    return driver.Menus();
  }
};

TEST_F(ContextMenu, ARightClickShowsTheMenuOfTheRowUnderThePointerAtThePressPoint) {
  TestFolder folder(L"menu-row");
  folder.Folder(L"inner");
  const std::wstring file = folder.File(L"a.txt");
  Show(folder.Path());
  // A file row was selected before; the press is on the folder row.
  Select(Row(L"a.txt"));
  ShellUiDriver driver;  // dismisses with Escape
  const POINT point = RowPoint(Row(L"inner"));
  const auto menus = RightClick(driver, point);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(List().SelectedIndex(), Row(L"inner"));
  // A folder's menu opens it with Explore; a file's has no such entry.
  EXPECT_TRUE(Has(menus[0], L"Explore"));
  EXPECT_TRUE(Has(menus[0], L"Delete"));
  EXPECT_EQ(menus[0].rect.left, point.x);
  EXPECT_EQ(menus[0].rect.top, point.y);
  // Dismissed, nothing ran: no dialog, the file and the folder are there, the pane stays.
  EXPECT_FALSE(IsMenu(menus[0].handle));
  EXPECT_TRUE(driver.Dialogs().empty());
  EXPECT_TRUE(fm::FileExists(file));
  EXPECT_TRUE(fm::DirectoryExists(folder / L"inner"));
  EXPECT_EQ(main_->Path(), folder.Path());
}

TEST_F(ContextMenu, APressOnEmptySpaceShowsTheMenuOfTheFolderShownButNoneInTheDrives) {
  {
    // The window starts in the drives, which have no menu of their own here.
    ASSERT_EQ(PathBox().Text(), L"Drives");
    Select(-1);
    ShellUiDriver driver;
    Click(EmptyPoint(), true);
    EXPECT_FALSE(fm::test::PumpUntil([&] { return !driver.Menus().empty(); }, 1500));
    EXPECT_TRUE(driver.Dialogs().empty());
  }
  TestFolder folder(L"menu-folder");
  folder.File(L"a.txt");
  // A drive root too has its menu: its path is no parent and name.
  for (const std::wstring& shown : {folder.Path(), std::wstring(L"C:\\")}) {
    SCOPED_TRACE(testing::PrintToString(shown));
    Show(shown);
    Select(-1);
    ShellUiDriver driver;
    const auto menus = RightClick(driver, EmptyPoint());
    EXPECT_EQ(List().SelectedIndex(), -1);
    ASSERT_EQ(menus.size(), 1u);
    // The folder's background: what lands in it, not the folder as an item.
    EXPECT_TRUE(Has(menus[0], L"Paste"));
    EXPECT_FALSE(Has(menus[0], L"Explore"));
    EXPECT_FALSE(IsMenu(menus[0].handle));
    EXPECT_TRUE(driver.Dialogs().empty());
  }
}

TEST_F(ContextMenu, ARightPressOnADriveRowShowsTheDrivesMenu) {
  // The window starts in the drives.
  ASSERT_EQ(main_->Path(), L"Drives");
  Paint();
  int row = -1;
  for (int i = 0; i < main_->LeftItemCount(); ++i) {
    if (main_->GetLeftItem(i)->FullPath() == L"C:\\") row = i;
  }
  ASSERT_GE(row, 0);
  ShellUiDriver driver;
  const auto menus = RightClick(driver, RowPoint(row));
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_TRUE(Has(menus[0], L"Explore")) << testing::PrintToString(menus[0].items);
  EXPECT_TRUE(driver.Dialogs().empty());
}

TEST_F(ContextMenu, APickedCommandRunsAndItsRowFollowsTheFolder) {
  TestFolder folder(L"menu-delete");
  const std::wstring file = folder.File(L"scratch.txt");
  folder.File(L"keep.txt");
  Show(folder.Path());
  ShellUiDriver driver(L"Delete");
  const auto menus = RightClick(driver, RowPoint(Row(L"scratch.txt")));
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_FALSE(Has(menus[0], L"Explore"));
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !fm::FileExists(file); }));
  // The deletion was confirmed in the shell's dialog, not in one of the program's.
  const auto dialogs = driver.Dialogs();
  ASSERT_FALSE(dialogs.empty());
  for (const auto& dialog : dialogs) EXPECT_NE(dialog.caption, fm::ui::Application().Title()) << dialog.text;
  // The folder's watch takes the row away by itself.
  EXPECT_TRUE(fm::test::PumpUntil([&] { return Entry(L"scratch.txt") == nullptr; }));
  EXPECT_EQ(main_->LeftItemCount(), 1);
}

TEST_F(ContextMenu, ACommandThatFailsShowsTheErrorBoxOnceTheMenuIsDestroyed) {
  TestFolder folder(L"menu-failing");
  const std::wstring file = folder.File(L"gone.txt");
  Show(folder.Path());
  // The file goes while the menu is open: the shell cannot make a link to it.
  ShellUiDriver driver(L"Create Link", IDYES, [&] { DeleteFileW(file.c_str()); });
  const auto menus = RightClick(driver, RowPoint(Row(L"gone.txt")));
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !driver.Dialogs().empty(); }));
  PumpPending();
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_FALSE(IsMenu(menus[0].handle));
  const auto dialogs = driver.Dialogs();
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].caption, fm::ui::Application().Title());
  EXPECT_TRUE(dialogs[0].stopIcon);
  EXPECT_FALSE(dialogs[0].text.empty());
  EXPECT_FALSE(dialogs[0].menuAlive) << "the error box came while the menu was still there";
}

// The shell's menu with a handler of the test's own behind it.
class StandInMenus : public ContextMenu {
 protected:
  // Shows folder and puts a stand-in in front of it whose menu handler answers
  // InvokeCommand with invokeResult.
  std::shared_ptr<StandInLog> ShowWithStandIn(const std::wstring& folder, HRESULT invokeResult) {
    Show(folder);
    auto setup = std::make_shared<StandInFolder::Setup>();
    setup->menu.Attach(new StandInMenu(setup->log, invokeResult));
    main_->ReadFolder(StandInFolder::Over(RealFolder(folder), setup));
    Paint();
    return setup->log;
  }
};

// The files the OLE clipboard offers as the shell's item list.
std::vector<std::wstring> ClipboardFiles() {
  std::vector<std::wstring> files;
  fm::ComPtr<IDataObject> data;
  if (FAILED(OleGetClipboard(data.Put()))) return files;
  FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), nullptr, DVASPECT_CONTENT,
                   -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return files;
  if (const auto* ida = static_cast<const CIDA*>(GlobalLock(medium.hGlobal))) {
    const auto* bytes = reinterpret_cast<const BYTE*>(ida);
    const auto parent = reinterpret_cast<LPCITEMIDLIST>(bytes + ida->aoffset[0]);
    for (UINT i = 0; i < ida->cidl; ++i) {
      const fm::ItemIdList item =
          fm::ItemIdList::Adopt(fm::JoinItemIDLists(parent, reinterpret_cast<LPCITEMIDLIST>(bytes + ida->aoffset[i + 1])));
      files.push_back(fm::PathFromIDList(item.Get()));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return files;
}

TEST_F(StandInMenus, CopyAndPasteGoThroughTheClipboardIntoTheFolderShown) {
  TestFolder folder(L"menu-paste");
  const std::wstring source = folder.Folder(L"source");
  const std::wstring copied = folder.File(L"source\\copied.txt", "copied");
  const std::wstring target = folder.Folder(L"target");
  const std::wstring typed = folder.Folder(L"typed");
  OleSetClipboard(nullptr);
  Show(source);
  {
    ShellUiDriver copy(L"Copy");
    RightClick(copy, RowPoint(Row(L"copied.txt")));
    EXPECT_TRUE(copy.Dialogs().empty());
  }
  // Copy hands the item to the OLE clipboard.
  EXPECT_EQ(ClipboardFiles(), std::vector<std::wstring>{copied});
  struct Case {
    const char* name;
    std::wstring pathBox;  // typed but not confirmed; empty: as the navigation left it
  };
  for (const Case& c : {Case{"as shown", L""}, Case{"unconfirmed text", typed}}) {
    SCOPED_TRACE(c.name);
    DeleteFileW((target + L"\\copied.txt").c_str());
    Show(target);
    auto setup = std::make_shared<StandInFolder::Setup>();
    main_->ReadFolder(StandInFolder::Over(RealFolder(target), setup));
    Select(-1);
    if (!c.pathBox.empty()) PathBox().SetText(c.pathBox);
    ShellUiDriver paste(L"Paste");
    const auto menus = RightClick(paste, EmptyPoint());
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_TRUE(Has(menus[0], L"Paste")) << testing::PrintToString(menus[0].items);
    // The menu is the folder shown's, never the one of the folder the path box names.
    EXPECT_EQ(setup->log->backgroundsAskedFor, std::vector<std::wstring>{target});
    EXPECT_TRUE(setup->log->menusAskedFor.empty());
    for (const auto& dialog : paste.Dialogs()) ADD_FAILURE() << testing::PrintToString(dialog.text);
    EXPECT_FALSE(fm::FileExists(typed + L"\\copied.txt"));
    // Wine 8's Paste takes the copied item's folder for one of the desktop's and copies
    // nothing; Windows copies the file.
    if (!fm::test::RunningUnderWine()) {
      EXPECT_TRUE(fm::test::PumpUntil([&] { return fm::FileExists(target + L"\\copied.txt"); }));
    }
  }
  EXPECT_TRUE(fm::FileExists(copied));
}

TEST_F(StandInMenus, TheMenusMessagesReachItsHandlerWhileItIsUp) {
  TestFolder folder(L"menu-stand-in");
  folder.File(L"a.txt");
  const auto log = ShowWithStandIn(folder.Path(), S_OK);
  ShellUiDriver driver(L"Stand-in");
  const auto menus = RightClick(driver, RowPoint(Row(L"a.txt")));
  ASSERT_EQ(menus.size(), 1u);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !log->invoked.empty(); }));
  EXPECT_EQ(log->invoked, std::vector<UINT>{0});
  const auto saw = [&](UINT message) {
    return std::find(log->menuMessages.begin(), log->menuMessages.end(), message) != log->menuMessages.end();
  };
  // The menu opening, its owner-drawn entry measured and drawn.
  EXPECT_TRUE(saw(WM_INITMENUPOPUP));
  EXPECT_TRUE(saw(WM_MEASUREITEM));
  EXPECT_TRUE(saw(WM_DRAWITEM));
  EXPECT_TRUE(driver.Dialogs().empty());
  // Once the menu is gone its messages are the window's own again.
  const std::size_t seen = log->menuMessages.size();
  SendMessageW(main_->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menus[0].handle), 0);
  EXPECT_EQ(log->menuMessages.size(), seen);
}

TEST_F(StandInMenus, ACommandTheUserCancelledShowsNoBox) {
  TestFolder folder(L"menu-cancelled");
  folder.File(L"a.txt");
  const auto log = ShowWithStandIn(folder.Path(), HRESULT_FROM_WIN32(ERROR_CANCELLED));
  fm::test::ModalWatcher watcher;
  ShellUiDriver driver(L"Stand-in");
  RightClick(driver, RowPoint(Row(L"a.txt")));
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !log->invoked.empty(); }));
  PumpPending();
  Sleep(300);
  PumpPending();
  EXPECT_TRUE(driver.Dialogs().empty());
  EXPECT_TRUE(watcher.Boxes().empty());
}

TEST_F(StandInMenus, ShiftHeldAddsTheExtendedVerbs) {
  TestFolder folder(L"menu-extended");
  folder.File(L"a.txt");
  const auto log = ShowWithStandIn(folder.Path(), S_OK);
  for (const bool shift : {false, true}) {
    SCOPED_TRACE(shift ? "Shift held" : "no Shift");
    INPUT key{};
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_SHIFT;
    if (shift) SendInput(1, &key, sizeof(key));
    ShellUiDriver driver;
    RightClick(driver, RowPoint(Row(L"a.txt")));
    key.ki.dwFlags = KEYEVENTF_KEYUP;
    if (shift) SendInput(1, &key, sizeof(key));
    PumpPending();
    ASSERT_FALSE(log->queryFlags.empty());
    EXPECT_EQ(log->queryFlags.back(), static_cast<UINT>(CMF_EXPLORE | (shift ? CMF_EXTENDEDVERBS : 0)));
  }
}

TEST_F(ContextMenu, TheMenuKeyAndShiftF10OpenTheFocusedRowsMenuAtTheRow) {
  TestFolder folder(L"menu-keys");
  folder.File(L"a.txt");
  folder.File(L"b.txt");
  Show(folder.Path());
  struct Case {
    const char* name;
    std::vector<WORD> down;  // pressed in order, released in reverse
  };
  for (const Case& c : {Case{"menu key", {VK_APPS}}, Case{"Shift+F10", {VK_SHIFT, VK_F10}}}) {
    SCOPED_TRACE(c.name);
    const int row = Row(L"b.txt");
    Select(row);
    Focus(List());
    ShellUiDriver driver;
    std::vector<INPUT> inputs;
    for (WORD key : c.down) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      inputs.push_back(input);
    }
    for (auto key = c.down.rbegin(); key != c.down.rend(); ++key) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = *key;
      input.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ASSERT_TRUE(fm::test::PumpUntil([&] { return !driver.Menus().empty() && !IsMenu(driver.Menus()[0].handle); }));
    PumpPending();
    const auto menus = driver.Menus();
    ASSERT_EQ(menus.size(), 1u);
    // A file's menu, at the row's caption.
    EXPECT_TRUE(Has(menus[0], L"Open"));
    RECT caption{};
    ListView_GetItemRect(List().Handle(), row, &caption, LVIR_LABEL);
    POINT at{caption.left, (caption.top + caption.bottom) / 2};
    ClientToScreen(List().Handle(), &at);
    EXPECT_EQ(menus[0].rect.left, at.x);
    EXPECT_EQ(menus[0].rect.top, at.y);
    EXPECT_TRUE(driver.Dialogs().empty());
    // No menu bar taken over by F10 afterwards: the list keeps its keys.
    EXPECT_EQ(GetFocus(), List().Handle());
  }
}

// Rows whose names differ only by a trailing dot: the parser takes "report.txt." for
// "report.txt"; each row must stay itself.
class Siblings : public StandInMenus {
 protected:
  void SetUp() override {
    if (!fm::DirectoryExists(fm::test::kSiblingFixture)) {
      ASSERT_FALSE(fm::test::RunningUnderWine()) << "the siblings are made with the links before these tests";
      GTEST_SKIP() << "the siblings are made from the Linux side under Wine";
    }
    StandInMenus::SetUp();
  }
  static std::wstring Sibling(const std::wstring& use) {
    return std::wstring(fm::test::kSiblingFixture) + L"\\" + use;
  }
};

TEST_F(Siblings, TheMenuOfEachIsForItsOwnItem) {
  // Wine's own Delete parses the name again, so the item the menu is built for is
  // watched instead; nothing is deleted.
  const std::wstring folder = Sibling(L"menu");
  Show(folder);
  auto setup = std::make_shared<StandInFolder::Setup>();
  main_->ReadFolder(StandInFolder::Over(RealFolder(folder), setup));
  Paint();
  for (const wchar_t* name : {L"report.txt.", L"report.txt"}) {
    SCOPED_TRACE(testing::PrintToString(name));
    setup->log->menusAskedFor.clear();
    ShellUiDriver driver(L"Delete", IDNO);
    const auto menus = RightClick(driver, RowPoint(Row(name)));
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_TRUE(Has(menus[0], L"Delete"));
    EXPECT_EQ(setup->log->menusAskedFor, std::vector<std::wstring>{folder + L"\\" + name});
  }
  EXPECT_TRUE(fs::exists(fs::path(folder + L"\\report.txt")));
}

TEST_F(Siblings, EnterLaunchesEachAsItself) {
  const std::wstring folder = Sibling(L"enter");
  WatchLaunches(false);
  Show(folder);
  for (const wchar_t* name : {L"report.txt.", L"report.txt"}) {
    SCOPED_TRACE(testing::PrintToString(name));
    launches_.clear();
    Select(Row(name));
    ListKey(VK_RETURN);
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].item, folder + L"\\" + name);
    EXPECT_EQ(CommandBox().Text(), folder + L"\\" + name);
  }
}

TEST_F(Siblings, TheTipOfEachDescribesItsOwnFile) {
  const std::wstring folder = Sibling(L"tip");
  Show(folder);
  // "report.txt" carries a version resource, "report.txt." is plain text.
  const std::wstring withVersion = TipOf(L"report.txt");
  ASSERT_NE(withVersion.find(L"\r\nProduct: "), std::wstring::npos) << testing::PrintToString(withVersion);
  const std::wstring plain = TipOf(L"report.txt.");
  EXPECT_EQ(plain.rfind(L"Location: " + folder + L"\\report.txt.\r\n", 0), 0u) << testing::PrintToString(plain);
  for (const wchar_t* line : {L"Company: ", L"Description: ", L"Product: ", L"Function: "}) {
    EXPECT_EQ(plain.find(line), std::wstring::npos) << testing::PrintToString(plain);
  }
  // Its own six bytes, not its sibling's size.
  EXPECT_TRUE(plain.ends_with(L"\r\nSize: 6 B")) << testing::PrintToString(plain);
}

TEST_F(StandInMenus, AStreamFolderIsEnteredThroughTheShell) {
  // Windows shows a .zip as a folder that is a file; Wine has no such folder, so a
  // stand-in namespace shows one whose contents are a real folder's.
  TestFolder folder(L"stream-folder");
  const std::wstring archive = folder.File(L"archive.zip", "PK");
  const std::wstring content = folder.Folder(L"content");
  folder.File(L"content\\packed.txt");
  auto setup = std::make_shared<StandInFolder::Setup>();
  setup->streamContent = RealFolder(content);
  main_->SetDesktopFolder(StandInFolder::Over(fm::DesktopFolder(), setup));
  Show(folder.Path());
  fm::test::ModalWatcher watcher;
  Select(Row(L"archive.zip"));
  WatchLaunches(false);
  ListKey(VK_RETURN);
  PumpPending();
  EXPECT_TRUE(watcher.Boxes().empty()) << testing::PrintToString(watcher.Boxes().empty() ? L"" : watcher.Boxes()[0].text);
  EXPECT_TRUE(launches_.empty());
  EXPECT_EQ(main_->Path(), archive);
  EXPECT_EQ(PathBox().Text(), archive);
  EXPECT_NE(Entry(L"packed.txt"), nullptr);
}

// Volume labels ------------------------------------------------------------------------

class VolumeLabels : public ItemCommands {
 protected:
  void SetUp() override {
    // On Windows the tests would change the label of the machine's own C: drive.
    if (!fm::test::RunningUnderWine()) GTEST_SKIP() << "labels are tested in Wine's prefix";
    ItemCommands::SetUp();
    original_ = WineLabel();
  }
  void TearDown() override {
    if (!fm::test::RunningUnderWine()) return;
    // Never a null label: Wine would crash.
    SetVolumeLabelW(L"C:\\", original_.value_or(L"").c_str());
    ItemCommands::TearDown();
  }

  // The label Wine keeps for C:, read from where it writes it: its volume information
  // keeps the old label until the wineserver restarts.
  static std::optional<std::wstring> WineLabel() {
    std::ifstream in(fs::path(L"C:\\.windows-label"), std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return std::wstring(text.begin(), text.end());
  }

  // F2 on the row, the edit's text replaced and the key pressed in the edit, which ends
  // the edit at once; what the edit posted is still to be handled.
  void Edit(int row, const std::wstring& text, WORD key) {
    Select(row);
    ListKey(VK_F2);
    HWND edit = ListView_GetEditControl(List().Handle());
    ASSERT_NE(edit, nullptr) << "no edit began";
    SetWindowTextW(edit, text.c_str());
    SendMessageW(edit, WM_KEYDOWN, key, 1);
  }

  int DriveRow(wchar_t letter) {
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      if (main_->GetLeftItem(i)->FullPath() == std::wstring(1, letter) + L":\\") return i;
    }
    ADD_FAILURE() << "no drive row";
    return -1;
  }

  std::optional<std::wstring> original_;
};

TEST_F(VolumeLabels, F2OnADriveRowSetsTheLabelOfThatDriveAndTellsSoAfterTheEdit) {
  const int row = DriveRow(L'C');
  const std::wstring caption = List().ItemData(row).Caption;
  struct Case {
    const wchar_t* typed;
    const wchar_t* label;
  };
  const Case cases[] = {
      {L"Foldmere (C:)", L"Foldmere"},
      {L"Other (Z:)", L"Other"},  // another drive's letter names no other volume
      {L"New(C:)", L"New"},       // without the blank every letter stays
      {L"  Spaced  ", L"Spaced"},
      {L"(C:)", L""},             // only the drive clears the label: an empty string, never none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.typed));
    fm::test::ModalWatcher watcher;
    Edit(row, c.typed, VK_RETURN);
    // The box comes once the edit has ended, not inside the list's notification.
    EXPECT_TRUE(watcher.Boxes().empty());
    EXPECT_EQ(ListView_GetEditControl(List().Handle()), nullptr);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, fm::ui::Application().Title());
    EXPECT_EQ(boxes[0].text, L"set " + std::wstring(c.label) + L" for C:\\");
    EXPECT_FALSE(boxes[0].stopIcon);
    EXPECT_EQ(WineLabel().value_or(L""), c.label);
  }
  // The row is drawn from its entry, which keeps the former name until the next read.
  EXPECT_EQ(List().ItemData(row).Caption, caption);
}

TEST_F(VolumeLabels, ARefusedLabelTellsItFailed) {
  // Wine will not label Z:, the host's root.
  const int row = DriveRow(L'Z');
  fm::test::ModalWatcher watcher;
  Edit(row, L"NewLabel (Z:)", VK_RETURN);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
  ASSERT_EQ(watcher.Boxes().size(), 1u);
  EXPECT_EQ(watcher.Boxes()[0].text, L"failed set NewLabel for Z:\\");
  EXPECT_EQ(WineLabel(), original_);
}

TEST_F(VolumeLabels, EscapeChangesNothingAndFilesAndFoldersOpenNoEdit) {
  fm::test::ModalWatcher watcher;
  Edit(DriveRow(L'C'), L"Escaped (C:)", VK_ESCAPE);
  EXPECT_EQ(WineLabel(), original_);

  TestFolder folder(L"label-edit");
  const std::wstring file = folder.File(L"a.txt");
  folder.Folder(L"inner");
  Show(folder.Path());
  for (const wchar_t* name : {L"a.txt", L"inner"}) {
    SCOPED_TRACE(testing::PrintToString(name));
    // F2, and the list's own request to edit that a slow second click makes.
    Select(Row(name));
    ListKey(VK_F2);
    EXPECT_EQ(ListView_GetEditControl(List().Handle()), nullptr);
    EXPECT_EQ(SendMessageW(List().Handle(), LVM_EDITLABELW, Row(name), 0), 0);
    EXPECT_EQ(ListView_GetEditControl(List().Handle()), nullptr);
  }
  PumpPending();
  EXPECT_TRUE(watcher.Boxes().empty());
  EXPECT_TRUE(fm::FileExists(file));
  EXPECT_TRUE(fm::DirectoryExists(folder / L"inner"));
  EXPECT_EQ(WineLabel(), original_);
}

// Both panes ---------------------------------------------------------------------------

using fm::test::kSides;
using fm::test::PaneSide;

class BothPanes : public ContextMenu {
 protected:
  // What a pane shows: the other pane's doings must leave all of it as it was.
  struct Shown {
    std::wstring path;
    std::vector<std::wstring> rows;
    std::uint64_t files, folders, size;
    std::vector<std::wstring> status;
    std::vector<std::wstring> history;
    std::wstring pathText;
    int drive;
    std::wstring label;
    std::vector<int> selected;
  };

  MainUnit::TPane& PaneOf(const PaneSide& side) { return side.left ? main_->LeftPane() : main_->RightPane(); }
  static const PaneSide& OtherOf(const PaneSide& side) {
    return side.left ? fm::test::kRightSide : fm::test::kLeftSide;
  }

  Shown ShownBy(const PaneSide& side) {
    MainUnit::TPane& pane = PaneOf(side);
    Shown shown{pane.Path(), {}, pane.Files(), pane.Folders(), pane.AllSize(), {}, {}, {}, 0, {}, {}};
    for (int i = 0; i < pane.ItemCount(); ++i) shown.rows.emplace_back(pane.GetItem(i)->DisplayName());
    auto& status = Child<MainUnit::TStatusBar>(side.status);
    for (int i = 0; i < 4; ++i) shown.status.push_back(status.PanelText(i));
    auto& pathBox = Child<MainUnit::TComboBox>(side.pathBox);
    for (int i = 0; i < pathBox.Count(); ++i) shown.history.push_back(pathBox.Item(i));
    shown.pathText = pathBox.Text();
    shown.drive = Child<MainUnit::TComboBox>(side.drives).ItemIndex();
    shown.label = Child(side.label).Text();
    shown.selected = Child<MainUnit::TListView>(side.list).SelectedIndexes();
    return shown;
  }

  static void ExpectSame(const Shown& before, const Shown& after) {
    EXPECT_EQ(after.path, before.path);
    EXPECT_EQ(after.rows, before.rows);
    EXPECT_EQ(after.files, before.files);
    EXPECT_EQ(after.folders, before.folders);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.status, before.status);
    EXPECT_EQ(after.history, before.history);
    EXPECT_EQ(after.pathText, before.pathText);
    EXPECT_EQ(after.drive, before.drive);
    EXPECT_EQ(after.label, before.label);
    EXPECT_EQ(after.selected, before.selected);
  }

  // Picks a line of a box as the user does: the selection changes and the box says so.
  static void ChooseLine(MainUnit::TComboBox& box, int line) {
    box.SetItemIndex(line);
    SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box.Handle()));
    PumpPending();
  }

  void ClickBack() {
    auto& back = dynamic_cast<MainUnit::TToolButton&>(
        *Child<MainUnit::TToolBar>(Side().backBar).FindButton(Side().back));
    back.SetEnableClickWaitPeriod(false);
    back.Click();
    PumpPending();
  }

  void ClickRoot() {
    auto& root = Child<MainUnit::TSpeedButton>(Side().root);
    root.SetEnableClickWaitPeriod(false);
    root.Click();
    PumpPending();
  }

  MainUnit::TLabel& Label(const PaneSide& side) { return Child<MainUnit::TLabel>(side.label); }

  // Whether the label is drawn in the highlight colours, on the screen and in its settings.
  bool Highlighted(const PaneSide& side) {
    MainUnit::TLabel& label = Label(side);
    const bool set = label.Color() == fm::ui::clHighlight && label.Font().Color() == fm::ui::clHighlightText;
    UpdateWindow(label.Handle());
    const fm::test::Capture capture(label.Handle());
    const bool drawn = capture.Pixel(2, 2) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(set, drawn) << side.name << ": the label's settings and its pixels disagree";
    return set && drawn;
  }

  std::vector<int> Selected() { return List().SelectedIndexes(); }
};

TEST_F(BothPanes, EachPaneStartsInTheDrivesWithItsOwnHistoryAndTheLeftActive) {
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    UseSide(side);
    EXPECT_EQ(Pane().Path(), L"Drives");
    EXPECT_EQ(PathBox().Text(), L"Drives");
    EXPECT_EQ(PathBox().Count(), 1);
    EXPECT_EQ(Label(side).Text(), L"Drives");
    EXPECT_GT(Pane().ItemCount(), 0);
    EXPECT_EQ(List().ItemCount(), Pane().ItemCount());
    EXPECT_EQ(Status(3), L"");
    EXPECT_GE(Child<MainUnit::TComboBox>(side.drives).ItemIndex(), 0);
  }
  EXPECT_EQ(&main_->ActivePane(), &main_->LeftPane());
  EXPECT_TRUE(Highlighted(fm::test::kLeftSide));
  EXPECT_FALSE(Highlighted(fm::test::kRightSide));
}

TEST_F(BothPanes, EveryRouteMovesOnlyThePaneWhoseControlsWereUsed) {
  TestFolder folder(L"two-panes");
  const std::wstring inner = folder.Folder(L"inner");
  folder.File(L"a.txt", "12345");
  struct Route {
    const char* name;
    std::function<void()> go;
    std::wstring expected;
  };
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    // The other pane shows the same folder, read and painted, with a row selected.
    UseSide(OtherOf(side));
    Show(folder.Path());
    Select(Row(L"a.txt"));
    const Shown other = ShownBy(OtherOf(side));
    UseSide(side);
    Show(L"C:\\");
    const Route routes[] = {
        {"typed path", [&] { TypePath(folder.Path()); }, folder.Path()},
        {"Enter on a folder row", [&] {
           Select(Row(L"inner"));
           ListKey(VK_RETURN);
         }, inner},
        {"Backspace", [&] { ListKey(VK_BACK); }, folder.Path()},
        {"path-box line", [&] { ChooseLine(PathBox(), PathBox().IndexOf(inner)); }, inner},
        {"back button", [&] { ClickBack(); }, folder.Path()},
        {"root button", [&] { ClickRoot(); }, L"C:\\"},
        {"path-box line again", [&] { ChooseLine(PathBox(), PathBox().IndexOf(folder.Path())); }, folder.Path()},
        {"drive box", [&] { ChooseLine(Child<MainUnit::TComboBox>(side.drives), 0); }, L"C:\\"},
    };
    for (const Route& route : routes) {
      SCOPED_TRACE(route.name);
      route.go();
      EXPECT_EQ(Pane().Path(), route.expected);
      EXPECT_EQ(PathBox().Text(), route.expected);
      EXPECT_EQ(Label(side).Text(), route.expected);
    }
    // A read of the same folder, and a navigation that fails.
    Show(folder.Path());
    {
      fm::test::ModalWatcher watcher;
      TypePath(folder / L"no-such-folder");
      ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
    }
    EXPECT_EQ(Pane().Path(), folder.Path());
    UpdateWindow(Child(OtherOf(side).list).Handle());
    ExpectSame(other, ShownBy(OtherOf(side)));
  }
}

TEST_F(BothPanes, FindTipsAndMenusOfEachPaneComeFromItsOwnRows) {
  TestFolder folder(L"two-rows");
  folder.Folder(L"inner");
  for (const wchar_t* name : {L"alpha.txt", L"beta.txt", L"Bravo.txt"}) folder.File(name, "12345");
  TestFolder elsewhere(L"two-rows-other");
  elsewhere.File(L"bzz.txt");
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    UseSide(OtherOf(side));
    Show(elsewhere.Path());
    UseSide(side);
    Show(folder.Path());
    Focus(List());
    PostMessageW(List().Handle(), WM_CHAR, L'b', 1);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return List().SelectedIndex() == Row(L"beta.txt"); }));
    PostMessageW(List().Handle(), WM_CHAR, L'r', 1);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return List().SelectedIndex() == Row(L"Bravo.txt"); }));

    const std::wstring tip = TipOf(L"alpha.txt");
    EXPECT_EQ(tip.substr(0, tip.find(L"\r\n")), L"Location: " + (folder / L"alpha.txt"));
    EXPECT_NE(tip.find(L"Size: 5 B"), std::wstring::npos) << tip;

    {
      ShellUiDriver driver;
      const auto menus = RightClick(driver, RowPoint(Row(L"inner")));
      ASSERT_EQ(menus.size(), 1u);
      EXPECT_TRUE(Has(menus[0], L"Explore"));
      EXPECT_EQ(Selected(), std::vector<int>{Row(L"inner")});
    }
    {
      ShellUiDriver driver;
      const auto menus = RightClick(driver, RowPoint(Row(L"alpha.txt")));
      ASSERT_EQ(menus.size(), 1u);
      EXPECT_FALSE(Has(menus[0], L"Explore"));
      EXPECT_TRUE(Has(menus[0], L"Delete"));
    }
    {
      ShellUiDriver driver;
      const auto menus = RightClick(driver, EmptyPoint());
      EXPECT_TRUE(Selected().empty());
      ASSERT_EQ(menus.size(), 1u);
      // The background of the pane's own folder.
      EXPECT_TRUE(Has(menus[0], L"Paste"));
      EXPECT_FALSE(Has(menus[0], L"Explore"));
      EXPECT_TRUE(driver.Dialogs().empty());
    }
    EXPECT_EQ(PaneOf(OtherOf(side)).Path(), elsewhere.Path());
  }
}

TEST_F(BothPanes, TabMovesTheFocusBetweenTheListsAndTheLabelsFollowTheFocus) {
  TestFolder folder(L"two-tab");
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) folder.File(name);
  UseSide(fm::test::kRightSide);
  Show(folder.Path());
  Select(2);
  UseSide(fm::test::kLeftSide);
  Show(folder.Path());
  Select(1);
  Focus(List());
  const HWND left = Child(fm::test::kLeftSide.list).Handle();
  const HWND right = Child(fm::test::kRightSide.list).Handle();
  struct Step {
    const char* name;
    Stroke key;
    HWND focus;
  };
  for (const Step step : {Step{"Tab", {VK_TAB}, right}, Step{"Tab back", {VK_TAB}, left},
                          Step{"Shift+Tab", {VK_TAB, false, true}, right}, Step{"Shift+Tab back", {VK_TAB, false, true}, left}}) {
    SCOPED_TRACE(step.name);
    Press({step.key});
    EXPECT_EQ(GetFocus(), step.focus);
    const bool leftActive = step.focus == left;
    EXPECT_EQ(&main_->ActivePane(), leftActive ? &main_->LeftPane() : &main_->RightPane());
    EXPECT_EQ(Highlighted(fm::test::kLeftSide), leftActive);
    EXPECT_EQ(Highlighted(fm::test::kRightSide), !leftActive);
    // Each list keeps its selection and its focused row.
    EXPECT_EQ(Child<MainUnit::TListView>(fm::test::kLeftSide.list).SelectedIndexes(), std::vector<int>{1});
    EXPECT_EQ(Child<MainUnit::TListView>(fm::test::kLeftSide.list).FocusedIndex(), 1);
    EXPECT_EQ(Child<MainUnit::TListView>(fm::test::kRightSide.list).SelectedIndexes(), std::vector<int>{2});
    EXPECT_EQ(Child<MainUnit::TListView>(fm::test::kRightSide.list).FocusedIndex(), 2);
  }

  // A click into the other side's path box makes that pane the active one.
  COMBOBOXINFO info{sizeof(info)};
  ASSERT_TRUE(GetComboBoxInfo(Child(fm::test::kRightSide.pathBox).Handle(), &info));
  RECT box{};
  GetWindowRect(info.hwndItem, &box);
  Click(POINT{box.left + 10, (box.top + box.bottom) / 2}, false);
  ASSERT_TRUE(fm::test::PumpUntil([&] { return &main_->ActivePane() == &main_->RightPane(); }));
  PumpPending();
  EXPECT_FALSE(Highlighted(fm::test::kLeftSide));
  EXPECT_TRUE(Highlighted(fm::test::kRightSide));
}

TEST_F(BothPanes, TheCommandBoxAndF9ActInTheActivePane) {
  TestFolder leftFolder(L"two-launch-left");
  TestFolder rightFolder(L"two-launch-right");
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    const TestFolder& folder = side.left ? leftFolder : rightFolder;
    const std::wstring program = PlaceLaunchFixture(folder / L"record.exe");
    UseSide(OtherOf(side));
    Show((side.left ? rightFolder : leftFolder).Path());
    UseSide(side);
    Show(folder.Path());
    Select(Row(L"record.exe"));
    Focus(List());
    launches_.clear();
    WatchLaunches(true);
    fm::test::ModalWatcher watcher;  // the shell's own box about a file it cannot find
    // A name without a folder of its own starts in the active pane's folder.
    CommandBox().SetText(L"record.exe");
    Focus(CommandBox());
    Press({{VK_RETURN}});
    ASSERT_EQ(launches_.size(), 1u);
    EXPECT_EQ(launches_[0].file, L"record.exe");
    EXPECT_EQ(launches_[0].directory, folder.Path());
    const std::optional<Started> started = WaitStarted(program);
    ASSERT_TRUE(started) << "the program did not start";
    EXPECT_EQ(started->directory, folder.Path());

    // The F9 button asks for the properties of the active pane's row.
    WatchLaunches(false);
    auto& button = Child<MainUnit::TSpeedButton>(L"BTN_F09");
    button.SetEnableClickWaitPeriod(false);
    button.Click();
    ASSERT_EQ(launches_.size(), 2u);
    EXPECT_EQ(launches_[1].verb, std::wstring(L"properties"));
    EXPECT_EQ(launches_[1].item, program);
  }
}

// Several rows ---------------------------------------------------------------------------

TEST_F(BothPanes, MouseAndKeysSelectSeveralRowsAndTheLastPanelCountsThem) {
  TestFolder folder(L"two-select");
  folder.Folder(L"dir");
  for (int i = 1; i <= 5; ++i) folder.File(L"f" + std::to_wstring(i) + L".txt", std::string(1024, 'x'));
  struct Case {
    const char* name;
    std::function<void()> act;
    std::vector<int> selected;
    int focused;
    const wchar_t* panel;
  };
  // Nothing is opened, whatever the clicks do.
  WatchLaunches(false);
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    UseSide(side);
    Show(folder.Path());
    Focus(List());
    ASSERT_EQ(Row(L"dir"), 0);
    // Each click lands beside the last one: two at one place would make a double click.
    int clicks = 0;
    auto click = [&](int row, WORD modifier = 0) {
      POINT point = RowPoint(row);
      point.x += 20 * (clicks++ % 2);
      Click(point, false, 1, modifier);
      fm::test::PumpUntil([&] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 2000);
      PumpPending();
    };
    const Case cases[] = {
        {"click", [&] { click(1); }, {1}, 1, L""},
        {"Shift+click", [&] { click(4, VK_SHIFT); }, {1, 2, 3, 4}, 4, L"Selected: 4, 4 KB"},
        {"Ctrl+click", [&] { click(3, VK_CONTROL); }, {1, 2, 4}, 3, L"Selected: 3, 3 KB"},
        {"Ctrl+click again", [&] { click(3, VK_CONTROL); }, {1, 2, 3, 4}, 3, L"Selected: 4, 4 KB"},
        {"Ctrl+click the other way", [&] {
           click(1, VK_CONTROL);
           click(2, VK_CONTROL);
         }, {3, 4}, 2,
         L"Selected: 2, 2 KB"},
        {"click elsewhere", [&] { click(2); }, {2}, 2, L""},
        {"Shift+Down twice", [&] { Press({{VK_DOWN, false, true}, {VK_DOWN, false, true}}); }, {2, 3, 4}, 4,
         L"Selected: 3, 3 KB"},
        {"Ctrl+A, the folder counted but not sized", [&] { Press({{'A', true}}); }, {0, 1, 2, 3, 4, 5}, 4,
         L"Selected: 6, 5 KB"},
        {"click", [&] { click(1); }, {1}, 1, L""},
        {"Insert", [&] { Press({{VK_INSERT}}); }, {}, 2, L""},
        {"Insert", [&] { Press({{VK_INSERT}}); }, {2}, 3, L""},
        {"Insert", [&] { Press({{VK_INSERT}}); }, {2, 3}, 4, L"Selected: 2, 2 KB"},
        {"Insert on the last row", [&] {
           List().FocusItem(5);
           Press({{VK_INSERT}});
         }, {2, 3, 5}, 5,
         L"Selected: 3, 3 KB"},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      c.act();
      EXPECT_EQ(Selected(), c.selected);
      EXPECT_EQ(List().FocusedIndex(), c.focused);
      EXPECT_EQ(Status(3), c.panel);
    }
    // A new read starts without a selection of the old folder's rows.
    Show(folder.Path());
    EXPECT_EQ(Selected(), std::vector<int>{0});
    EXPECT_EQ(Status(3), L"");
  }
  EXPECT_TRUE(launches_.empty());
}

TEST_F(BothPanes, TheMenuOfSeveralSelectedRowsDeletesThemAllAndAnUnselectedRowIsMenuedAlone) {
  for (const PaneSide& side : kSides) {
    SCOPED_TRACE(side.name);
    TestFolder folder(L"two-menu");
    const std::wstring files[] = {folder.File(L"s1.txt"), folder.File(L"s2.txt"), folder.File(L"s3.txt")};
    const std::wstring keep = folder.File(L"keep.txt");
    UseSide(side);
    Show(folder.Path());
    Focus(List());
    const int unselected = Row(L"keep.txt");
    Select(-1);
    for (const wchar_t* name : {L"s1.txt", L"s2.txt"}) List().SetSelected(Row(name), true);
    {
      // A right press on a row outside the selection selects that row alone.
      ShellUiDriver driver;
      const auto menus = RightClick(driver, RowPoint(unselected));
      ASSERT_EQ(menus.size(), 1u);
      EXPECT_EQ(Selected(), std::vector<int>{unselected});
      EXPECT_TRUE(driver.Dialogs().empty());
    }
    Select(-1);
    for (const wchar_t* name : {L"s1.txt", L"s2.txt", L"s3.txt"}) List().SetSelected(Row(name), true);
    PumpPending();
    ShellUiDriver driver(L"Delete");
    const auto menus = RightClick(driver, RowPoint(Row(L"s2.txt")));
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_FALSE(Has(menus[0], L"Explore"));
    ASSERT_TRUE(fm::test::PumpUntil([&] {
      return !fm::FileExists(files[0]) && !fm::FileExists(files[1]) && !fm::FileExists(files[2]);
    })) << "not every selected file went";
    EXPECT_FALSE(driver.Dialogs().empty()) << "the shell asked nothing";
    EXPECT_TRUE(fm::FileExists(keep));
    // The folder's watch takes the rows away by themselves.
    EXPECT_TRUE(fm::test::PumpUntil([&] { return Pane().ItemCount() == 1; }));
  }
}

}  // namespace
