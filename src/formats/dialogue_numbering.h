// Locked dialogue numbering: each character name's number word keeps its
// speech number (bits 2-13), bit 14 marks a speech added under the lock,
// bit 15 (no automatic continued mark) is left as it is. The script's
// numbering is off (0), numbered (1) or locked (2, the lock byte set). A
// locked script with added speeches unlocks to numbered, keeping its
// numbers; locking that again multi-locks it, the added speeches keeping
// their letters a level down. Unlocking lets the speeches count from 1.
// Adjusting numbers every speech afresh from 1, the added ones too, and
// locks those numbers when the numbering is locked.
#pragma once

#include "platform/forms.h"
#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

enum class TDialogueNumbering : Byte { Lock, MultiLock, Unlock, UnlockMultiLocked, Adjust };

// Asks with the dialog what the mode will do; OK or Cancel.
class TDialogueNumberingDlg : public TForm {
 public:
  TDialogueNumberingDlg(TComponent* owner, TDialogueNumbering mode);
  TLabel* WhatLabel;
  TButton* OKBtn;
  TButton* CancelBtn;
};

// After the writer confirms: the numbers locked, multi-locked or unlocked,
// the speeches renumbered and the change reported. False when refused.
bool LockDialogueNumbering(TMDIChild& script, TDialogueNumbering mode);

// Print Numbering in Script: the speech numbers shown and printed, or
// not; the new state.
bool TogglePrintedDialogueNumbers(TMDIChild& script);

// The Lock and Unlock items choose by what the script has now.
TDialogueNumbering LockModeOf(const TScriptDocument& script);
TDialogueNumbering UnlockModeOf(const TScriptDocument& script);

}  // namespace qm
