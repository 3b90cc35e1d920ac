// The short ways of the folder read and the item details against the long ones, on a
// fixture with one item of every kind: the read joins the folder's final path with an
// item's name where opening the item would tell nothing new, and the details ask the
// shown folder instead of the desktop. Both must give what the long way gives.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <tuple>

#include "MainWindowFixture.h"
#include "core/Error.h"
#include "core/PathText.h"
#include "core/SizeText.h"
#include "platform/FinalPath.h"
#include "platform/FolderDetails.h"
#include "platform/Shell.h"

namespace {

using fm::test::TestFolder;

// Made from the Linux side with the links fixture: links, a named pipe, paths past 260
// and 512 characters and sparse files of 4 GiB and more.
constexpr wchar_t kKinds[] = L"C:\\foldmere-kinds";
constexpr SHCONTF kEnumFlags = static_cast<SHCONTF>(0x1ECE0);

// The fixture's folder of 258 characters, whose items' paths run past 264 and 512.
std::wstring LongFolder() { return std::wstring(kKinds) + L"\\long\\" + std::wstring(235, L'd'); }

// The fixture's links to files. Wine shows them as plain files to every query but
// opening them, so the read, which opens only what its attributes call a link, lists
// them under their own path there; elsewhere they carry the reparse point bit.
bool WineHidesTheLink(const std::wstring& parsing) {
  const std::wstring name = fm::FileNamePart(parsing);
  return fm::test::RunningUnderWine() && (name == L"file-link" || name == L"link-to-file") &&
         !(GetFileAttributesW(parsing.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

struct Row {
  std::wstring fullPath;
  std::wstring displayName;
  fm::PathKind kind;
  friend bool operator<(const Row& a, const Row& b) {
    return std::tie(a.fullPath, a.displayName) < std::tie(b.fullPath, b.displayName);
  }
  friend bool operator==(const Row& a, const Row& b) {
    return a.fullPath == b.fullPath && a.displayName == b.displayName && a.kind == b.kind;
  }
};

void PrintTo(const Row& row, std::ostream* out) {
  *out << fm::ToUtf8(row.fullPath) << " | " << fm::ToUtf8(row.displayName) << " | "
       << static_cast<int>(row.kind);
}

class FastDetails : public fm::test::MainWindowTest {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(kKinds) == INVALID_FILE_ATTRIBUTES) {
      ASSERT_FALSE(fm::test::RunningUnderWine()) << "the links fixture runs before these tests";
      GTEST_SKIP() << "the fixture is made by the test run under Wine";
    }
    MainWindowTest::SetUp();
  }

  // Shows the folder of path, or the computer folder for "Drives" through its line in the
  // path box, as Enter there would.
  void Show(const std::wstring& path) {
    if (path != L"Drives") {
      main_->BrowseToPath(path);
      return;
    }
    COMBOBOXINFO info{sizeof(info)};
    ASSERT_TRUE(GetComboBoxInfo(PathBox().Handle(), &info));
    SetWindowTextW(info.hwndItem, path.c_str());
    PostMessageW(info.hwndItem, WM_KEYDOWN, VK_RETURN, 1);
    fm::test::PumpPending();
    ASSERT_EQ(main_->Path(), L"Drives");
  }

  static fm::ItemIdList FolderList(const std::wstring& path) {
    if (path == L"Drives") return fm::SpecialFolderLocation(nullptr, CSIDL_DRIVES);
    return fm::ParseDisplayName(*fm::DesktopFolder(), nullptr, path);
  }

  // The rows the read made, in no particular order.
  std::vector<Row> ReadRows() {
    std::vector<Row> rows;
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      const auto* entry = main_->GetLeftItem(i);
      rows.push_back({entry->FullPath(), std::wstring(entry->DisplayName()), fm::KindOfPath(entry->FullPath())});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  // The rows the long way gives: every item opened for its final path, its name chosen by
  // what that path names. Counts the final paths that name nothing, which the user is told of.
  static std::vector<Row> LongWayRows(const std::wstring& path, int& namesNothing) {
    const fm::ItemIdList list = FolderList(path);
    const auto folder = fm::BindToFolder(*fm::DesktopFolder(), list.Get());
    const std::wstring folderPath = fm::FolderPath(*folder);
    std::vector<Row> rows;
    const auto items = fm::EnumObjects(*folder, nullptr, kEnumFlags);
    fm::ItemIdList item;
    ULONG fetched = 0;
    while (items && items->Next(1, item.Put(), &fetched) == S_OK) {
      const std::wstring parsing = fm::ParsingNameOf(*folder, item.Get(), folderPath);
      fm::FinalPath final = fm::GetFinalPath(parsing);
      if (!final.namesNothing.empty()) ++namesNothing;
      if (WineHidesTheLink(parsing)) final.path = parsing;
      if (!fm::IsDriveLetterPath(final.path)) continue;
      const fm::PathKind kind = fm::KindOfPath(final.path);
      rows.push_back({final.path,
                      kind == fm::PathKind::File ? fm::FileNamePart(final.path)
                                                 : fm::DisplayNameOf(*folder, item.Get(), false),
                      kind});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  std::wstring SizeColumn(int row) {
    wchar_t text[64] = {};
    ListView_GetItemText(List().Handle(), row, 1, text, 64);
    return text;
  }
};

TEST_F(FastDetails, TheReadGivesWhatOpeningEveryItemGives) {
  const std::wstring kinds = kKinds;
  // The fixture's folders, one reached through a linked parent, a drive's root and the
  // computer folder, whose items are asked one by one.
  const std::wstring folders[] = {
      L"Drives", kinds, kinds + L"\\linked-parent", LongFolder(), fm::test::kLinkFixture, L"C:\\"};
  for (const std::wstring& path : folders) {
    SCOPED_TRACE(fm::ToUtf8(path));
    int longWayBoxes = 0;
    const std::vector<Row> expected = LongWayRows(path, longWayBoxes);
    fm::test::ModalWatcher watcher;
    Show(path);
    fm::test::PumpPending();
    EXPECT_EQ(ReadRows(), expected);
    EXPECT_EQ(static_cast<int>(watcher.Boxes().size()), longWayBoxes);
  }
  // The cases that matter are there: a link and a linked parent resolved, a mixed-case
  // name kept, the pipe told of, a path past 512 characters.
  {
    fm::test::ModalWatcher watcher;
    main_->BrowseToPath(kinds);
    fm::test::PumpPending();
    EXPECT_EQ(watcher.Boxes().size(), 1u) << "the named pipe";
    ASSERT_TRUE(Entry(L"named-pipe"));
    EXPECT_EQ(Entry(L"named-pipe")->FullPath(), kinds + L"\\named-pipe");
    EXPECT_TRUE(Entry(L"mixed.Case.Doc"));
    ASSERT_TRUE(Entry(L"folder-link"));
    EXPECT_EQ(Entry(L"folder-link")->FullPath(), kinds + L"\\Folder");
  }
  main_->BrowseToPath(kinds + L"\\linked-parent");
  ASSERT_TRUE(Entry(L"Inner.txt"));
  EXPECT_EQ(Entry(L"Inner.txt")->FullPath(), kinds + L"\\real-parent\\Inner.txt");
  main_->BrowseToPath(LongFolder());
  for (const std::wstring& name :
       {std::wstring(20, L'm') + L".txt", std::wstring(251, L'n') + L".txt"}) {
    ASSERT_TRUE(Entry(name));
    EXPECT_EQ(Entry(name)->FullPath(), LongFolder() + L"\\" + name);
  }
  EXPECT_GT(Entry(std::wstring(251, L'n') + L".txt")->FullPath().size(), 512u);
}

TEST_F(FastDetails, TheShownFolderGivesTheIconTypeAndPathTheDesktopGives) {
  // What only a Windows program can make here: a shortcut, a hidden and a read-only file.
  TestFolder folder(L"details");
  folder.Folder(L"Another Folder");
  folder.Folder(L"Sub Folder");
  // A folder that its desktop.ini dresses in an icon of its own, after a plain one: the
  // plain folders' icon, asked once, must not pass to it.
  const std::wstring dressed = folder.Folder(L"Dressed");
  const std::string icon = fm::ToUtf8(std::wstring(kKinds)) + "\\picture.ico";
  folder.File(L"Dressed\\desktop.ini", "[.ShellClassInfo]\r\nIconResource=" + icon + ",0\r\nIconFile=" + icon +
                                           "\r\nIconIndex=0\r\n");
  SetFileAttributesW(dressed.c_str(), FILE_ATTRIBUTE_SYSTEM);
  folder.File(L"notes.txt");
  folder.File(L"page.HTML");
  folder.File(L"hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  folder.File(L"readonly.txt", "r", FILE_ATTRIBUTE_READONLY);
  {
    fm::ComPtr<IShellLinkW> link;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IShellLinkW, link.PutVoid()));
    link->SetPath((folder / L"notes.txt").c_str());
    ASSERT_HRESULT_SUCCEEDED(
        link.As<IPersistFile>()->Save((folder / L"shortcut.lnk").c_str(), TRUE));
  }
  const std::wstring kinds = kKinds;
  const std::wstring folders[] = {L"Drives", folder.Path(), kinds, kinds + L"\\linked-parent"};
  for (const std::wstring& path : folders) {
    SCOPED_TRACE(fm::ToUtf8(path));
    {
      fm::test::ModalWatcher watcher;
      Show(path);
    }
    ASSERT_GT(main_->LeftItemCount(), 1);
    main_->FillItemDetails(0, main_->LeftItemCount() - 1);
    const bool fileSystem = path != L"Drives";
    const fm::ItemIdList list = FolderList(path);
    const auto shown = fm::BindToFolder(*fm::DesktopFolder(), list.Get());
    const fm::FolderDetails details(shown, fm::FolderPath(*shown));
    for (int i = 0; i < main_->LeftItemCount(); ++i) {
      const auto* entry = main_->GetLeftItem(i);
      SCOPED_TRACE(fm::ToUtf8(std::wstring(entry->DisplayName())));
      const fm::ItemIdList fullList = main_->LeftPane().AbsoluteIDList(*entry);
      const LPCITEMIDLIST full = fullList.Get();
      ASSERT_TRUE(full);
      EXPECT_EQ(entry->ImageIndex, fm::SystemIconIndex(full, false, false));
      EXPECT_EQ(entry->TypeName(), fm::TypeNameOf(full));
      EXPECT_EQ(details.Path(entry->ID(), full), fm::PathFromIDList(full));
      // In a file system folder the folder itself answers; the computer folder does not.
      const bool shortcut = entry->DisplayName().ends_with(L".lnk");
      EXPECT_EQ(details.FolderIconIndex(entry->ID(), false).has_value(),
                fileSystem && !shortcut);
      EXPECT_EQ(details.FolderTypeName(entry->ID()).has_value(), fileSystem);
      EXPECT_EQ(details.FolderItemPath(entry->ID()).has_value(), fileSystem);
    }
  }
  Show(folder.Path());
  main_->FillItemDetails(0, main_->LeftItemCount() - 1);
  for (const wchar_t* name : {L"Another Folder", L"Sub Folder", L"Dressed"}) ASSERT_TRUE(Entry(name)) << name;
  EXPECT_EQ(Entry(L"Another Folder")->ImageIndex, Entry(L"Sub Folder")->ImageIndex);
  EXPECT_NE(Entry(L"Dressed")->ImageIndex, Entry(L"Sub Folder")->ImageIndex);
}

TEST_F(FastDetails, SizesOfFourGibibytesAndMoreAreShownAndCountedWhole) {
  main_->BrowseToPath(std::wstring(kKinds) + L"\\sizes");
  Paint();
  ASSERT_EQ(main_->LeftItemCount(), 3);
  const std::uint64_t gib = 1ull << 30;
  const struct {
    const wchar_t* name;
    std::uint64_t size;
    const wchar_t* text;
  } cases[] = {
      {L"below-four.bin", 4 * gib - 1, L"4 GB"},
      {L"four.bin", 4 * gib, L"4 GB"},
      {L"five.bin", 5 * gib, L"5 GB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(fm::ToUtf8(c.name));
    int row = 0;
    while (row < main_->LeftItemCount() && main_->GetLeftItem(row)->DisplayName() != c.name) ++row;
    ASSERT_LT(row, main_->LeftItemCount());
    EXPECT_EQ(main_->GetLeftItem(row)->Size, c.size);
    EXPECT_EQ(SizeColumn(row), c.text);
  }
  EXPECT_EQ(main_->AllSize(), 13 * gib - 1);
  EXPECT_EQ(Status(2), L"Size: 13 GB");
}

TEST_F(FastDetails, APaintTestsEachRowsFileOncePerPaint) {
  TestFolder folder(L"exists");
  for (int i = 0; i < 60; ++i) folder.File(L"f" + std::to_wstring(100 + i) + L".txt");
  main_->BrowseToPath(folder.Path());
  Paint();
  std::map<std::wstring, int> tests;
  main_->SetFileExistsTest([&](const std::wstring& path) {
    ++tests[path];
    return fm::FileExists(path);
  });
  const int visible = List().VisibleRowCount();
  ASSERT_GT(visible, 5);
  for (int paint = 1; paint <= 2; ++paint) {
    InvalidateRect(List().Handle(), nullptr, TRUE);
    Paint();
    // Every row in view was tested, none of them twice in one paint.
    EXPECT_GE(static_cast<int>(tests.size()), visible);
    for (const auto& [path, count] : tests) EXPECT_EQ(count, paint) << fm::ToUtf8(path);
  }
  // Outside a paint a row's text asks afresh each time: the file may be gone since.
  const std::wstring first = main_->GetLeftItem(0)->FullPath();
  const int before = tests[first];
  wchar_t caption[MAX_PATH] = {};
  for (int ask = 0; ask < 2; ++ask) ListView_GetItemText(List().Handle(), 0, 0, caption, MAX_PATH);
  EXPECT_EQ(tests[first], before + 2);
}

}  // namespace
