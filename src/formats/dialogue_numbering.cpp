#include "formats/dialogue_numbering.h"
#include "formats/draft_refresh.h"

#include "base/message_boxes.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/pagination/numbering.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

constexpr Word NumberBits = dialogue_word::NumberMask | dialogue_word::AddedUnderLock;

void LockSpeechNumbers(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (e->Kind() != ekCharacterName || !e->group || script.IsHiddenElement(e)) continue;
    const Word number = static_cast<Word>((e->group->number << 2) & dialogue_word::NumberMask);
    e->format.NumberWord = static_cast<Word>((e->format.NumberWord & ~NumberBits) | number);
  }
}

// The speeches added under the lock keep the letters they show now.
void KeepAddedLetters(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName && dialogue_word::Number(e->format.NumberWord) == 0)
      e->format.NumberWord = static_cast<Word>(e->format.NumberWord & ~dialogue_word::AddedUnderLock);
}

void ClearSpeechNumbers(TScriptDocument& script) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName) e->format.NumberWord = static_cast<Word>(e->format.NumberWord & ~NumberBits);
}

bool AnySpeech(const TScriptDocument& script, bool numbered) {
  for (const TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName && (dialogue_word::Number(e->format.NumberWord) != 0) == numbered) return true;
  return false;
}

}  // namespace

// Numbers kept from an earlier lock are locked again over the speeches
// added since; a lock with added speeches is first taken back to numbers
// and letters.
TDialogueNumbering LockModeOf(const TScriptDocument& script) {
  return !script.DialogueNumberingLock && AnySpeech(script, true) ? TDialogueNumbering::MultiLock
                                                                  : TDialogueNumbering::Lock;
}

TDialogueNumbering UnlockModeOf(const TScriptDocument& script) {
  return script.DialogueNumberingLock && AnySpeech(script, false) ? TDialogueNumbering::UnlockMultiLocked
                                                                  : TDialogueNumbering::Unlock;
}

bool LockDialogueNumbering(TMDIChild& script, TDialogueNumbering mode) {
  if (!script.CurrentElement()) return false;
  TDialogueNumberingDlg dialog(nullptr, mode);
  if (dialog.ShowModal() != mrOk) return false;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  script.RefreshLayout();
  script.Assemble();
  switch (mode) {
    case TDialogueNumbering::Lock:
      LockSpeechNumbers(script);
      script.DialogueNumbering = 1;
      script.DialogueNumberingLock = 1;
      break;
    case TDialogueNumbering::MultiLock:
      KeepAddedLetters(script);
      script.DialogueNumbering = 1;
      script.DialogueNumberingLock = 1;
      break;
    case TDialogueNumbering::Unlock:
      ClearSpeechNumbers(script);
      script.DialogueNumbering = 0;
      script.DialogueNumberingLock = 0;
      break;
    case TDialogueNumbering::UnlockMultiLocked: script.DialogueNumberingLock = 0; break;
    case TDialogueNumbering::Adjust:
      // The speeches were just counted afresh; a lock takes those counts.
      if (script.DialogueNumberingLock) LockSpeechNumbers(script);
      else ClearSpeechNumbers(script);
      script.DialogueNumbering = 1;
      break;
  }
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  ShowMessageBox("Dialogue Numbering has been updated!", "");
  return true;
}

bool TogglePrintedDialogueNumbers(TMDIChild& script) {
  SaveUndoStep(ukDelete, false, true, usWithSettings);
  script.DialogueNumbering = script.DialogueNumbering ? 0 : 1;
  RefreshAfterDraftChange(script);
  return script.DialogueNumbering != 0;
}

}  // namespace qm
