#include "ui/JobProgressWindow.h"

#include "core/JobProgressText.h"
#include "platform/Locale.h"
#include "ui/Application.h"

namespace fm::ui {

namespace {

TCreateParams ProgressParams(HWND owner) {
  TCreateParams params;
  // No close box: a job ends through its Cancel button, never by a window closed by the way.
  params.Style = WS_CAPTION | WS_CLIPCHILDREN;
  params.ExStyle = 0;
  params.Parent = owner;
  return params;
}

const wchar_t* StateText(fm::JobState state) {
  switch (state) {
    case fm::JobState::Waiting:
      return L"Waiting for the operations before it";
    case fm::JobState::Counting:
      return L"counting\u2026";
    case fm::JobState::Paused:
      return L"Paused";
    case fm::JobState::Asking:
      return L"Waiting for an answer";
    case fm::JobState::Cancelled:
      return L"Cancelled";
    case fm::JobState::Failed:
      return L"Failed";
    case fm::JobState::Running:
    case fm::JobState::Done:
      break;
  }
  return L"";
}

}  // namespace

TJobProgressWindow::TJobProgressWindow(HWND owner, const std::wstring& title)
    : TForm(L"JobProgress", 100, 100, ProgressParams(owner)) {
  SetCaption(title);
  CreateDesign(title);
  btnPause->OnClick = [this] {
    if (OnPause) OnPause(!FPaused);
  };
  btnCancel->OnClick = [this] {
    if (OnCancel) OnCancel();
  };
  OnShortCut = [this](WORD key, TShiftState) {
    if (key != VK_ESCAPE) return false;
    if (OnCancel) OnCancel();
    return true;
  };
}

TJobProgressWindow::~TJobProgressWindow() { DestroyWindowFirst(); }

void TJobProgressWindow::ShowProgress(const fm::JobProgress& progress) {
  const wchar_t separator = fm::LocaleDecimalSeparator();
  const bool counted = progress.state != fm::JobState::Waiting && progress.state != fm::JobState::Counting;
  auto set = [](TControl& label, const std::wstring& text) {
    // Setting the same text again would only flicker.
    if (label.Text() != text) label.SetText(text);
  };
  set(*lblState, StateText(progress.state));
  set(*lblItem, progress.currentItem);
  set(*lblItems, counted ? fm::ItemsDoneText(progress.itemsDone, progress.itemsTotal) : std::wstring());
  set(*lblBytes, counted ? fm::BytesDoneText(progress.bytesDone, progress.bytesTotal, separator) : std::wstring());
  pbBytes->SetPosition(counted ? fm::ProgressPermille(progress.bytesDone, progress.bytesTotal) : 0);
  const bool moving = progress.state == fm::JobState::Running;
  set(*lblSpeed, moving ? fm::SpeedText(progress.bytesPerSecond, separator) : std::wstring());
  set(*lblTimeLeft, moving ? fm::TimeLeftText(fm::SecondsLeft(progress.bytesDone, progress.bytesTotal,
                                                                progress.bytesPerSecond))
                           : std::wstring());
  FPaused = progress.state == fm::JobState::Paused;
  set(*btnPause, FPaused ? L"&Resume" : L"&Pause");
}

}  // namespace fm::ui
