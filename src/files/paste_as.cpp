#include "files/paste_as.h"

#include "files/foreign_files.h"

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

std::optional<TPasteReading> AskHowToRead(std::string_view rtf, bool plainToo, bool lockedPages) {
  const bool rtfPresent = !rtf.empty();
  TPasteAsDlg dialog(nullptr);
  dialog.ShowChoices(DefaultPasteChoices(rtf, lockedPages));
  dialog.TextOnlyBox->SetChecked(!rtfPresent);
  dialog.TextOnlyBox->Enabled = rtfPresent && plainToo;
  dialog.UseStyleSheetsBox->Visible = rtfPresent && rtf.find("{\\stylesheet{") != std::string_view::npos;
  if (lockedPages) {
    dialog.MatchPageBreaksBox->Enabled = false;
    dialog.BtrLabel2->Enabled = false;
  }
  dialog.TextOnlyBoxClick(dialog.TextOnlyBox);
  if (dialog.ShowModal() != mrOk) return std::nullopt;
  return TPasteReading{dialog.Choices(), rtfPresent && !dialog.TextOnlyBox->Checked()};
}

}  // namespace qm
