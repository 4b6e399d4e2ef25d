// The Production menu's draft commands: page breaks, locking the script,
// the multi-locks, revisions and their marks, the OMITTED headings, the
// draft information and the dialogue numbering.
#include "formats/dialogue_numbering.h"
#include "formats/page_breaks.h"
#include "formats/page_headers.h"
#include "formats/revision_levels.h"
#include "formats/revisions.h"
#include "formats/script_locking.h"
#include "language/search_tools.h"
#include "files/undo_ring.h"
#include "printing/print_menu.h"
#include "platform/menus.h"
#include "script/editing/document_modified.h"
#include "script/editing/revision_marks.h"
#include "script/editing/window_activation.h"
#include "base/document_table.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/screen_colors.h"
#include "script/editing/undo_steps.h"

namespace qm {

void TMainForm::AddForcedPageBreakItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) InsertPageBreak(*script);
  FocusActiveScript();
}

void TMainForm::RemoveForcedPageItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) RemoveForcedPageBreak(*script);
  FocusActiveScript();
}

void TMainForm::LockScriptItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) {
    LockTheScript(*script);
    MenuItem("AutoRevMarksItem")->Checked = script->RevisionMarking != 0;
  }
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::UnlockScriptItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) {
    UnlockTheScript(*script);
    MenuItem("AutoRevMarksItem")->Checked = script->RevisionMarking != 0;
  }
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::MultiLockItemClick(TObject* sender) {
  if (TMDIChild* script = EditableActiveScript())
    MultiLockScenesOrPages(*script, SenderName(sender) == "MultiLockScenesItem");
  FocusActiveScript();
}

void TMainForm::StartNextRevisionItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) StartNewRevision(*script);
  FocusActiveScript();
}

void TMainForm::FixFlexAPagesItemClick(TObject* sender) {
  if (TMDIChild* script = EditableActiveScript()) FlexOrFixAPages(*script, SenderName(sender) == "FlexAPagesItem");
  FocusActiveScript();
}

void TMainForm::AutoRevMarksItemClick(TObject*) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  script->RevisionMarking = script->RevisionMarking ? 0 : 1;
  MenuItem("AutoRevMarksItem")->Checked = script->RevisionMarking != 0;
  FocusActiveScript();
}

void TMainForm::RemoveDraftItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  const std::string name = SenderName(sender);
  if (script && name == "RemoveRevMarksItem") RemoveRevisionMarks(*script, TMarksRemoval::AskFirst, true);
  if (script && name == "RemoveOmittedItem") RemoveAllOmittedSceneHeadings(*script, true);
  if (script && name == "SceneHeadingNoOmitItem") RemoveSceneHeadingNoOmit(*script);
  if (script && name == "RemoveLockedPageBrkItem") RemoveForcedPageBreak(*script);
  // The user colours are numbered 4 to 10 among the colours, 1 to 7 here.
  // The user colours taken up on the way and the codes removed are one change.
  const TSingleUndoStep oneStep;
  if (script && name == "RemoveUserColorItem" && ConfirmUserColourRemoval())
    if (const int colour = ChooseUserColor(false, "Select the Color to Remove...", 0); colour != 0)
      RemoveColorCodes(*script, TMarkColour::User, colour - 3);
  FocusActiveScript();
}

void TMainForm::OverrideItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  const std::string name = SenderName(sender);
  if (script && name == "CheatPgBreakTypeItem") ChangePageBreakType(*script);
  if (script && name == "OverrideSceneHeading") ChangeSceneNumberingType(*script);
  if (script && name == "CheatPageHeaderItem") CheatPageHeader(*script);
  FocusActiveScript();
}

void TMainForm::TogglePauseLockingClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!script || !item) return;
  const bool pages = item->Name == "PausePageLockingItem";
  if (script->TogglePauseLocking(pages, item->Checked)) item->Checked = true;
  else if (item->Checked) item->Checked = false;
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::LockRevMarksItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) LockRevisionMarks(*script);
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::UnlockRevMarkLevelItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) UnlockRevisionMarkLevel(*script);
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::FixHeadersItemClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  if (script && SenderName(sender) == "UnfixAllHeadersItem") UnfixAllHeaders(*script, true);
  else if (script) FixAllHeaders(*script);
  FocusActiveScript();
}

void TMainForm::UnlockHeadersItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) UnlockHeaderText(*script);
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::NextRevisionMarkItemClick(TObject*) {
  if (TMDIChild* script = ScriptForCommand()) GotoNextRevisionMark(*script);
  FocusActiveScript();
}

void TMainForm::LockDialogueNumberingItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) LockDialogueNumbering(*script, LockModeOf(*script));
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::UnlockDialogueNumberingItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) LockDialogueNumbering(*script, UnlockModeOf(*script));
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::DraftInformationItemClick(TObject*) {
  ShowScriptInformationSetup();
  FocusActiveScript();
}

void TMainForm::PrintNumberingItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript())
    MenuItem("PrintNumberingItem")->Checked = TogglePrintedDialogueNumbers(*script);
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::AdjustNumberingItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) LockDialogueNumbering(*script, TDialogueNumbering::Adjust);
  MenusDue = 1;
  FocusActiveScript();
}

void TMainForm::InstallDraftHooks() {
  ScriptWindowHooks.AddForcedPageBreak = [](TMDIChild& script) { InsertPageBreak(script); };
  ActivationHooks.ScriptDeactivated = [this](TMDIChild& script) { EndPausedLocking(script); };
}

// A lock paused for one window holds again once the writer leaves it.
void TMainForm::EndPausedLocking(TMDIChild& script) {
  TMenuItem* pages = MenuItem("PausePageLockingItem");
  TMenuItem* scenes = MenuItem("PauseSceneLockingItem");
  if (pages->Checked) script.PagesLocked = 1;
  if (scenes->Checked) script.ScenesLocked = 1;
  pages->Checked = false;
  scenes->Checked = false;
  MenusDue = 1;
  StatusLineDue = 1;
}

}  // namespace qm
