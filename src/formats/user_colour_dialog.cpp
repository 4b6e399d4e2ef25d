#include "formats/user_colour_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable UserColourTable() {
  TDialogTable table{{RadioGroup, "ColourGroup", "User Defined Color", {8, 8, 220, 190}, "",
                      {"User Color &1", "User Color &2", "User Color &3", "User Color &4", "User Color &5",
                       "User Color &6", "User Color &7"}}};
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {20, 208, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TUserColourDlg::TUserColourDlg(TComponent* owner) : TForm(owner) {
  Name = "UserColourDlg";
  Caption = "Which User Defined Color?";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 236, 270);
  BuildDialog(*this, UserColourTable());
  ColourGroup = DialogControl<TRadioGroup>(*this, "ColourGroup");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  ColourGroup->SetItemIndex(0);
}

std::optional<int> AskUserColour() {
  TUserColourDlg dialog(nullptr);
  if (dialog.ShowModal() != mrOk || dialog.ColourGroup->ItemIndex() < 0) return std::nullopt;
  return dialog.ColourGroup->ItemIndex() + 1;
}

}  // namespace qm
