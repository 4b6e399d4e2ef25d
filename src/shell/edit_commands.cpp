// The Edit menu's block and clipboard commands of the main window.
#include "base/document_table.h"
#include "files/clipboard_paste.h"
#include "files/progress_dialog.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {

namespace {

TMDIChild* ScriptWithBlock() {
  TMDIChild* script = NoActiveDocument() ? nullptr : ActiveScript();
  return script && script->BlockOn ? script : nullptr;
}

TMDIChild* EditableScript() {
  TMDIChild* script = NoActiveDocument() ? nullptr : ActiveScript();
  return script && script->Editable && script->CurrentElement ? script : nullptr;
}

}  // namespace

void TMainForm::CutBtnClick(TObject*) {
  TMDIChild* script = ScriptWithBlock();
  if (!script || !script->Editable) return;
  SaveUndoStep(ukDelete, false, true, 0);
  ProgressDlg().CopyToClipBoard(true, true);
  SetDocumentModified(true, true);
  FocusActiveScript();
  UpdateClipboardCommands();
}

void TMainForm::CopyBtnClick(TObject*) {
  if (!ScriptWithBlock()) return;
  ProgressDlg().CopyToClipBoard(true, false);
  FocusActiveScript();
  UpdateClipboardCommands();
}

void TMainForm::DeleteBtnClick(TObject*) {
  TMDIChild* script = ScriptWithBlock();
  if (!script || !script->Editable) return;
  SaveUndoStep(ukDelete, false, true, 0);
  ProgressDlg().CopyToClipBoard(false, true);
  SetDocumentModified(true, true);
  FocusActiveScript();
  UpdateClipboardCommands();
}

void TMainForm::PasteBtnClick(TObject*) {
  if (!EditableScript() || !ClipboardHasPasteableData()) return;
  SaveUndoStep(ukWholeScript, true, true, 0);
  ProgressDlg().PasteFromClipBoard();
  FocusActiveScript();
  UpdateClipboardCommands();
}

void TMainForm::UpdateClipboardCommands() {
  if (!CutItem) return;
  TMDIChild* block = ScriptWithBlock();
  CopyItem->Enabled = block != nullptr;
  CutItem->Enabled = block && block->Editable;
  DeleteItem->Enabled = block && block->Editable;
  PasteItem->Enabled = EditableScript() && !ClipboardBusy && ClipboardHasPasteableData();
}

}  // namespace qm
