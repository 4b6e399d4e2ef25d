#include "formats/cheat_dialogs.h"

#include "formats/element_format_controls.h"

namespace qm {

TCheatElementDlg::TCheatElementDlg(TComponent* owner) : TForm(owner) {
  Name = "CheatElementDlg";
  Caption = "Cheat Element";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 420, 230);
  TDialogTable table;
  AddElementFormatRows(table, "", "");
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {120, 186, 80, 25}, 95)) table.push_back(button);
  BuildDialog(*this, table);
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
