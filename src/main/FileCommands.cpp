// The file commands of the function keys and their buttons: F4 edit, F5 copy, F6 move
// (Shift+F6 renames in place), F7 new folder, F8 delete. Copy, move and the permanent
// delete run as jobs of the engine (FileJobWindows.cpp); the rest is done here.
#include <windows.h>

#include <shellapi.h>

#include "MainUnit.h"
#include "core/ItemName.h"
#include "core/PathText.h"
#include "platform/OsError.h"
#include "platform/ShellFileCommands.h"
#include "ui/Application.h"
#include "ui/QuestionBox.h"
#include "ui/TextPrompt.h"

namespace MainUnit {

namespace {

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void Tell(const std::wstring& text) { fm::ui::Application().ShowMessage(text); }

}  // namespace

bool TMain::FunctionKey(WORD Key, fm::ui::TShiftState Shift) {
  // The keys are the lists' only: the path boxes keep F4 for their drop-down, and a
  // caption edited in place keeps every key.
  HWND focus = GetFocus();
  if (focus != LeftView->Handle() && focus != RightView->Handle()) return false;
  if (Shift.Ctrl || Shift.Alt) return false;
  switch (Key) {
    case VK_F4:
      if (Shift.Shift) return false;
      EditFocusedFile();
      return true;
    case VK_F5:
      if (Shift.Shift) return false;
      CopyOrMove(fm::FileCommand::Copy);
      return true;
    case VK_F6:
      if (Shift.Shift) {
        FActivePane->StartRename();
      } else {
        CopyOrMove(fm::FileCommand::Move);
      }
      return true;
    case VK_F7:
      if (Shift.Shift) return false;
      NewFolder();
      return true;
    case VK_F8:
      DeleteItems(Shift.Shift);
      return true;
    default:
      return false;
  }
}

int TMain::Ask(const std::wstring& Text, const std::vector<std::wstring>& Buttons, int FocusIndex, int CancelIndex) {
  fm::ui::TQuestionBox box(Handle(), Text, Buttons, FocusIndex, CancelIndex);
  return box.Ask();
}

void TMain::EditFocusedFile() {
  const std::wstring path = FActivePane->FocusedPath();
  if (path.empty() || FActivePane->FileSystemFolder().empty() || IsFolder(path)) {
    Beep();
    return;
  }
  const std::wstring folder = fm::FolderPart(path);
  if (fm::HasEditVerb(path)) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.hwnd = Handle();
    info.lpVerb = L"edit";
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    RunShellExecute(info);
    return;
  }
  LaunchFile(Handle(), L"notepad.exe", L"\"" + path + L"\"", folder, SW_SHOWNORMAL);
}

void TMain::CopyOrMove(fm::FileCommand Command) {
  TPane& source = *FActivePane;
  TPane& target = &source == FLeftPane.get() ? *FRightPane : *FLeftPane;
  const wchar_t* verb = Command == fm::FileCommand::Move ? L"moved" : L"copied";
  if (source.FileSystemFolder().empty()) {
    Tell(std::wstring(L"Nothing is ") + verb + L" from the computer folder: its rows are drives. Open a folder first.");
    return;
  }
  if (target.FileSystemFolder().empty()) {
    Tell(std::wstring(L"Nothing is ") + verb +
         L": the other pane shows no folder of the file system. Open the target folder there first.");
    return;
  }
  std::vector<std::wstring> items = source.OperandPaths();
  if (items.empty()) {
    Beep();
    return;
  }
  fm::ui::TTextPrompt prompt(Handle(), fm::CopyMovePrompt(Command, items.size()), target.FileSystemFolder(),
                             L"&Start paused");
  const std::optional<fm::ui::TTextPrompt::Answer> answer = prompt.Ask();
  if (!answer) return;
  const std::wstring typed = fm::TypedTargetPath(answer->text, source.FileSystemFolder());
  if (typed.empty()) return;

  fm::JobRequest request;
  request.kind = Command == fm::FileCommand::Move ? fm::JobKind::Move : fm::JobKind::Copy;
  request.startPaused = answer->checked;
  if (IsFolder(typed)) {
    request.targetFolder = typed;
  } else {
    // Not a folder that exists: the new name of the one item, in a folder that does.
    const std::wstring folder = fm::FolderPart(typed);
    const std::wstring name = fm::FileNamePart(typed);
    if (items.size() > 1 || !IsFolder(folder)) {
      Tell(L"The folder " + typed + L" does not exist." +
           (items.size() > 1 ? L" Several items go into a folder that exists." : L""));
      return;
    }
    if (const fm::NameProblem problem = fm::ProblemOfName(name); problem != fm::NameProblem::None) {
      Tell(fm::NameProblemText(problem, name));
      return;
    }
    request.targetFolder = folder;
    request.targetName = name;
  }
  const std::wstring title = fm::JobTitle(Command, items, request.targetFolder);
  std::vector<std::wstring> folders{request.targetFolder};
  if (Command == fm::FileCommand::Move) folders.push_back(source.FileSystemFolder());
  request.sources = std::move(items);
  StartJob(std::move(request), title, std::move(folders));
}

void TMain::NewFolder() {
  TPane& pane = *FActivePane;
  const std::wstring folder = pane.FileSystemFolder();
  if (folder.empty()) {
    Tell(L"No folder is made in the computer folder: its rows are drives. Open a folder first.");
    return;
  }
  fm::ui::TTextPrompt prompt(Handle(), L"New folder in " + folder + L":", L"");
  const std::optional<fm::ui::TTextPrompt::Answer> answer = prompt.Ask();
  if (!answer) return;
  const std::wstring& name = answer->text;
  if (const fm::NameProblem problem = fm::ProblemOfName(name); problem != fm::NameProblem::None) {
    Tell(fm::NameProblemText(problem, name));
    return;
  }
  const std::wstring path = fm::JoinPath(folder, name);
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    Tell(fm::NameExistsText(name, folder));
    return;
  }
  if (!CreateDirectoryW(path.c_str(), nullptr)) {
    Tell(L"The folder \"" + name + L"\" could not be made: " + fm::SystemMessage(GetLastError()));
    return;
  }
  ReadFoldersAgain({folder});
  pane.SelectName(name);
}

void TMain::DeleteItems(bool Permanently) {
  TPane& pane = *FActivePane;
  const std::wstring folder = pane.FileSystemFolder();
  const std::vector<std::wstring> items = folder.empty() ? std::vector<std::wstring>() : pane.OperandPaths();
  if (items.empty()) {
    Beep();
    return;
  }
  const std::wstring question = fm::DeleteQuestion(items, Permanently);
  if (Permanently) {
    // The safe answer has the focus: Enter alone destroys nothing.
    if (Ask(question, {L"Delete permanently", L"Cancel"}, 1, 1) != 0) return;
    fm::JobRequest request;
    request.kind = fm::JobKind::Delete;
    request.sources = items;
    StartJob(std::move(request), fm::JobTitle(fm::FileCommand::Delete, items, L""), {folder});
    return;
  }
  if (Ask(question, {L"Delete", L"Cancel"}, 0, 1) != 0) return;
  fm::SendToRecycleBin(Handle(), items);
  ReadFoldersAgain({folder});
}

void TMain::RenamedInPlace(TPane& Pane, std::wstring NewName) {
  const std::wstring folder = Pane.FileSystemFolder();
  RunLater([this, &Pane, folder, NewName] {
    ReadFoldersAgain({folder});
    Pane.SelectName(NewName);
  });
}

}  // namespace MainUnit
