#include "script/editing/document_modified.h"

#include "platform/messages.h"
#include "script/layout/editor_state.h"
#include "script/editing/element_transitions.h"
#include "script/editing/revision_marks.h"
#include "script/editing/script_hooks.h"
#include "script/editing/typing_aids.h"
#include "script/editing/undo_steps.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/program_options.h"

namespace qm {

std::int64_t TimedBackupDue;
Word BackupPostponed;

namespace {

// Commands running as one step, and whether theirs is recorded.
int singleStepDepth;
bool singleStepTaken;

const GlobalState reset([] {
  TimedBackupDue = 0;
  BackupPostponed = 0;
  singleStepDepth = 0;
  singleStepTaken = false;
});

constexpr std::int64_t kPostponeStep = 20;  // 2 seconds
constexpr Word kMostPostponement = 1200;    // 2 minutes

void ArmTimedBackup() {
  const std::int64_t now = TickNow();
  if (TimedBackupDue == 0) {
    TimedBackupDue = now + static_cast<std::int64_t>(AutosaveInterval) * 600;
    BackupPostponed = 0;
  } else if (now + kPostponeStep >= TimedBackupDue && BackupPostponed < kMostPostponement) {
    TimedBackupDue += kPostponeStep;
    BackupPostponed = static_cast<Word>(BackupPostponed + kPostponeStep);
  }
}

}  // namespace

std::int64_t TickNow() { return static_cast<std::int64_t>(GetTickCount64() / 100); }

void SaveUndoStep(Byte kind, bool wholeScript, bool force, Byte extra) {
  const auto& hooks = ScriptWindowHooks;
  if (!hooks.UndoRecording || !hooks.UndoRecording()) return;
  if (hooks.UndoStepAsked) hooks.UndoStepAsked();
  if (TSingleUndoStep::LeavesOut(force)) return;
  // Changes of one kind in a row are one step, while they stay where the
  // step's run is: one elsewhere could not be given back with it.
  if (kind == LastUndoKind && kind != ukWholeScript && !wholeScript && !force &&
      (!hooks.UndoStepCoversCaret || hooks.UndoStepCoversCaret()))
    return;
  // The caret leaving the element ends the word typed last, as a blank would.
  if (kind == ukNavigation && ProgramOptions().RealTimeSpellCheck && WordPendingSpell) aids::SpellWordBeforeCaret();
  if (wholeScript) kind = ukWholeScript;
  LastUndoKind = kind;
  hooks.SaveUndoData(kind == ukWholeScript, extra != 0);
}

TSingleUndoStep::TSingleUndoStep() {
  if (singleStepDepth++ == 0) singleStepTaken = false;
}

TSingleUndoStep::~TSingleUndoStep() { --singleStepDepth; }

bool TSingleUndoStep::LeavesOut(bool& force) {
  if (singleStepDepth == 0) return false;
  if (singleStepTaken) return true;
  singleStepTaken = true;
  force = true;
  return false;
}

void editor::SaveSettingsUndoStep(TMDIChild&) { SaveUndoStep(ukWholeScript, true, true, usWithSettings); }

void SetDocumentModified(bool modified, bool markRevision) {
  NoteScriptShapeChange();
  TMDIChild* script = ActiveScript();
  if (!script || !script->Editable) return;
  if ((modified || script->ModifiedSinceBackup) && !IsDocumentEmpty(ActiveDocument)) ArmTimedBackup();
  script->ModifiedSinceBackup = modified;
  script->ModifiedThisSession |= modified;
  script->ChangedSinceBackup |= modified;
  if (modified && markRevision && script->RevisionMarking) MarkRevisedLine(*script, true);
  if (static_cast<bool>(script->DocumentModified) != modified) {
    script->DocumentModified = modified;
    // A showing pick list speaks through the same hint; its words stay. The
    // word-processor mode's page shows no hint.
    if (!PickListShowing() && !ProgramOptions().WordProcessorMode) script->Hint = modified ? "Modified" : "";
  }
}

bool IsDocumentEmpty(int slot) {
  if (!ActiveScript() || slot < 1 || slot > MaxDocuments || !Documents[slot]) return false;
  const TMDIChild* script = Documents[slot];
  const TScriptElement* current = script->CurrentElement();
  if (!current) return true;
  if (current->next || current->prev) return false;
  // The element's own text, whether it sits in the edit buffer or is packed.
  if (!current->text) return TrimmedLength(script->EditBuffer()) == 0;
  return TrimmedLength(ElementText(*current)) == 0;
}

}  // namespace qm
