#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "WinTestSupport.h"
#include "core/Error.h"
#include "platform/ComApartment.h"
#include "platform/Handles.h"
#include "platform/OsError.h"
#include "platform/Shell.h"

namespace {

// Removes a folder and everything in it; a link inside is removed, not followed.
void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  const fm::UniqueFindHandle find(FindFirstFileW((path + L"\\*").c_str(), &found));
  if (find) {
    do {
      const std::wstring name = found.cFileName;
      const std::wstring child = path + L"\\" + name;
      const bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      if (name == L"." || name == L"..") continue;
      if (folder && !link) {
        RemoveTree(child);
      } else if (folder) {
        RemoveDirectoryW(child.c_str());
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find.Get(), &found));
  }
  RemoveDirectoryW(path.c_str());
}

// A folder of the test's own under C:\foldmere-tests, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& name)
      : path_(L"C:\\foldmere-tests\\" + name + L"-" + std::to_wstring(GetCurrentProcessId())) {
    RemoveTree(path_);  // left over from an earlier run that was stopped
    CreateDirectoryW(L"C:\\foldmere-tests", nullptr);
    if (!CreateDirectoryW(path_.c_str(), nullptr)) ADD_FAILURE() << "cannot make " << path_;
  }
  ~ScratchFolder() {
    RemoveTree(path_);
    RemoveDirectoryW(L"C:\\foldmere-tests");  // only when no other test still uses it
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void MakeFile(const std::wstring& path) {
  const fm::UniqueHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  ASSERT_TRUE(file) << "cannot make the test file";
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.Get(), "text", 4, &written, nullptr));
}

void MakeFolder(const std::wstring& path) {
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << "error " << GetLastError();
}

std::wstring ErrorTextOf(void (*call)()) {
  try {
    call();
  } catch (const fm::Error& error) {
    return error.Text();
  }
  ADD_FAILURE() << "no fm::Error was raised";
  return {};
}

// A folder that answers GetDisplayNameOf with a STRRET chosen by the test and nothing else.
class NamingFolder final : public IShellFolder {
 public:
  HRESULT result = S_OK;
  STRRET answer{};
  const wchar_t* wide = nullptr;  // for STRRET_WSTR: copied into a block of the shell
  void* lastBlock = nullptr;
  SHGDNF lastFlags = 0xFFFFFFFF;

  HRESULT STDMETHODCALLTYPE GetDisplayNameOf(LPCITEMIDLIST, SHGDNF flags, STRRET* name) override {
    lastFlags = flags;
    *name = answer;
    if (answer.uType == STRRET_WSTR && wide != nullptr) {
      const std::size_t bytes = (wcslen(wide) + 1) * sizeof(wchar_t);
      name->pOleStr = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
      std::memcpy(name->pOleStr, wide, bytes);
      lastBlock = name->pOleStr;
    }
    return result;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IShellFolder ? this : nullptr;
    return *object != nullptr ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ParseDisplayName(HWND, IBindCtx*, LPWSTR, ULONG*, LPITEMIDLIST*,
                                             ULONG*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE EnumObjects(HWND, SHCONTF, IEnumIDList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE BindToObject(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetAttributesOf(UINT, LPCITEMIDLIST*, SFGAOF*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*,
                                          void**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetNameOf(HWND, LPCITEMIDLIST, LPCWSTR, SHGDNF,
                                      LPITEMIDLIST*) override {
    return E_NOTIMPL;
  }
};

// Sees every block the COM task allocator frees while it is registered.
class FreeSpy final : public IMallocSpy {
 public:
  std::vector<void*> freed;

  void* STDMETHODCALLTYPE PreFree(void* request, BOOL) override {
    freed.push_back(request);
    return request;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = iid == IID_IUnknown || iid == IID_IMallocSpy ? this : nullptr;
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
  void* STDMETHODCALLTYPE PostAlloc(void* actual) override { return actual; }
  void STDMETHODCALLTYPE PostFree(BOOL) override {}
  SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest,
                                      BOOL) override {
    *newRequest = request;
    return size;
  }
  void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override { return actual; }
  void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
  SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T size, BOOL) override { return size; }
  void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
  int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
  void STDMETHODCALLTYPE PreHeapMinimize() override {}
  void STDMETHODCALLTYPE PostHeapMinimize() override {}
};

class PlatformShell : public testing::Test {
 protected:
  fm::ComApartment com_;
  fm::ComPtr<IShellFolder> desktop_ = fm::DesktopFolder();
  std::int64_t live_ = fm::LiveItemIdLists();

  fm::ItemIdList Parse(const std::wstring& path) {
    return fm::ParseDisplayName(*desktop_, nullptr, path);
  }

  void TearDown() override {
    EXPECT_EQ(fm::LiveItemIdLists(), live_) << "lists still alive or freed twice";
  }
};

// One record (its size, then "IconName") whose text runs to its very end, followed by more
// letters in memory: a reader that goes past the record would pick them up.
alignas(8) const unsigned char kItem[] =
    "\x0a\0"
    "IconName"
    "More\0";
// A record whose text ends with a zero before the record does.
alignas(8) const unsigned char kShortItem[] =
    "\x08\0"
    "Ab\0Cde"
    "\0";

STRRET Cstr(const char* text, std::size_t length) {
  STRRET name{};
  name.uType = STRRET_CSTR;
  std::memcpy(name.cStr, text, length);
  return name;
}

STRRET Offset(UINT offset) {
  STRRET name{};
  name.uType = STRRET_OFFSET;
  name.uOffset = offset;
  return name;
}

// A form the shell does not define, with text in it that must not be read.
STRRET Unknown() {
  STRRET name = Cstr("Ansi name", 9);
  name.uType = 7;
  return name;
}

STRRET Wstr() {
  STRRET name{};
  name.uType = STRRET_WSTR;
  return name;
}

TEST_F(PlatformShell, DisplayNameOfReadsEachFormOfTheAnswer) {
  const std::string full(sizeof STRRET{}.cStr, 'x');
  struct Case {
    const char* what;
    const unsigned char* item;
    HRESULT result;
    STRRET answer;
    const wchar_t* wide;
    std::wstring expected;
  };
  const Case cases[] = {
      {"wide", kItem, S_OK, Wstr(), L"Wide name \u00e9", L"Wide name \u00e9"},
      {"wide, empty", kItem, S_OK, Wstr(), L"", L""},
      {"ansi", kItem, S_OK, Cstr("Ansi name", 9), nullptr, L"Ansi name"},
      {"ansi up to its zero", kItem, S_OK, Cstr("Ab\0Cd", 5), nullptr, L"Ab"},
      {"ansi filling the record", kItem, S_OK, Cstr(full.data(), full.size()), nullptr,
       std::wstring(full.size(), L'x')},
      {"offset, whole record", kItem, S_OK, Offset(2), nullptr, L"IconName"},
      {"offset, inside the record", kItem, S_OK, Offset(6), nullptr, L"Name"},
      {"offset, at the record's end", kItem, S_OK, Offset(10), nullptr, L""},
      {"offset, past the record", kItem, S_OK, Offset(12), nullptr, L""},
      {"offset, up to its zero", kShortItem, S_OK, Offset(2), nullptr, L"Ab"},
      {"failure code", kItem, E_FAIL, Cstr("Ansi name", 9), nullptr, L""},
      {"unknown form", kItem, S_OK, Unknown(), nullptr, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    NamingFolder folder;
    folder.result = c.result;
    folder.answer = c.answer;
    folder.wide = c.wide;
    const auto* item = reinterpret_cast<LPCITEMIDLIST>(c.item);
    EXPECT_EQ(fm::DisplayNameOf(folder, item, true), c.expected);
    EXPECT_EQ(folder.lastFlags, static_cast<SHGDNF>(SHGDN_FORPARSING));
    EXPECT_EQ(fm::DisplayNameOf(folder, item, false), c.expected);
    EXPECT_EQ(folder.lastFlags, static_cast<SHGDNF>(SHGDN_NORMAL));
  }
}

TEST_F(PlatformShell, WideNameIsFreedOnceWithTheShellsAllocator) {
  NamingFolder folder;
  folder.answer = Wstr();
  folder.wide = L"Wide name";
  FreeSpy spy;
  ASSERT_EQ(CoRegisterMallocSpy(&spy), S_OK);
  const std::wstring name = fm::DisplayNameOf(folder, reinterpret_cast<LPCITEMIDLIST>(kItem), true);
  EXPECT_EQ(CoRevokeMallocSpy(), S_OK);
  EXPECT_EQ(name, L"Wide name");
  ASSERT_NE(folder.lastBlock, nullptr);
  EXPECT_EQ(std::count(spy.freed.begin(), spy.freed.end(), folder.lastBlock), 1);
}

TEST_F(PlatformShell, FailingShellCallsRaiseTheSystemsText) {
  const std::wstring notFound = fm::SystemMessage(0x80070002);
  ASSERT_FALSE(notFound.empty());
  EXPECT_EQ(ErrorTextOf([] {
              const fm::ComPtr<IShellFolder> desktop = fm::DesktopFolder();
              fm::ParseDisplayName(*desktop, nullptr, L"C:\\foldmere-no-such-folder\\x");
            }),
            notFound);

  const ScratchFolder scratch(L"bind");
  MakeFile(scratch / L"file.txt");
  const fm::ItemIdList file = Parse(scratch / L"file.txt");
  EXPECT_THROW(fm::BindToFolder(*desktop_, file.Get()), fm::Error);
  const fm::ItemIdList folder = Parse(scratch.Path());
  EXPECT_TRUE(fm::BindToFolder(*desktop_, folder.Get()));
}

std::vector<std::pair<std::wstring, std::wstring>> ListFolder(IShellFolder& desktop,
                                                              const std::wstring& path) {
  const fm::ItemIdList list = fm::ParseDisplayName(desktop, nullptr, path);
  const fm::ComPtr<IShellFolder> folder = fm::BindToFolder(desktop, list.Get());
  const fm::ComPtr<IEnumIDList> items = fm::EnumObjects(
      *folder, nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN);
  std::vector<std::pair<std::wstring, std::wstring>> names;
  if (!items) return names;
  for (;;) {
    fm::ItemIdList item;
    if (items->Next(1, item.Put(), nullptr) != S_OK) break;
    names.emplace_back(fm::DisplayNameOf(*folder, item.Get(), true),
                       fm::DisplayNameOf(*folder, item.Get(), false));
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(PlatformShell, EnumObjectsListsWhatTheFolderHolds) {
  const ScratchFolder scratch(L"enum");
  MakeFile(scratch / L"a.txt");
  MakeFile(scratch / L"b.dat");
  MakeFolder(scratch / L"sub");
  MakeFolder(scratch / L"empty");

  using Names = std::vector<std::pair<std::wstring, std::wstring>>;
  EXPECT_EQ(ListFolder(*desktop_, scratch.Path()), (Names{{scratch / L"a.txt", L"a.txt"},
                                                          {scratch / L"b.dat", L"b.dat"},
                                                          {scratch / L"empty", L"empty"},
                                                          {scratch / L"sub", L"sub"}}));
  EXPECT_EQ(ListFolder(*desktop_, scratch / L"empty"), Names{});
}

TEST_F(PlatformShell, AnItemTheShellCannotFindIsMadeFromWhatTheFileSystemTold) {
  const ScratchFolder scratch(L"found");
  const fm::ComPtr<IShellFolder> folder = fm::BindToFolder(*desktop_, fm::ParseDisplayName(*desktop_, nullptr, scratch.Path()).Get());
  // Not on the disk: the shell's own parse cannot find it, as it cannot find a file made
  // a moment ago under Wine.
  EXPECT_THROW(fm::ParseDisplayName(*folder, nullptr, L"told.txt"), fm::Error);
  WIN32_FILE_ATTRIBUTE_DATA told{};
  told.dwFileAttributes = FILE_ATTRIBUTE_ARCHIVE;
  told.nFileSizeLow = 1234;
  const fm::ItemIdList item = fm::ParseFoundItem(*folder, L"told.txt", told);
  ASSERT_TRUE(item);
  EXPECT_EQ(fm::DisplayNameOf(*folder, item.Get(), true), scratch / L"told.txt");
  // Made now, it is the item the shell finds.
  MakeFile(scratch / L"told.txt");
  const fm::ItemIdList parsed = fm::ParseDisplayName(*folder, nullptr, L"told.txt");
  EXPECT_EQ(static_cast<std::int16_t>(HRESULT_CODE(folder->CompareIDs(0, item.Get(), parsed.Get()))), 0);
  // A name longer than the file system keeps makes none.
  EXPECT_FALSE(fm::ParseFoundItem(*folder, std::wstring(MAX_PATH, L'x'), told));
}

TEST_F(PlatformShell, PathFromIDListGivesFileSystemPathsOnly) {
  const ScratchFolder scratch(L"path");
  EXPECT_EQ(fm::PathFromIDList(Parse(scratch.Path()).Get()), scratch.Path());
  EXPECT_EQ(fm::PathFromIDList(fm::SpecialFolderLocation(nullptr, CSIDL_DRIVES).Get()), L"");

  // A path longer than MAX_PATH. The shell parses no path that long, so its list is joined
  // from the records of same-named folders at the top: only the names make the path.
  const fm::ComPtr<IShellFolder> top = fm::BindToFolder(*desktop_, Parse(scratch.Path()).Get());
  fm::ItemIdList list = Parse(scratch.Path());
  std::wstring path = scratch.Path();
  for (const std::wstring& name :
       {std::wstring(100, L'a'), std::wstring(100, L'b'), std::wstring(100, L'c')}) {
    MakeFolder(scratch / name);
    const fm::ItemIdList record = fm::ParseDisplayName(*top, nullptr, name);
    list = fm::ItemIdList::Adopt(fm::JoinItemIDLists(list.Get(), record.Get()));
    path += L"\\" + name;
  }
  ASSERT_GT(path.size(), std::size_t{MAX_PATH});
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
    // Wine's shell cuts the path to MAX_PATH - 1 characters whatever the buffer.
    EXPECT_EQ(fm::PathFromIDList(list.Get()), path.substr(0, MAX_PATH - 1));
  } else {
    EXPECT_EQ(fm::PathFromIDList(list.Get()), path);
  }
}

TEST_F(PlatformShell, FileAndFolderFactsFollowWhatThePathNames) {
  const ScratchFolder scratch(L"facts");
  MakeFile(scratch / L"file.txt");
  MakeFolder(scratch / L"folder");
  const struct {
    std::wstring path;
    bool file;
    bool folder;
  } cases[] = {
      {scratch / L"file.txt", true, false},
      {scratch / L"folder", false, true},
      {scratch / L"folder\\", false, true},
      {L"C:\\", false, true},
      {scratch / L"missing.txt", false, false},
      {scratch / L"missing\\file.txt", false, false},
      {L"", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "path " << c.path);
    EXPECT_EQ(fm::FileExists(c.path), c.file);
    EXPECT_EQ(fm::DirectoryExists(c.path), c.folder);
  }
}

TEST_F(PlatformShell, LinksAreFollowedToTheirTargets) {
  // Windows makes the links here; Wine's call makes nothing, so its test run makes the
  // same links from the Linux side in the link fixture.
  const ScratchFolder scratch(L"links");
  MakeFile(scratch / L"target.txt");
  MakeFolder(scratch / L"sub");
  const DWORD allowUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
  const auto link = [&](const wchar_t* name, const wchar_t* target, DWORD flags) {
    CreateSymbolicLinkW((scratch / name).c_str(), (scratch / target).c_str(), flags | allowUnprivileged);
    return GetFileAttributesW((scratch / name).c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  std::wstring links = scratch.Path();
  if (!link(L"link-to-file", L"target.txt", 0)) {
    ASSERT_TRUE(fm::test::RunningUnderWine()) << "this system makes no symbolic links";
    links = fm::test::kLinkFixture;
    ASSERT_TRUE(fm::DirectoryExists(links)) << "the link fixture runs before these tests";
  } else {
    ASSERT_TRUE(link(L"link-to-folder", L"sub", SYMBOLIC_LINK_FLAG_DIRECTORY));
    link(L"dangling-link", L"missing.txt", 0);
  }
  const struct {
    const wchar_t* name;
    bool file;
    bool folder;
  } cases[] = {
      {L"link-to-file", true, false},
      {L"link-to-folder", false, true},
      {L"dangling-link", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.name);
    EXPECT_EQ(fm::FileExists(links + L"\\" + c.name), c.file);
    EXPECT_EQ(fm::DirectoryExists(links + L"\\" + c.name), c.folder);
  }
}

}  // namespace
