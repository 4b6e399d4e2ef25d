// The start-up file list: while no script is open the main window can
// show the script folder's scripts, its folders and the drives, and a
// double click or Enter opens a script, Delete erases one.
#include <algorithm>
#include <cerrno>
#include <initializer_list>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "files/safe_save.h"
#include "platform/file_controls.h"
#include "platform/files.h"
#include "script/editing/message_pump.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/splash_screen.h"
#include "shell/status_line.h"
#include "shell/tool_bar.h"
#include "platform/office_button.h"

namespace qm {

namespace {

// Scripts carry one of these extensions once the set-up has run.
constexpr const char* StartupListMask = "*.SC?;*.QMW";
constexpr int DriveBoxHeight = 22;
constexpr int Gap = 4;

bool ModalFormShowing() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->Modal()) return true;
  return false;
}

}  // namespace

void TMainForm::BuildStartupFileList() {
  StartupDriveList = MakeControl<TFESDriveComboBox>(this, this, "StartupDriveList", 0, 0, 200, DriveBoxHeight);
  StartupDirectoryList = MakeControl<TFESDirectoryListBox>(this, this, "StartupDirectoryList", 0, 0, 200, 300);
  StartupFileList = MakeControl<TFESFileListBox>(this, this, "StartupFileList", 0, 0, 500, 300);
  StartupDirectoryList->SetFileList(StartupFileList);
  StartupDriveList->SetDirList(StartupDirectoryList);
  for (TControl* c : std::initializer_list<TControl*>{StartupDriveList, StartupDirectoryList, StartupFileList}) {
    c->Visible = false;
    c->Enabled = false;
  }
  StartupFileList->OnDblClick = [this](TObject* s) { StartupFileListDblClick(s); };
  StartupFileList->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState shift, int x, int y) {
    StartupFileListMouseUp(s, b, shift, x, y);
  };
  StartupFileList->OnEnter = [this](TObject* s) { StartupFileListEnter(s); };
  StartupFileList->OnKeyDown = [this](TObject* s, Word& key, TShiftState shift) {
    StartupFileListKeyDown(s, key, shift);
  };
  StartupDirectoryList->OnChange = [this](TObject* s) { StartupDirectoryListChange(s); };
  TNotifyEvent resized = OnResize;
  // The bars take their new places after the form hears of its new size;
  // the list takes what they leave.
  OnResize = [this, resized](TObject* s) {
    if (resized) resized(s);
    AlignControls();
    PlaceStartupFileList();
  };
}

void TMainForm::PlaceStartupFileList() {
  if (!StartupFileList || !StartupFileList->Visible) return;
  const TRect area = MDIClientRect();
  const int left = std::clamp(area.Width() / 4, 160, 260);
  const int height = std::max(0, area.Height() - 2 * Gap);
  StartupDriveList->SetBounds(area.Left + Gap, area.Top + Gap, left, DriveBoxHeight);
  StartupDirectoryList->SetBounds(area.Left + Gap, area.Top + 2 * Gap + DriveBoxHeight, left,
                                  std::max(0, height - DriveBoxHeight - Gap));
  StartupFileList->SetBounds(area.Left + left + 2 * Gap, area.Top + Gap, std::max(0, area.Width() - left - 3 * Gap),
                             height);
}

void TMainForm::PrepareStartupFileList(bool shown) {
  for (TControl* c : std::initializer_list<TControl*>{StartupDriveList, StartupDirectoryList, StartupFileList}) {
    c->Visible = shown;
    c->Enabled = shown;
  }
  StartupFileList->SetColumns(4);
  StartupDirectoryList->SetDirectory(ScriptDirectory);
  StartupFileList->SetMask(ScriptFileMask);
  PlaceStartupFileList();
}

void TMainForm::ShowStartupFileChoice() {
  if (!NoActiveDocument()) {
    PutAwayFileList();
    return;
  }
  if (StartupChoice != 1) return;
  for (TControl* c : std::initializer_list<TControl*>{StartupDriveList, StartupDirectoryList, StartupFileList}) {
    c->Visible = true;
    c->Enabled = true;
  }
  PlaceStartupFileList();
  TBtrLabel* box = ToolBar().CurrentElement();
  if (!elementBoxHiddenByList_ && box->Visible) {
    box->Visible = false;
    ToolBar().ElementBoxBtn()->Visible = false;
    elementBoxHiddenByList_ = true;
  }
  StatusLine().PagePanel->Caption = "";
  // This runs at every menu refresh: once shown, the folder the writer
  // browsed to, the choice and the keyboard stay as the writer left them.
  if (startupListShown_) return;
  startupListShown_ = true;
  const std::string mask = StartupFileList->Mask();
  const std::string folder = StartupFileList->Directory();
  StartupFileList->SetMask(StartupListMask);
  StartupDirectoryList->SetDirectory(ScriptDirectory);
  // Scripts saved while the list was away show when it comes back; a new
  // mask or folder has read them already.
  if (StartupFileList->Mask() == mask && StartupFileList->Directory() == folder) StartupFileList->ReadFileNames();
  if (StartupFileList->ItemIndex() < 0 && StartupFileList->Items.Count() > 0) StartupFileList->SetItemIndex(0);
  if (!ModalFormShowing()) FocusStartupFileList();
}

// The form may still count the list as focused from before a script took
// the keyboard: the form takes the keyboard back first, then hands it on.
void TMainForm::FocusStartupFileList() {
  if (!StartupFileList->CanFocus()) return;
  SetFocus();
  StartupFileList->SetFocus();
}

void TMainForm::PutAwayFileList() {
  startupListShown_ = false;
  for (TControl* c : std::initializer_list<TControl*>{StartupDriveList, StartupDirectoryList, StartupFileList}) {
    c->Visible = false;
    c->Enabled = false;
  }
  // Only what the list hid comes back: the tool-bar set-up may have
  // taken the element box off the bar.
  if (!elementBoxHiddenByList_) return;
  elementBoxHiddenByList_ = false;
  ToolBar().CurrentElement()->Visible = true;
  ToolBar().ElementBoxBtn()->Visible = true;
}

void TMainForm::HideFileList() {
  if (!StartupFileList) return;
  const bool shown = StartupFileList->Visible;
  PutAwayFileList();
  if (shown && !SplashScreen) ProcessMessagesGuarded();
}

void TMainForm::StartupFileListDblClick(TObject*) {
  if (!FileListClicked) busyBeforeListClick_ = ProgramBusy;
  ProgramBusy = true;
  FileListClicked = 1;
}

void TMainForm::EndFileListClick() {
  if (!FileListClicked) return;
  FileListClicked = 0;
  ProgramBusy = busyBeforeListClick_;
}

void TMainForm::StartupFileListMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
  if (!FileListClicked) return;
  FileListClicked = 0;
  // Busy while the file opens, and as before the click however the open ends.
  ProgramBusy = busyBeforeListClick_;
  const ProgramBusyScope busy;
  OpenStartupListFile();
}

void TMainForm::StartupFileListEnter(TObject*) { EndFileListClick(); }

void TMainForm::StartupFileListKeyDown(TObject*, Word& key, TShiftState) {
  switch (key) {
    case VK_RETURN: OpenStartupListFile(); break;
    case VK_DELETE: DeleteStartupListFile(); break;
    default: StartupFileList->Repaint();
  }
}

void TMainForm::OpenStartupListFile() {
  if (AutogenerateFileNames) StartupFileList->ReadFileNames();
  const std::string name = StartupFileList->FileName();
  if (!name.empty()) OpenScriptByName(name);
}

// The file erased is the one the question named, whatever reading the
// folder again would have selected.
void TMainForm::DeleteStartupListFile() {
  const std::string path = StartupFileList->FileName();
  if (path.empty()) return;
  const std::string text = "Delete " + PathToText(path) + "?";
  const bool sure = ExpertPrompting ? AskYesNo(text, "Are you Sure?", false) : AskTypeYes(text, "Are you Sure?");
  if (!sure) return;
  errno = 0;
  if (!DeleteFile(path))
    ShowFileError("deleting " + PathToText(path), FailureCause(errno ? errno : EACCES, path, true));
  UpdateStartupList();
}

void TMainForm::StartupDirectoryListChange(TObject*) {
  if (AutogenerateFileNames) StartupFileList->ReadFileNames();
}

void TMainForm::UpdateStartupList() {
  if (!StartupFileList->Visible) return;
  StartupFileList->SetColumns(2);
  StartupFileList->ReadFileNames();
}

void TMainForm::RefreshStartupFileList() {
  if (StartupFileList->Visible) StartupFileList->ReadFileNames();
}

}  // namespace qm
