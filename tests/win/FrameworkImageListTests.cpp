// Image lists live as long as a control draws with them.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>

#include "Pictures.h"
#include "ui/Form.h"
#include "ui/ToolBar.h"

namespace {

// Calls the watcher given as the subclass's data when the window is being destroyed.
LRESULT CALLBACK WatchDestroy(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR data) {
  if (message == WM_DESTROY) (*reinterpret_cast<std::function<void()>*>(data))();
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, WatchDestroy, id);
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(FrameworkImageLists, AToolBarsImagesStayUntilItsWindowIsGone) {
  auto images = std::make_shared<fm::ui::TImageList>(fm::pictures::kBackArrow, 96);
  const std::weak_ptr<const fm::ui::TImageList> watched = images;
  auto form = std::make_unique<fm::ui::TForm>(L"BarForm", 200, 100);
  auto& bar = form->Add<fm::ui::TToolBar>(L"Bar", images, 28, 27);
  bar.AddButton(L"Back", 0);
  // The form's owner lets go first, as a window's members go before its controls.
  images.reset();
  EXPECT_FALSE(watched.expired());
  EXPECT_EQ(bar.Images().Count(), 1);

  bool imagesWhileDestroyed = false;
  std::function<void()> watcher = [&] { imagesWhileDestroyed = !watched.expired(); };
  ASSERT_TRUE(
      SetWindowSubclass(bar.Handle(), WatchDestroy, 1, reinterpret_cast<DWORD_PTR>(&watcher)));
  form.reset();
  EXPECT_TRUE(imagesWhileDestroyed);
  EXPECT_TRUE(watched.expired());
}

}  // namespace
