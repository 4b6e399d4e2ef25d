// The Edit menu's block and clipboard commands of the main window.
#include "base/document_table.h"
#include "files/clipboard_paste.h"
#include "files/progress_dialog.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/selection_commands.h"
#include "script/editing/word_deletion.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

TMDIChild* ScriptWithBlock() {
  TMDIChild* script = ScriptForCommand();
  return script && script->BlockOn() ? script : nullptr;
}

}  // namespace

void TMainForm::CutBtnClick(TObject*) {
  TMDIChild* script = ScriptWithBlock();
  if (!script || !script->Editable) return;
  SaveUndoStep(ukDelete, false, true, usWithSettings);
  ProgressDlg().CopyToClipBoard(true, true);
  SetDocumentModified(true, true);
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::CopyBtnClick(TObject*) {
  if (!ScriptWithBlock()) return;
  ProgressDlg().CopyToClipBoard(true, false);
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::DeleteBtnClick(TObject*) {
  TMDIChild* script = ScriptWithBlock();
  if (!script || !script->Editable) return;
  SaveUndoStep(ukDelete, false, true, usWithSettings);
  ProgressDlg().CopyToClipBoard(false, true);
  SetDocumentModified(true, true);
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::PasteBtnClick(TObject*) {
  if (!EditableActiveScript() || !ClipboardHasPasteableData()) return;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  ProgressDlg().PasteFromClipBoard();
  FocusActiveScript();
  MenusDue = 1;
}

void TMainForm::SelectAllItemClick(TObject*) { editor::SelectInActiveScript(slAll); }
void TMainForm::Word1Click(TObject*) { editor::SelectInActiveScript(slWord); }
void TMainForm::SelectSentenceItemClick(TObject*) { editor::SelectInActiveScript(slSentence); }
void TMainForm::Element1Click(TObject*) { editor::SelectInActiveScript(slElement); }
void TMainForm::Group1Click(TObject*) { editor::SelectInActiveScript(slGroup); }
void TMainForm::Page1Click(TObject*) { SelectPage(); }
void TMainForm::Scene1Click(TObject*) { editor::SelectInActiveScript(slScene); }

void TMainForm::TurnoffBlockItemClick(TObject* sender) {
  if (TMDIChild* script = ScriptForCommand()) script->TurnoffBlockItemClick(sender);
}

void TMainForm::DeleteWordItemClick(TObject* sender) { DeleteWordAtCaret(sender); }

}  // namespace qm
