#include "formats/cheat_dialogs.h"

#include "formats/element_format_controls.h"

namespace qm {

TCheatElementDlg::TCheatElementDlg(TComponent* owner) : TForm(owner) {
  Name = "CheatElementDlg";
  Caption = "Cheat Element";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 420, 260);
  TDialogTable table;
  AddElementFormatRows(table, "", "");
  AddNumberRow(table, "", "OverrideEdit", "&Override Scene Number:", {160, 180, 60, 22});
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {120, 216, 80, 25}, 95)) table.push_back(button);
  BuildDialog(*this, table);
  OverrideEdit = DialogControl<TEdit>(*this, "OverrideEdit");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
