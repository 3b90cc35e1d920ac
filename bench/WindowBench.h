// The measures taken on the real main window in this process: the folder read, a
// navigation up to its painted rows, scrolling and leaving a folder.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "MainUnit.h"
#include "platform/ComPtr.h"
#include "ui/HintWindow.h"

namespace bench {

class WindowBench {
 public:
  WindowBench();
  ~WindowBench();
  WindowBench(const WindowBench&) = delete;
  WindowBench& operator=(const WindowBench&) = delete;

  MainUnit::TMain& Main() { return *main_; }
  int Rows() const { return main_->LeftItemCount(); }
  // The rows of both lists together.
  int RowsOfBothPanes() const { return main_->LeftItemCount() + main_->RightPane().ItemCount(); }

  // The folder that path names, bound from the desktop as navigation binds it.
  static fm::ComPtr<IShellFolder> Bind(const std::wstring& path);

  // ReadFolder alone, inside the list's update block as navigation calls it; the window
  // is left showing `away` (untimed), so that no half-shown state stays behind.
  double TimeReadFolder(const std::wstring& path, const std::wstring& away);

  struct Navigation {
    double total = 0;        // from BrowseToPath to the painted rows
    double afterBrowse = 0;  // from BrowseToPath's return to the painted rows
  };
  // BrowseToPath, then the message loop until the window has painted the rows in view
  // with their details and the status bar.
  Navigation BrowseAndPaint(const std::wstring& path);
  // BrowseAndPaint in the left pane, then the same folder in the right pane until its
  // rows in view are painted with their details.
  void BrowseBothAndPaint(const std::wstring& path);

  // A scroll bar page-down and the message loop until painted, `steps` times from the
  // first row `top` (or from where the list stands when top is negative), or until the
  // last row shows. The time of every step.
  std::vector<double> PageDown(int top, int steps);
  // The same upwards from where the list stands, until the first row shows.
  std::vector<double> PageUp(int steps);
  int RowsPerPage() const;

  // The details of one entry that lacks them, as a paint would load them.
  double TimeDetailsOfRow(int row);

  // The info tip of a row in view, asked for as the resting pointer asks for it; its text
  // goes to tip.
  double TimeInfoTip(int row, std::wstring& tip);
  // The same, then shown in the application's kind of hint window where the list puts it,
  // up to its painted text.
  double TimeShownInfoTip(int row, std::wstring& tip);

  // A key pressed in the list with modifier (VK_CONTROL, VK_SHIFT) held, up to the
  // window painted after it.
  double TimeKey(WORD key, BYTE modifier);
  // The text of the status bar's last panel, the selection's.
  std::wstring SelectionPanel() const;

  // Runs the message loop until the window is painted; an error past the limit.
  void WaitPainted();

  // The process's private bytes now: GetProcessMemoryInfo's PrivateUsage, or where the
  // system leaves that empty (Wine does), PagefileUsage, the same commit charge.
  struct Memory {
    std::size_t bytes = 0;
    const char* counter = "PrivateUsage";
  };
  static Memory PrivateBytes();

 private:
  bool Painted();
  std::vector<double> Page(WPARAM request, int steps);

  std::unique_ptr<MainUnit::TMain> main_;
  std::unique_ptr<fm::ui::THintWindow> hint_;
  fm::ui::TListView* list_ = nullptr;
  fm::ui::TStatusBar* status_ = nullptr;
};

}  // namespace bench
