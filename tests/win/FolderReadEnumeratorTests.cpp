// The folder read through an enumerator that answers as the test says: a real folder
// whose EnumObjects hands out the real items between the answers of the script.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "TestComObject.h"
#include "core/Error.h"
#include "core/ErrorText.h"
#include "platform/OsError.h"
#include "platform/Shell.h"
#include "platform/ShellItemIdList.h"

namespace {

using fm::test::TestFolder;

// Stands for "the next real item" in a script of answers.
constexpr HRESULT kItem = S_OK;

// Gives the real enumerator's items where the script says kItem and the scripted answer
// everywhere else; after the script, the answer after (S_FALSE: the end).
class ScriptedEnumerator final : public fm::test::TestComObject<IEnumIDList, &IID_IEnumIDList> {
 public:
  ScriptedEnumerator(fm::ComPtr<IEnumIDList> real, std::vector<HRESULT> script, HRESULT after = S_FALSE)
      : real_(std::move(real)), script_(std::move(script)), after_(after) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (count != 1) return E_INVALIDARG;
    const HRESULT answer = next_ < script_.size() ? script_[next_++] : after_;
    if (answer != kItem) return answer;
    return real_->Next(1, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

 private:
  fm::ComPtr<IEnumIDList> real_;
  std::vector<HRESULT> script_;
  HRESULT after_;
  size_t next_ = 0;
};

// Whether a timer of PendingEnumerator went off: the thread handled its messages.
bool timerHandled = false;
void CALLBACK MarkTimerHandled(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  timerHandled = true;
}

// Answers "still coming" until a timer it sets has gone off, then gives the real items;
// endless, it never stops answering "still coming".
class PendingEnumerator final : public fm::test::TestComObject<IEnumIDList, &IID_IEnumIDList> {
 public:
  PendingEnumerator(fm::ComPtr<IEnumIDList> real, bool endless) : real_(std::move(real)), endless_(endless) {
    timerHandled = false;
    SetTimer(nullptr, 0, 1, MarkTimerHandled);
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (endless_ || !timerHandled) return E_PENDING;
    return real_->Next(count, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

 private:
  fm::ComPtr<IEnumIDList> real_;
  bool endless_;
};

// Gives the real enumerator's items last first.
class ReversedEnumerator final : public fm::test::TestComObject<IEnumIDList, &IID_IEnumIDList> {
 public:
  explicit ReversedEnumerator(fm::ComPtr<IEnumIDList> real) {
    LPITEMIDLIST item = nullptr;
    ULONG fetched = 0;
    while (real->Next(1, &item, &fetched) == S_OK) items_.insert(items_.begin(), fm::ItemIdList::Adopt(item));
  }

  HRESULT STDMETHODCALLTYPE Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (count != 1) return E_INVALIDARG;
    if (items_.empty()) return S_FALSE;
    *items = items_.front().Release();
    items_.erase(items_.begin());
    if (fetched) *fetched = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

 private:
  std::vector<fm::ItemIdList> items_;
};

// Makes the stand-in enumerator over the real one.
using EnumeratorMaker = std::function<IEnumIDList*(fm::ComPtr<IEnumIDList> real)>;

EnumeratorMaker Scripted(std::vector<HRESULT> script, HRESULT after = S_FALSE) {
  return [script, after](fm::ComPtr<IEnumIDList> real) {
    return new ScriptedEnumerator(std::move(real), script, after);
  };
}

// A real folder in all but its enumerator and, where compared says so, the answer of its
// comparison.
class ScriptedFolder final : public fm::test::TestComObject<IShellFolder, &IID_IShellFolder> {
 public:
  ScriptedFolder(fm::ComPtr<IShellFolder> real, EnumeratorMaker enumerator, HRESULT compared = S_OK)
      : real_(std::move(real)), enumerator_(std::move(enumerator)), compared_(compared) {}

  HRESULT STDMETHODCALLTYPE EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** items) override {
    fm::ComPtr<IEnumIDList> real;
    const HRESULT hr = real_->EnumObjects(owner, flags, real.Put());
    if (FAILED(hr)) return hr;
    *items = enumerator_(std::move(real));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND owner, IBindCtx* bind, LPWSTR name, ULONG* eaten,
                                             LPITEMIDLIST* list, ULONG* attributes) override {
    return real_->ParseDisplayName(owner, bind, name, eaten, list, attributes);
  }
  HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid,
                                         void** out) override {
    return real_->BindToObject(list, bind, iid, out);
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST list, IBindCtx* bind, REFIID iid,
                                          void** out) override {
    return real_->BindToStorage(list, bind, iid, out);
  }
  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM column, LPCITEMIDLIST a, LPCITEMIDLIST b) override {
    if (FAILED(compared_)) return compared_;
    return real_->CompareIDs(column, a, b);
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND owner, REFIID iid, void** out) override {
    return real_->CreateViewObject(owner, iid, out);
  }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT count, LPCITEMIDLIST* lists,
                                            SFGAOF* attributes) override {
    return real_->GetAttributesOf(count, lists, attributes);
  }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND owner, UINT count, LPCITEMIDLIST* lists, REFIID iid,
                                          UINT* reserved, void** out) override {
    return real_->GetUIObjectOf(owner, count, lists, iid, reserved, out);
  }
  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST list, SHGDNF flags,
                                             STRRET* name) override {
    return real_->GetDisplayNameOf(list, flags, name);
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND owner, LPCITEMIDLIST list, LPCWSTR name, SHGDNF flags,
                                      LPITEMIDLIST* out) override {
    return real_->SetNameOf(owner, list, name, flags, out);
  }

 private:
  fm::ComPtr<IShellFolder> real_;
  EnumeratorMaker enumerator_;
  HRESULT compared_;
};

class FolderReadEnumerator : public fm::test::MainWindowTest {
 protected:
  static fm::ComPtr<IShellFolder> RealFolder(const std::wstring& path) {
    const fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
    return fm::BindToFolder(*desktop, fm::ParseDisplayName(*desktop, nullptr, path).Get());
  }
  static fm::ComPtr<IShellFolder> StandIn(const std::wstring& path, EnumeratorMaker enumerator,
                                          HRESULT compared = S_OK) {
    fm::ComPtr<IShellFolder> folder;
    folder.Attach(new ScriptedFolder(RealFolder(path), std::move(enumerator), compared));
    return folder;
  }
  // The error a read raised, empty for none.
  std::wstring ReadError(fm::ComPtr<IShellFolder> folder) {
    try {
      main_->ReadFolder(std::move(folder));
    } catch (const fm::Error& e) {
      return e.Text();
    }
    return {};
  }
  // The text of a failing call's code, as the read reports it.
  static std::wstring CodeText(HRESULT code) {
    std::wstring text = fm::SystemMessage(static_cast<DWORD>(code));
    if (text.empty()) text = fm::OleErrorText(static_cast<std::uint32_t>(code));
    return text;
  }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    for (int i = 0; i < main_->LeftItemCount(); ++i) names.emplace_back(main_->GetLeftItem(i)->DisplayName());
    return names;
  }
  void PressEnterOn(const std::wstring& name) {
    for (int row = 0; row < main_->LeftItemCount(); ++row) {
      if (main_->GetLeftItem(row)->DisplayName() != name) continue;
      List().SelectItem(row);
      SetFocus(List().Handle());
      PostMessageW(List().Handle(), WM_KEYDOWN, VK_RETURN, 1);
      fm::test::PumpPending();
      return;
    }
    ADD_FAILURE() << "no row " << testing::PrintToString(name);
  }
};

TEST_F(FolderReadEnumerator, OnlyTheEndEndsTheReadAndAFailureIsAnErrorAfterWhatWasRead) {
  TestFolder folder(L"scripted");
  for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) folder.File(name);
  const HRESULT denied = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  const struct {
    const char* name;
    std::vector<HRESULT> script;
    int rows;
    HRESULT error;  // S_OK: none
  } cases[] = {
      {"the end after every item", {kItem, kItem, kItem, S_FALSE}, 3, S_OK},
      {"still coming, waited out", {E_PENDING, kItem, E_PENDING, E_PENDING, kItem, kItem}, 3, S_OK},
      {"an empty folder", {S_FALSE}, 0, S_OK},
      {"a failure half-way", {kItem, kItem, denied, kItem}, 2, denied},
      {"a failure at once", {E_FAIL}, 0, E_FAIL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring error = ReadError(StandIn(folder.Path(), Scripted(c.script)));
    // The system's text for the code, as a failing EnumObjects gives it.
    EXPECT_EQ(error, c.error == S_OK ? L"" : CodeText(c.error));
    // What was read is listed, in the folder's order, and the list knows every row.
    ASSERT_EQ(main_->LeftItemCount(), c.rows);
    EXPECT_EQ(List().ItemCount(), c.rows);
    for (int i = 0; i < c.rows; ++i) {
      EXPECT_EQ(main_->GetLeftItem(i)->DisplayName(),
                std::wstring(1, static_cast<wchar_t>(L'a' + i)) + L".txt");
    }
    EXPECT_EQ(Status(1), L"Files: 0");
  }
}

// A read that fails half-way shows the new folder whole: its rows, path and item ID list
// go together, so that Back, Enter and the rows' details all start from it.
TEST_F(FolderReadEnumerator, AReadFailingHalfWayShowsTheNewFolderWhole) {
  TestFolder base(L"halfway");
  // The folder left behind has a subfolder of the same name as the new one's.
  const std::wstring old = base.Folder(L"old");
  base.Folder(L"old\\inner");
  base.Folder(L"old\\inner\\sub");
  const std::wstring fresh = base.Folder(L"new");
  base.Folder(L"new\\sub");
  base.File(L"new\\a.txt", "12345");
  const HRESULT denied = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  main_->SetFolderBinding([&](IShellFolder& desktop, LPCITEMIDLIST pidl) {
    fm::ComPtr<IShellFolder> real = fm::BindToFolder(desktop, pidl);
    if (fm::PathFromIDList(pidl) != fresh) return real;
    fm::ComPtr<IShellFolder> failing;
    failing.Attach(new ScriptedFolder(real, Scripted({kItem, kItem, denied})));
    return failing;
  });
  // Goes from the old folder's inner folder to the new folder, whose read fails after
  // its two items.
  const auto readHalfWay = [&] {
    main_->BrowseToPath(old + L"\\inner");
    fm::test::ModalWatcher watcher;
    TypePath(fresh);
    ASSERT_TRUE(fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }));
    EXPECT_EQ(watcher.Boxes()[0].text, fm::ErrorBoxText(CodeText(denied)));
    ASSERT_EQ(main_->LeftItemCount(), 2);
    EXPECT_EQ(main_->Path(), fresh);
    EXPECT_EQ(PathBox().Text(), fresh);
  };

  readHalfWay();
  // The details join the new folder's item ID list with the rows.
  Paint();
  const MainUnit::TLeftShellItem* file = Entry(L"a.txt");
  ASSERT_NE(file, nullptr);
  ASSERT_FALSE(file->Empty);
  EXPECT_EQ(fm::PathFromIDList(main_->LeftPane().AbsoluteIDList(*file).Get()), fresh + L"\\a.txt");
  EXPECT_EQ(Status(2), L"Size: 5 B");
  // Enter goes into the new folder's subfolder.
  PressEnterOn(L"sub");
  EXPECT_EQ(main_->Path(), fresh + L"\\sub");

  readHalfWay();
  // Back goes to the new folder's parent (the button's wait between clicks aside).
  auto& back = dynamic_cast<MainUnit::TToolButton&>(
      *Child<MainUnit::TToolBar>(L"LeftUpIcon").FindButton(L"BtnLeftBack"));
  back.SetEnableClickWaitPeriod(false);
  back.Click();
  fm::test::PumpPending();
  EXPECT_EQ(main_->Path(), base.Path());
}

// An enumerator that answers "still coming" is waited for while the window handles its
// messages; one that never comes ends the read with the error of a failed enumeration.
TEST_F(FolderReadEnumerator, AnItemStillComingIsWaitedForWithTheWindowAnswering) {
  TestFolder folder(L"pending");
  for (const wchar_t* name : {L"a.txt", L"b.txt"}) folder.File(name);
  const struct {
    const char* name;
    bool endless;
    int rows;
    HRESULT error;
  } cases[] = {
      {"ready once its messages are handled", false, 2, S_OK},
      {"never ready", true, 0, E_PENDING},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const bool endless = c.endless;
    const std::wstring error = ReadError(StandIn(folder.Path(), [endless](fm::ComPtr<IEnumIDList> real) {
      return new PendingEnumerator(std::move(real), endless);
    }));
    EXPECT_TRUE(timerHandled);
    EXPECT_EQ(error, c.error == S_OK ? L"" : CodeText(c.error));
    EXPECT_EQ(main_->LeftItemCount(), c.rows);
  }
}

// A folder that cannot compare its items is listed by name, and the sort stays sound.
TEST_F(FolderReadEnumerator, AFolderThatCannotCompareIsListedByName) {
  TestFolder folder(L"uncompared");
  for (const wchar_t* name : {L"b.txt", L"C.txt", L"a.txt", L"d.txt"}) folder.File(name);
  const fm::ComPtr<IShellFolder> uncompared = StandIn(
      folder.Path(), [](fm::ComPtr<IEnumIDList> real) { return new ReversedEnumerator(std::move(real)); }, E_FAIL);
  EXPECT_EQ(ReadError(uncompared), L"");
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"C.txt", L"d.txt"}));
}

// A network drive: the folder's final path is a share. Its items keep the drive letter
// they were opened by.
TEST_F(FolderReadEnumerator, AFolderWhoseFinalPathIsAShareListsItsItems) {
  TestFolder folder(L"mapped");
  folder.File(L"a.txt");
  folder.Folder(L"sub");
  const std::wstring share = L"\\\\server\\share";
  main_->SetFinalPathQuery([&](const std::wstring& path) {
    fm::FinalPath final = fm::GetFinalPath(path);
    if (path.rfind(folder.Path(), 0) == 0) final.path = share + path.substr(2);
    return final;
  });
  EXPECT_EQ(ReadError(RealFolder(folder.Path())), L"");
  ASSERT_EQ(main_->LeftItemCount(), 2);
  for (const wchar_t* name : {L"a.txt", L"sub"}) {
    const MainUnit::TLeftShellItem* entry = Entry(name);
    ASSERT_NE(entry, nullptr) << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(entry->FullPath(), folder / name);
  }
}

}  // namespace
