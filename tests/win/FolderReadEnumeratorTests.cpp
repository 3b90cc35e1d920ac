// The folder read through an enumerator that answers as the test says: a real folder
// whose EnumObjects hands out the real items between the answers of the script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "TestComObject.h"
#include "core/Error.h"
#include "core/ErrorText.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace {

using fm::test::TestFolder;

// Stands for "the next real item" in a script of answers.
constexpr HRESULT kItem = S_OK;

// Gives the real enumerator's items where the script says kItem and the scripted answer
// everywhere else; after the script, S_FALSE.
class ScriptedEnumerator final : public fm::test::TestComObject<IEnumIDList, &IID_IEnumIDList> {
 public:
  ScriptedEnumerator(fm::ComPtr<IEnumIDList> real, std::vector<HRESULT> script)
      : real_(std::move(real)), script_(std::move(script)) {}


  HRESULT STDMETHODCALLTYPE Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) override {
    if (fetched) *fetched = 0;
    if (count != 1) return E_INVALIDARG;
    if (next_ >= script_.size()) return S_FALSE;
    const HRESULT answer = script_[next_++];
    if (answer != kItem) return answer;
    return real_->Next(1, items, fetched);
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumIDList**) override { return E_NOTIMPL; }

 private:
  fm::ComPtr<IEnumIDList> real_;
  std::vector<HRESULT> script_;
  size_t next_ = 0;
};

// A real folder in all but its enumerator.
class ScriptedFolder final : public fm::test::TestComObject<IShellFolder, &IID_IShellFolder> {
 public:
  ScriptedFolder(fm::ComPtr<IShellFolder> real, std::vector<HRESULT> script)
      : real_(std::move(real)), script_(std::move(script)) {}


  HRESULT STDMETHODCALLTYPE EnumObjects(HWND owner, SHCONTF flags, IEnumIDList** items) override {
    fm::ComPtr<IEnumIDList> real;
    const HRESULT hr = real_->EnumObjects(owner, flags, real.Put());
    if (FAILED(hr)) return hr;
    *items = new ScriptedEnumerator(std::move(real), script_);
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
  std::vector<HRESULT> script_;
};

class FolderReadEnumerator : public fm::test::MainWindowTest {};

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
  const fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
  const fm::ComPtr<IShellFolder> real =
      fm::BindToFolder(*desktop, fm::ParseDisplayName(*desktop, nullptr, folder.Path()).Get());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fm::ComPtr<IShellFolder> scripted;
    scripted.Attach(new ScriptedFolder(real, c.script));
    std::wstring error;
    try {
      main_->ReadFolder(scripted);
    } catch (const fm::Error& e) {
      error = e.Text();
    }
    if (c.error == S_OK) {
      EXPECT_EQ(error, L"");
    } else {
      // The system's text for the code, as a failing EnumObjects gives it.
      std::wstring expected = fm::SystemMessage(static_cast<DWORD>(c.error));
      if (expected.empty()) expected = fm::OleErrorText(static_cast<std::uint32_t>(c.error));
      EXPECT_EQ(error, expected);
    }
    // What was read is listed, in the folder's order, and the list knows every row.
    ASSERT_EQ(main_->LeftItemCount(), c.rows);
    EXPECT_EQ(List().ItemCount(), c.rows);
    for (int i = 0; i < c.rows; ++i) {
      EXPECT_EQ(main_->GetLeftItem(i)->DisplayName,
                std::wstring(1, static_cast<wchar_t>(L'a' + i)) + L".txt");
    }
    EXPECT_EQ(Status(1), L"Files: 0");
  }
}

}  // namespace
