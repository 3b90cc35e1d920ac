#include <gtest/gtest.h>

#include <utility>

#include "platform/ComPtr.h"
#include "platform/Handles.h"

namespace {

// A COM object that only counts its references.
class CountedObject final : public IUnknown {
 public:
  ULONG refs = 1;  // the creator's

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
};

TEST(PlatformOwners, ComPtrHoldsExactlyOneReferencePerOwner) {
  CountedObject object;
  {
    fm::ComPtr<IUnknown> taken;
    taken.Attach(&object);  // the creator's reference moves in
    EXPECT_EQ(object.refs, 1u);

    fm::ComPtr<IUnknown> shared(&object);
    fm::ComPtr<IUnknown> copied = shared;
    EXPECT_EQ(object.refs, 3u);

    fm::ComPtr<IUnknown> moved = std::move(copied);
    EXPECT_FALSE(copied);
    EXPECT_EQ(moved.Get(), &object);
    EXPECT_EQ(object.refs, 3u);

    copied = moved;
    copied = copied;
    EXPECT_EQ(object.refs, 4u);
    copied = std::move(moved);  // the reference copied held is released
    EXPECT_EQ(object.refs, 3u);

    // Put hands out the slot only after letting go of what was in it.
    EXPECT_EQ(*copied.Put(), nullptr);
    EXPECT_EQ(object.refs, 2u);

    fm::ComPtr<IUnknown> queried = shared.As<IUnknown>();
    EXPECT_EQ(queried.Get(), &object);
    EXPECT_EQ(object.refs, 3u);
    EXPECT_FALSE(shared.As<IClassFactory>());
    EXPECT_EQ(object.refs, 3u);

    IUnknown* detached = shared.Detach();
    EXPECT_FALSE(shared);
    EXPECT_EQ(object.refs, 3u);
    detached->Release();
  }
  EXPECT_EQ(object.refs, 0u);
}

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

TEST(PlatformOwners, KernelHandleIsClosedOnceByItsLastOwner) {
  HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  {
    fm::UniqueHandle owner(first);
    fm::UniqueHandle moved = std::move(owner);
    EXPECT_FALSE(owner);
    EXPECT_TRUE(IsOpen(first));

    moved.Reset(second);
    EXPECT_FALSE(IsOpen(first));
    EXPECT_TRUE(IsOpen(second));
  }
  EXPECT_FALSE(IsOpen(second));

  HANDLE kept = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  {
    fm::UniqueHandle owner(kept);
    ASSERT_EQ(owner.Release(), kept);
  }
  EXPECT_TRUE(IsOpen(kept));
  CloseHandle(kept);

  // CreateFileW's way of saying "no handle" is none, like null.
  const fm::UniqueHandle failed(
      CreateFileW(L"C:\\foldmere-no-such-file.txt", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  EXPECT_EQ(failed.Get(), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(failed);
  EXPECT_FALSE(fm::UniqueHandle());
}

TEST(PlatformOwners, SelectedObjectIsPutBackAtTheEndOfTheScope) {
  const fm::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  fm::UniqueHFont font(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH, L"Tahoma"));
  ASSERT_TRUE(font);
  const HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
  {
    const fm::SelectObjectScope selected(dc.Get(), font.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), before);
  // Deselected, the font can be deleted (the owner would do it; done here to see it work).
  EXPECT_TRUE(DeleteObject(font.Release()));
}

}  // namespace
