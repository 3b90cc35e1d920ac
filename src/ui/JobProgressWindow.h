// The window of one file operation while it waits or runs: its current item, the items
// and bytes done of their totals with a bar, the speed and the time left, and its Pause
// (Resume) and Cancel buttons. It shows what it is given and tells its owner what was
// pressed; it never reaches the operation itself.
#pragma once

#include <functional>
#include <string>

#include "platform/FileJobs.h"
#include "ui/Form.h"
#include "ui/ProgressBar.h"
#include "ui/StdControls.h"

namespace fm::ui {

class TJobProgressWindow : public TForm {
 public:
  // title says what the job does ("Copying 3 items to C:\dest").
  TJobProgressWindow(HWND owner, const std::wstring& title);
  ~TJobProgressWindow() override;

  void ShowProgress(const fm::JobProgress& progress);

  // Pause pressed (true) or Resume (false).
  std::function<void(bool pause)> OnPause;
  std::function<void()> OnCancel;

 private:
  void CreateDesign(const std::wstring& title);

  TLabel* lblTitle = nullptr;
  TLabel* lblState = nullptr;
  TLabel* lblItem = nullptr;
  TLabel* lblItems = nullptr;
  TLabel* lblBytes = nullptr;
  TProgressBar* pbBytes = nullptr;
  TLabel* lblSpeed = nullptr;
  TLabel* lblTimeLeft = nullptr;
  TButton* btnPause = nullptr;
  TButton* btnCancel = nullptr;
  bool FPaused = false;
};

}  // namespace fm::ui
