#include "files/paste_as.h"

namespace qm {

void TPasteAsDlg::FormShow(TObject*) {
  if (Font.Style & fsBold) return;
  for (TRadioButton* button : {ScriptFormatBtn, ActionOnlyBtn}) {
    button->ParentFont = false;
    button->Font.Style = Font.Style | fsBold;
  }
}

void TPasteAsDlg::ActionOnlyBtnClick(TObject* sender) {
  const bool scriptFormat = sender == ScriptFormatBtn;
  for (TCheckBox* box : {UseStyleSheetsBox, DoubleSpacedBox, NoCapInfo, IgnoreMargins, ActionInPs, MatchPageBreaksBox})
    box->Enabled = scriptFormat;
  for (TLabel* label : {BtrLabel1, Label1, BtrLabel2}) label->Enabled = scriptFormat;
  if (scriptFormat) TextOnlyBoxClick(TextOnlyBox);
}

void TPasteAsDlg::TextOnlyBoxClick(TObject*) {
  UseStyleSheetsBox->Enabled = UseStyleSheetsBox->Visible && !TextOnlyBox->Checked();
}

void TPasteAsDlg::ShowChoices(const TPasteChoices& choices) {
  ScriptFormatBtn->SetChecked(!choices.ActionOnly);
  ActionOnlyBtn->SetChecked(choices.ActionOnly);
  UseStyleSheetsBox->SetChecked(choices.UseStyleSheets);
  DoubleSpacedBox->SetChecked(choices.Aggressive);
  NoCapInfo->SetChecked(choices.NoCapitals);
  IgnoreMargins->SetChecked(choices.IgnoreMargins);
  ActionInPs->SetChecked(choices.ActionInParentheticals);
  MatchPageBreaksBox->SetChecked(choices.MatchPageBreaks);
  ActionOnlyBtnClick(choices.ActionOnly ? ActionOnlyBtn : ScriptFormatBtn);
}

TPasteChoices TPasteAsDlg::Choices() const {
  TPasteChoices choices;
  choices.ActionOnly = ActionOnlyBtn->Checked();
  choices.UseStyleSheets = UseStyleSheetsBox->Checked() && !TextOnlyBox->Checked();
  choices.Aggressive = DoubleSpacedBox->Checked();
  choices.NoCapitals = NoCapInfo->Checked();
  choices.IgnoreMargins = IgnoreMargins->Checked();
  choices.ActionInParentheticals = ActionInPs->Checked();
  choices.MatchPageBreaks = MatchPageBreaksBox->Checked();
  return choices;
}

bool AskPasteChoices(TPasteChoices& choices, bool rtf) {
  TPasteAsDlg dialog(nullptr);
  dialog.TextOnlyBox->Visible = rtf;
  dialog.UseStyleSheetsBox->Visible = rtf;
  dialog.ShowChoices(choices);
  if (dialog.ShowModal() != mrOk) return false;
  choices = dialog.Choices();
  return true;
}

}  // namespace qm
