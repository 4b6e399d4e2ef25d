#include "shell/idle_loop.h"

#include "platform/file_controls.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "files/native_file.h"
#include "formats/title_page.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/abnormal_exit.h"
#include "shell/app_messages.h"
#include "shell/tool_bar.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/program_options.h"
#include "shell/main_form.h"
#include "shell/status_line.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"

namespace qm {

Byte ClipboardCheckDue;

namespace {

TIdleRefresh idleRefresh;

const GlobalState reset([] {
  ClipboardCheckDue = 0;
  idleRefresh = TIdleRefresh();
});

bool BackupWanted(const TMDIChild& script, int slot) {
  return script.DocumentModified && !script.Closing && script.CurrentElement() && !IsDocumentEmpty(slot);
}

// One script's timed backup. The new .TMB replaces the previous one in one
// step, so a failed write leaves that one in place; a .TBK is put back only
// when this backup moved the .TMB away, never over it (a .TBK left by an
// earlier crash is older than the .TMB).
void BackUpSlot(int slot) {
  const std::string base = ScriptDirectory + "/SAVE" + std::to_string(slot);
  if (!BackupBeforeSave(base, true, false)) return;
  const bool hadBackup = FileExists(base + ".TMB");
  if (SaveScriptFile(base, true, true)) DeleteFile(base + ".TBK");
  else if (hadBackup && !FileExists(base + ".TMB")) RenameFile(base + ".TBK", base + ".TMB");
}

// The form the writer's keys go to; none while another program has them.
// A script stays its frame's active child under a dialog, and the dialog
// has the keys then.
TForm* FormWithKeyboard() { return Application->Active() ? Screen->ActiveForm() : nullptr; }

}  // namespace

TIdleRefresh& IdleRefresh() { return idleRefresh; }

void TIdleRefresh::RefreshFormatButtons(const TMDIChild* script, bool always, const std::function<void()>& refresh) {
  TCaretState now;
  now.script = script;
  if (script && script->CurrentElement()) {
    const TScriptElement& e = *script->CurrentElement();
    now.element = &e;
    now.kind = e.Kind();
    now.style = e.format.Style;
    now.column = script->CaretColumn();
    now.packed = e.text.has_value();
    if (!now.packed) now.editLine = script->EditBuffer();
  }
  if (!always && buttonsShown_ && now == buttons_) return;
  buttons_ = std::move(now);
  buttonsShown_ = true;
  ++formatButtonRefreshes_;
  refresh();
}

void TIdleRefresh::RefreshWindowList(const std::function<void()>& refresh) {
  TWindowListState now;
  for (int slot = 1; slot <= DocumentCount; ++slot)
    now.names.push_back(Documents[slot] ? Documents[slot]->ScriptFileName : std::string());
  now.active = ActiveDocument;
  now.title = MainWindowText();
  if (listShown_ && now == list_) return;
  list_ = std::move(now);
  listShown_ = true;
  ++windowListRefreshes_;
  refresh();
}

void WriteTimedBackups() {
  ProgramBusyScope busy;
  TMDIChild* active = ActiveScript();
  TForm* const keyboard = FormWithKeyboard();
  Screen->SetCursor(5);
  const bool notice = (active && keyboard == active) || (MainForm->BackupPrompt && keyboard);
  if (notice) ShowPleaseWait("Saving Timed Backup(s)", false, false);
  const Byte remembered = ActiveDocument;
  for (int slot = 1; slot <= DocumentCount; ++slot) {
    if (!Documents[slot] || !BackupWanted(*Documents[slot], slot)) continue;
    ActiveDocument = static_cast<Byte>(slot);
    BackUpSlot(slot);
  }
  Screen->SetCursor(crDefault);
  if (notice) ClosePleaseWait();
  ActiveDocument = remembered;
  TimedBackupDue = 0;
  if (TMDIChild* script = ActiveScript(); script && script == active && keyboard == active) FocusActiveScript();
}

void TMainForm::FirstIdle(TObject*, bool& done) {
  done = CheckAbnormalExit();
  if (NoActiveDocument() && StartupChoice == 1 && StartupFileList->Visible && Visible) FocusStartupFileList();
}

void TMainForm::BackFromSomewhere(TObject*) {
  Show();
  LockWindowUpdate(NullWindow);
  // The desktop's colours may have changed while the program was away.
  if (UseWinColors) {
    ScreenColors = TScreenColors{};
    if (TMDIChild* script = ActiveScript()) script->BackgroundColor = ColorToRGB(ScreenColors.Window);
  }
  if (ToolBar().Panel() && ToolBar().Panel()->Visible()) ToolBar().Panel()->Repaint();
  if (NoActiveDocument()) return;
  FocusActiveScript();
  if (TForm* form = Screen->ActiveForm(); form && !TitlePagePublisherHoldsRepaint()) form->Repaint();
}

void TMainForm::AppIdle(TObject*, bool& done) {
  Screen->SetCursor(crDefault);
  if (SessionEndDue && !JobRunning) EndWithTheSession();
  // With nothing to do the loop waits for the next message rather than
  // calling again at once, which would keep a processor busy; so too
  // while a command holds the program busy (a message box of its up).
  done = true;
  if (InIdle || ProgramBusy || Application->Terminated()) return;
  OpenHandedOffFiles();
  InIdle = 1;
  TMDIChild* script = ActiveScript();
  if (NoActiveDocument() || script->Closing) {
    // Close stands for every open script, a read-only one too (whose Save
    // is off): while it is on, the menus still show the script just closed.
    // The bars' items follow their options with no script open too.
    if (NoActiveDocument() && (CloseFileItem->Enabled || MenusDue)) {
      MenusDue = 0;
      UpdateMenusAndButtons();
    }
    if (NoActiveDocument()) StatusLine().Refresh(false);
  } else {
    // The buttons are set with the menus, or alone when the caret moved.
    if (MenusDue || MenuStateChanged()) {
      MenusDue = 0;
      idleRefresh.RefreshFormatButtons(script, true, [this] { UpdateMenusAndButtons(); });
    } else {
      idleRefresh.RefreshFormatButtons(script, false, [this] { ToolBar().UpdateFormatButtons(); });
    }
    const bool unpacked = script->CurrentElement()->text.has_value();
    if (unpacked) script->DisAssemble();
    const bool layoutWanted = script->LayoutDue && script->Active();
    if (layoutWanted || TimedBackupDue > 0) {
      const std::int64_t now = TickNow();
      if (script->LayoutDue && !script->Closing && !ProgramBusy && now >= script->RepaginateDue)
        script->RefreshKeepingCursor(TMDIChild::TLayoutRun::Background);
      if (script->RenumberDue) script->RenumberScenes(true);
      if (TimedBackupDue != 0 && now >= TimedBackupDue) WriteTimedBackups();
    }
    if (ActiveScript() == script) StatusLine().Refresh(StatusLineDue != 0 || layoutWanted);
    StatusLineDue = 0;
    if (unpacked && ActiveScript() == script) script->Assemble();
  }
  DrainStoryboardQueue();
  idleRefresh.RefreshWindowList([this] { UpdateWindowList(); });
  if (StoryDevPastePending) {
    StoryDevPastePending = 0;
    if (NoActiveDocument() || !IsDocumentEmpty(ActiveDocument)) FileNewItemClick(this);
    PasteBtnClick(this);
  }
  InIdle = 0;
}

}  // namespace qm
