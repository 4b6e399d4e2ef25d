#include "formats/dialogue_numbering.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

const char* WhatItDoes(TDialogueNumbering mode) {
  switch (mode) {
    case TDialogueNumbering::Lock: return "Lock the Dialogue Numbers as they are now?";
    case TDialogueNumbering::MultiLock:
      return "Multi-Lock the Dialogue Numbers, keeping the letters of added speeches?";
    case TDialogueNumbering::Unlock: return "Unlock the Dialogue Numbers so that every speech is numbered again?";
    case TDialogueNumbering::UnlockMultiLocked: return "Unlock the Multi-Locked Dialogue Numbers?";
    case TDialogueNumbering::Adjust: return "Renumber every Speech from 1, so that added speeches lose their letters?";
  }
  return "";
}

TDialogTable DialogueNumberingTable(TDialogueNumbering mode) {
  TDialogTable table{{Label, "WhatLabel", WhatItDoes(mode), {16, 16, 300, 40}}};
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {80, 72, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TDialogueNumberingDlg::TDialogueNumberingDlg(TComponent* owner, TDialogueNumbering mode) : TForm(owner) {
  SetUpDialogForm(*this, "DialogueNumberingDlg", "Dialogue Numbering", 340, 140);
  BuildDialog(*this, DialogueNumberingTable(mode));
  WhatLabel = DialogControl<TLabel>(*this, "WhatLabel");
  WhatLabel->AutoSize = false;
  WhatLabel->WordWrap = true;
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
