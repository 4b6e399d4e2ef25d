#include "formats/cheat_header_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable CheatHeaderTable() {
  TDialogTable table{
      {Label, "Line1Label", "&Line 1:", {12, 16, 60, 16}},         {Edit, "Line1Edit", "", {80, 12, 300, 22}},
      {Label, "Line2Label", "L&ine 2:", {12, 48, 60, 16}},         {Edit, "Line2Edit", "", {80, 44, 300, 22}},
      {Label, "RevisionLabel", "&Draft Color:", {12, 80, 66, 16}}, {DropDownList, "RevisionBox", "", {80, 76, 200, 22}},
  };
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {110, 116, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TCheatHeaderDlg::TCheatHeaderDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CheatHeaderDlg", "Cheat Page Header", 396, 180);
  BuildDialog(*this, CheatHeaderTable());
  Line1Edit = DialogControl<TEdit>(*this, "Line1Edit");
  Line2Edit = DialogControl<TEdit>(*this, "Line2Edit");
  RevisionBox = DialogControl<TComboBox>(*this, "RevisionBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
}

}  // namespace qm
