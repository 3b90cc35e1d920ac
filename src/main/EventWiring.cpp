// Which handler of the window answers which event of its window-wide controls; each pane
// ties its own controls to its handlers.
#include "MainUnit.h"
#include "ui/Application.h"

namespace MainUnit {

void TMain::WireEvents() {
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  OnResize = [this] { FormResize(); };
  OnDpiChanged = [this] { FormDpiChanged(); };
  mmExit->OnClick = [this] { mmExitClick(); };
  mnuAbout->OnClick = [this] { mnuAboutClick(); };
  Exec_CMD->OnKeyDown() = [this](WORD& key, fm::ui::TShiftState shift) { Exec_CMDKeyDown(key, shift); };
  BTN_F09->OnClick = [this] { BTN_F09Click(); };
  BTN_F10->OnClick = [this] { Refresh(); };
  BTN_F04->OnClick = [this] { EditFocusedFile(); };
  BTN_F05->OnClick = [this] { CopyOrMove(fm::FileCommand::Copy); };
  BTN_F06->OnClick = [this] { CopyOrMove(fm::FileCommand::Move); };
  BTN_F07->OnClick = [this] { NewFolder(); };
  BTN_F08->OnClick = [this] { DeleteItems(false); };
  OnShortCut = [this](WORD key, fm::ui::TShiftState shift) { return FunctionKey(key, shift); };
}

void TMain::RunLater(std::function<void()> Action) {
  FWaitingActions.push_back(std::move(Action));
  PostMessageW(Handle(), kRunLater, 0, 0);
}

void TMain::RunWaitingActions() {
  std::vector<std::function<void()>> actions = std::move(FWaitingActions);
  FWaitingActions.clear();
  for (auto& action : actions) fm::ui::CallHandler(action);
}

void TMain::ShowMessageLater(std::wstring Text) {
  FLabelResult = std::move(Text);
  PostMessageW(Handle(), kShowLabelResult, 0, 0);
}

void TMain::ShowLabelResult() {
  if (!FLabelResult) return;
  const std::wstring text = std::move(*FLabelResult);
  FLabelResult.reset();
  fm::ui::Application().ShowMessage(text);
}

LRESULT TMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kShowLabelResult) {
    fm::ui::CallHandler([this] { ShowLabelResult(); });
    return 0;
  }
  if (LRESULT result = 0; LiveMessage(message, wParam, lParam, result)) return result;
  if (message == kRunLater) {
    RunWaitingActions();
    return 0;
  }
  if (message == kFileJobNews) {
    fm::ui::CallHandler([this] { TakeJobNews(); });
    return 0;
  }
  return TForm::WndProc(message, wParam, lParam);
}

}  // namespace MainUnit
