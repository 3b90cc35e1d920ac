#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "platform/ComApartment.h"
#include "platform/Shell.h"
#include "platform/ShellItemIdList.h"

namespace {

class PlatformItemIdList : public testing::Test {
 protected:
  fm::ComApartment com_;
  fm::ComPtr<IShellFolder> desktop_ = fm::DesktopFolder();
  std::int64_t live_ = fm::LiveItemIdLists();

  fm::ItemIdList Parse(const wchar_t* path) {
    return fm::ParseDisplayName(*desktop_, nullptr, path);
  }
  std::int64_t Added() const { return fm::LiveItemIdLists() - live_; }

  void TearDown() override { EXPECT_EQ(Added(), 0) << "lists still alive or freed twice"; }
};

bool SameBytes(LPCITEMIDLIST a, LPCITEMIDLIST b) {
  const int size = fm::ItemIDListSize(a);
  return size == fm::ItemIDListSize(b) && std::memcmp(a, b, static_cast<std::size_t>(size)) == 0;
}

int RecordCount(LPCITEMIDLIST list) {
  int count = 0;
  for (const ITEMIDLIST* item = list; item->mkid.cb != 0; item = fm::NextItemID(item)) ++count;
  return count;
}

TEST_F(PlatformItemIdList, OwnershipMovesAndEveryListIsFreedOnce) {
  {
    fm::ItemIdList windows = Parse(L"C:\\Windows");
    ASSERT_TRUE(windows);
    EXPECT_EQ(Added(), 1);

    fm::ItemIdList copy = windows.Copy();
    EXPECT_NE(copy.Get(), windows.Get());
    EXPECT_TRUE(SameBytes(copy.Get(), windows.Get()));
    EXPECT_EQ(Added(), 2);

    fm::ItemIdList moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(Added(), 2);

    moved = Parse(L"C:\\");  // the copy it held is freed
    EXPECT_EQ(Added(), 2);
    moved = std::move(windows);
    EXPECT_EQ(Added(), 1);

    // Given up, the list stays alive until freed by hand or adopted again.
    ITEMIDLIST* raw = moved.Release();
    EXPECT_FALSE(moved);
    EXPECT_EQ(Added(), 1);
    moved = fm::ItemIdList::Adopt(raw);
    EXPECT_EQ(Added(), 1);
    fm::FreeItemIDList(moved.Release());
    EXPECT_EQ(Added(), 0);

    EXPECT_FALSE(fm::ItemIdList().Copy());
    fm::FreeItemIDList(nullptr);
    EXPECT_EQ(Added(), 0);
  }
}

TEST_F(PlatformItemIdList, ListsHandedOverByTheShellAreCountedWhenTaken) {
  fm::ItemIdList drives;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put()), S_OK);
  ASSERT_TRUE(drives);
  EXPECT_EQ(Added(), 1);

  ITEMIDLIST* raw = nullptr;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &raw), S_OK);
  fm::ItemIdList taken = fm::ItemIdList::Take(raw);
  EXPECT_EQ(Added(), 2);
  EXPECT_TRUE(SameBytes(taken.Get(), drives.Get()));

  // An out-parameter left empty by the call leaves the owner empty.
  fm::ItemIdList none;
  wchar_t missing[] = L"C:\\foldmere-no-such-folder\\x";
  EXPECT_HRESULT_FAILED(
      desktop_->ParseDisplayName(nullptr, nullptr, missing, nullptr, none.Put(), nullptr));
  EXPECT_FALSE(none);
  EXPECT_EQ(Added(), 2);
}

TEST_F(PlatformItemIdList, StripAndJoinWorkOnTheShellsOwnLists) {
  fm::ItemIdList windows = Parse(L"C:\\Windows");
  ASSERT_EQ(RecordCount(windows.Get()), 3);  // the computer, the drive, the folder

  fm::ItemIdList drive = windows.Copy();
  fm::StripLastItemID(drive.Get());
  EXPECT_EQ(RecordCount(drive.Get()), 2);
  EXPECT_EQ(
      fm::ItemIDListSize(drive.Get()),
      fm::ItemIDListSize(windows.Get()) - fm::NextItemID(fm::NextItemID(windows.Get()))->mkid.cb);
  EXPECT_EQ(fm::PathFromIDList(drive.Get()), L"C:\\");

  // The drive's list followed by the folder's list relative to the drive names the folder.
  const fm::ComPtr<IShellFolder> driveFolder = fm::BindToFolder(*desktop_, drive.Get());
  const fm::ItemIdList relative = fm::ParseDisplayName(*driveFolder, nullptr, L"Windows");
  const fm::ItemIdList joined =
      fm::ItemIdList::Adopt(fm::JoinItemIDLists(drive.Get(), relative.Get()));
  ASSERT_TRUE(joined);
  EXPECT_EQ(fm::ItemIDListSize(joined.Get()),
            fm::ItemIDListSize(drive.Get()) - 2 + fm::ItemIDListSize(relative.Get()));
  EXPECT_EQ(_wcsicmp(fm::PathFromIDList(joined.Get()).c_str(), L"C:\\Windows"), 0);
  EXPECT_EQ(Added(), 4);

  fm::StripLastItemID(drive.Get());  // the computer
  EXPECT_EQ(RecordCount(drive.Get()), 1);
  fm::StripLastItemID(drive.Get());
  EXPECT_EQ(fm::ItemIDListSize(drive.Get()), 2);  // the desktop
  fm::StripLastItemID(drive.Get());
  EXPECT_EQ(fm::ItemIDListSize(drive.Get()), 2);
}

TEST_F(PlatformItemIdList, AllocatedListsAreZeroFilledAndCounted) {
  ITEMIDLIST* block = fm::AllocItemIDList(64);
  ASSERT_NE(block, nullptr);
  const fm::ItemIdList owner = fm::ItemIdList::Adopt(block);
  EXPECT_EQ(Added(), 1);
  const auto* bytes = reinterpret_cast<const unsigned char*>(block);
  for (int i = 0; i < 64; ++i) EXPECT_EQ(bytes[i], 0) << "byte " << i;
}

}  // namespace
