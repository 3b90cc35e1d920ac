// Launches by the shell: a row opened in a pane, the properties verb, and the command box
// and the F9 button of the window.
#include <windows.h>

#include <shellapi.h>

#include "MainUnit.h"
#include "core/PathText.h"
#include "platform/Handles.h"

namespace MainUnit {

bool TMain::RunShellExecute(SHELLEXECUTEINFOW& info) {
  const bool accepted = FShellExecute(info);
  // Nothing waits for a started program; its handle is only closed.
  const fm::UniqueHandle process(info.hProcess);
  return accepted;
}

bool TMain::LaunchFile(HWND OwnerWindow, const std::wstring& FileName,
                       const std::wstring& Parameters, const std::wstring& Directory,
                       int ShowCommand, LPCITEMIDLIST Item) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = OwnerWindow;
  if (Item) {
    // The item itself, not a name the shell would parse again: "report.txt." would
    // become "report.txt".
    info.fMask |= SEE_MASK_IDLIST;
    info.lpIDList = const_cast<LPITEMIDLIST>(Item);
  } else {
    info.lpFile = FileName.c_str();
  }
  info.lpParameters = Parameters.c_str();
  info.lpDirectory = Directory.c_str();
  info.nShow = ShowCommand;
  return RunShellExecute(info);
}

bool TMain::ExecuteVerb(LPCITEMIDLIST Item, const std::wstring& Verb) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = GetActiveWindow();
  info.lpVerb = Verb.c_str();
  info.lpIDList = const_cast<LPITEMIDLIST>(Item);
  info.nShow = SW_SHOWNORMAL;
  return RunShellExecute(info);
}

void TMain::BTN_F09Click() { FActivePane->ShowItemProperties(); }

void TMain::Exec_CMDKeyDown(WORD& Key, fm::ui::TShiftState) {
  // Every key-down is the box's own: the edit never moves the caret or deletes at
  // key-down, while typed characters, Backspace and the clipboard keys still edit.
  const WORD key = Key;
  Key = 0;
  if (key != VK_RETURN) return;
  // The whole text is the file: what follows a program name is part of that name.
  const std::wstring text = Exec_CMD->Text();
  // A text that names no folder of its own runs in the folder of the active pane.
  std::wstring directory = fm::PathPart(text);
  if (directory.empty()) directory = FActivePane->FileSystemFolder();
  LaunchFile(nullptr, text, L"", directory, SW_SHOWNORMAL);
}

}  // namespace MainUnit
