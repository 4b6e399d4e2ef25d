#include "shell/idle_loop.h"

#include "platform/files.h"
#include "platform/forms.h"
#include "files/native_file.h"
#include "script/document_modified.h"
#include "script/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/app_messages.h"
#include "shell/documents.h"
#include "shell/global_state.h"
#include "shell/ini_file.h"
#include "shell/main_form.h"
#include "shell/message_boxes.h"
#include "shell/program_state.h"

namespace qm {

Byte ClipboardCheckDue;

namespace {

const GlobalState reset([] { ClipboardCheckDue = 0; });

bool BackupWanted(const TMDIChild& script, int slot) {
  return script.DocumentModified && !script.Closing && script.CurrentElement && !IsDocumentEmpty(slot);
}

// One script's timed backup: the previous one is kept as .TBK while the
// new one is written, and comes back when the write fails.
void BackUpSlot(int slot) {
  const std::string base = ScriptDirectory + "/SAVE" + std::to_string(slot);
  if (!BackupBeforeSave(base, true, false)) return;
  if (SaveScriptFile(base, true, true)) DeleteFile(base + ".TBK");
  else ReplaceFile(base + ".TBK", base + ".TMB");
}

}  // namespace

void WriteTimedBackups() {
  ProgramBusyScope busy;
  TMDIChild* active = ActiveScript();
  Screen->SetCursor(5);
  const bool notice = (active && active->Active()) || MainForm->BackupPrompt;
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
  if (TMDIChild* script = ActiveScript(); script && script == active) FocusActiveScript();
}

void TMainForm::FirstIdle(TObject*, bool& done) {
  // The abnormal-exit check comes with the tool bars; until then the
  // first idle moment hands over to the idle pass directly.
  Application->OnIdle = [this](TObject* s, bool& d) { AppIdle(s, d); };
  done = true;
}

void TMainForm::AppIdle(TObject*, bool& done) {
  Screen->SetCursor(crDefault);
  done = false;
  if (InIdle || ProgramBusy) return;
  InIdle = 1;
  TMDIChild* script = ActiveScript();
  // With nothing to do the loop waits for the next message rather than
  // calling again at once, which would keep a processor busy.
  done = true;
  if (!NoActiveDocument() && !script->Closing) {
    const bool unpacked = script->CurrentElement->text.has_value();
    if (unpacked) script->DisAssemble();
    const bool layoutWanted = script->LayoutDue && script->Active();
    if (layoutWanted || TimedBackupDue > 0) {
      const std::int64_t now = TickNow();
      if (script->LayoutDue && !script->Closing && !ProgramBusy && now >= script->RepaginateDue)
        script->RefreshKeepingCursor(TMDIChild::TLayoutRun::Background);
      if (script->RenumberDue) script->RenumberScenes(true);
      if (TimedBackupDue != 0 && now >= TimedBackupDue) WriteTimedBackups();
    }
    if (unpacked && ActiveScript() == script) script->Assemble();
  }
  DrainStoryboardQueue();
  UpdateWindowList();
  // The paste of story-development data arrives with the clipboard
  // readers; the request is not kept beyond this pass.
  StoryDevPastePending = 0;
  InIdle = 0;
}

}  // namespace qm
