// What the framework makes of a handler that fails and of a window the system does not
// make or takes away: the error box, and then an answer that leaves the program in a sound
// state.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "core/Error.h"
#include "core/ErrorText.h"
#include "platform/OsError.h"
#include "ui/Form.h"
#include "ui/ListView.h"
#include "ui/StdControls.h"

namespace {

using fm::ui::TListItem;

class FailedHandler : public testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<fm::ui::TForm>(L"FailForm", 400, 300);
    list_ = &form_->Add<fm::ui::TListView>(
        L"List",
        std::vector<fm::ui::TListColumn>{{L"Name", fm::ui::TAlignment::taLeftJustify, 200}});
    list_->SetBounds(0, 0, 300, 200);
    list_->OnData = [](TListItem& item) { item.Caption = L"row " + std::to_wstring(item.Index); };
    list_->SetItemCount(5);
    edit_ = &form_->Add<fm::ui::TEdit>(L"Edit");
    edit_->SetBounds(0, 210, 300, 21);
    form_->Show();
    fm::test::PumpPending();
  }

  void TearDown() override {
    form_.reset();
    fm::test::PumpPending();
  }

  // Runs what makes the handler fail and gives the boxes it showed.
  std::vector<fm::test::ModalWatcher::Box> Failing(const std::function<void()>& action) {
    fm::test::ModalWatcher watcher;
    action();
    fm::test::PumpUntil([&] { return !watcher.Boxes().empty(); }, 5000);
    return watcher.Boxes();
  }

  static void ExpectTheErrorBox(const std::vector<fm::test::ModalWatcher::Box>& boxes) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Foldmere x64");
    EXPECT_EQ(boxes[0].text, L"The handler failed.");
    EXPECT_TRUE(boxes[0].stopIcon);
  }

  std::unique_ptr<fm::ui::TForm> form_;
  fm::ui::TListView* list_ = nullptr;
  fm::ui::TEdit* edit_ = nullptr;
};

TEST_F(FailedHandler, AWindowWhoseCloseFailedStaysOpen) {
  form_->OnClose = [](fm::ui::TCloseAction&) { throw fm::Error(L"The handler failed"); };
  ExpectTheErrorBox(Failing([&] { SendMessageW(form_->Handle(), WM_CLOSE, 0, 0); }));
  EXPECT_TRUE(IsWindow(form_->Handle()));
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  EXPECT_FALSE(form_->Closed());
  EXPECT_FALSE(fm::test::TakeQuitRequest());
}

TEST_F(FailedHandler, AnEditWhoseQuestionFailedIsRefused) {
  list_->OnEditing = [](TListItem&, bool&) { throw fm::Error(L"The handler failed"); };
  list_->SetFocus();
  HWND edit = nullptr;
  ExpectTheErrorBox(Failing([&] { edit = ListView_EditLabel(list_->Handle(), 2); }));
  EXPECT_EQ(edit, nullptr);
  EXPECT_EQ(ListView_GetEditControl(list_->Handle()), nullptr);
}

TEST_F(FailedHandler, AKeyWhoseHandlerFailedCountsAsHandled) {
  edit_->SetText(L"abc");
  SendMessageW(edit_->Handle(), EM_SETSEL, 0, 0);
  edit_->OnKeyDown() = [](WORD&, fm::ui::TShiftState) { throw fm::Error(L"The handler failed"); };
  ExpectTheErrorBox(Failing([&] { SendMessageW(edit_->Handle(), WM_KEYDOWN, VK_END, 1); }));
  // The edit did not act on the key: the caret stays at the start.
  DWORD start = 99;
  DWORD end = 99;
  SendMessageW(edit_->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);
}

// A paint that fails on every row shows one box, after the paint: a box opened inside it
// would paint the list again and fail again, once per row.
TEST_F(FailedHandler, APaintFailingOnEveryRowShowsOneBox) {
  int paints = 0;
  list_->OnCustomDraw = [&](const RECT&, bool&) { ++paints; };
  list_->OnCustomDrawItem = [&](TListItem*, UINT, bool&) {
    // Only the first paint fails: the box's own coming and going paints the list again.
    if (paints == 1) throw fm::Error(L"The handler failed");
  };
  ExpectTheErrorBox(Failing([&] {
    InvalidateRect(list_->Handle(), nullptr, TRUE);
    UpdateWindow(list_->Handle());
  }));
  EXPECT_GE(paints, 1);
}

// A find whose handler failed found nothing, rather than the first row.
TEST_F(FailedHandler, AFindWhoseHandlerFailedFindsNothing) {
  list_->OnDataFind = [](fm::ui::TItemFind, const std::wstring&, POINT, void*, std::int32_t,
                         fm::ui::TSearchDirection, bool, int&) { throw fm::Error(L"The handler failed"); };
  LRESULT found = 0;
  ExpectTheErrorBox(Failing([&] {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING | LVFI_PARTIAL | LVFI_WRAP;
    find.psz = L"row";
    found = SendMessageW(list_->Handle(), LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find));
  }));
  EXPECT_EQ(found, -1);
}

// A control of a window class that nobody registered.
class UnknownClassControl : public fm::ui::TControl {
 public:
  UnknownClassControl(fm::ui::TControl& parent, std::wstring name)
      : TControl(&parent, std::move(name)) {
    CreateHandle(L"FoldmereNoSuchClass", WS_VISIBLE, 0);
  }
};

TEST(FrameworkWindows, AWindowTheSystemDoesNotMakeRaisesWithTheSystemsText) {
  fm::ui::TForm form(L"Host", 200, 100);
  try {
    form.Add<UnknownClassControl>(L"Broken");
    ADD_FAILURE() << "no error";
  } catch (const fm::Error& error) {
    // Windows says it cannot find the class; Wine that the class does not exist.
    const DWORD code =
        fm::test::RunningUnderWine() ? ERROR_CLASS_DOES_NOT_EXIST : ERROR_CANNOT_FIND_WND_CLASS;
    EXPECT_EQ(error.Text(),
              fm::SystemErrorText(static_cast<std::int32_t>(code), fm::SystemMessage(code)));
  }
  EXPECT_TRUE(form.Controls().empty());
}

// The framework finds a window's control in a table of its own: a window the system
// destroys must leave it, or a later window given the same handle would find a control
// long gone.
TEST(FrameworkWindows, AControlIsFoundByItsWindowUntilTheWindowIsGone) {
  auto form = std::make_unique<fm::ui::TForm>(L"Host", 200, 100);
  auto& edit = form->Add<fm::ui::TEdit>(L"Edit");
  const HWND formWindow = form->Handle();
  const HWND editWindow = edit.Handle();
  EXPECT_EQ(fm::ui::TControl::FromHandle(formWindow), form.get());
  EXPECT_EQ(fm::ui::TControl::FromHandle(editWindow), &edit);
  EXPECT_EQ(fm::ui::TControl::FromHandle(GetDesktopWindow()), nullptr);
  EXPECT_EQ(fm::ui::TControl::FromHandle(nullptr), nullptr);

  DestroyWindow(editWindow);
  EXPECT_EQ(edit.Handle(), nullptr);
  EXPECT_EQ(fm::ui::TControl::FromHandle(editWindow), nullptr);

  form.reset();
  EXPECT_FALSE(IsWindow(formWindow));
  EXPECT_EQ(fm::ui::TControl::FromHandle(formWindow), nullptr);
}

}  // namespace
