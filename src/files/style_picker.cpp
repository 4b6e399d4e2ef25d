#include "files/style_picker.h"

#include "files/style_names.h"
#include "platform/dialog_builder.h"
#include "script/model/script_model.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr std::array<TStyleChoice, StyleChoiceCount> kChoices{{
    {"ActionBtn", "&Action", fsAction, ekAction},
    {"RadioButton2", "&Character Name", fsCharacterName, ekCharacterName},
    {"RadioButton3", "&Dialogue", fsDialogue, ekDialogue},
    {"RadioButton4", "&Parenthetical", fsParenthetical, ekParenthetical},
    {"RadioButton5", "&Transition", fsTransition, ekTransition},
    {"RadioButton6", "&Scene Heading", fsSceneHeading, ekSceneHeading},
    {"RadioButton7", "S&hot", fsShot, ekShot},
    {"RadioButton8", "Script &Note", fsScriptNote, ekScriptNote},
    {"RadioButton9", "&Prologue Text", fsActInformation, ekPrologueText},
    {"RadioButton10", "&End of Act Text", fsActInformation, ekEndOfActText},
    {"RadioButton11", "Scene &Information", fsSceneInformation, ekSceneInformation},
    {"RadioButton12", "Act In&formation", fsActInformation, ekActInformation},
    {"RadioButton13", "&Forced Page Break", -1, ekForcedPageBreak},
    {"RadioButton14", "&Ignore This Type", -2, ekAction, true},
}};

TDialogTable ChoiceTable() {
  TDialogTable table{{Panel, "Panel2", "", {8, 8, 330, 40}}};
  for (int i = 0; i < StyleChoiceCount; ++i) {
    const TStyleChoice& choice = kChoices[static_cast<std::size_t>(i)];
    table.push_back({RadioButton, choice.Button, choice.Caption, {16 + (i / 7) * 165, 56 + (i % 7) * 22, 160, 20}});
  }
  return table;
}

}  // namespace

const std::array<TStyleChoice, StyleChoiceCount>& StyleChoices() { return kChoices; }

TImportScriptwareDlg::TImportScriptwareDlg(TComponent* owner, bool picker) : TForm(owner) {
  SetUpDialogForm(*this, "ImportScriptwareDlg", picker ? "Identify the Style" : "Define Element Type", 350, 260);
  HelpContext = 1090;
  BuildDialog(*this, ChoiceTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel | sbHelp, {40, 216, 80, 25}, 95));
  Panel2 = DialogControl<TPanel>(*this, "Panel2");
  for (int i = 0; i < StyleChoiceCount; ++i)
    Choices[static_cast<std::size_t>(i)] =
        DialogControl<TRadioButton>(*this, kChoices[static_cast<std::size_t>(i)].Button);
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  if (picker) Choices[12]->Caption = "Cente&red Title";
  Choices[0]->SetChecked(true);
}

int TImportScriptwareDlg::CheckedChoice() const {
  for (int i = 0; i < StyleChoiceCount; ++i)
    if (Choices[static_cast<std::size_t>(i)]->Checked()) return i;
  return -1;
}

int AskStyleChoice(const std::string& question) {
  TImportScriptwareDlg dialog(nullptr, false);
  dialog.Panel2->Caption = question;
  return dialog.ShowModal() == mrOk ? dialog.CheckedChoice() : -1;
}

std::string IdentifyStyle(const std::string& styleName) {
  TImportScriptwareDlg dialog(nullptr, true);
  dialog.Panel2->Caption = styleName;
  if (dialog.ShowModal() != mrOk) return "@";
  const int choice = dialog.CheckedChoice();
  if (choice < 0 || kChoices[static_cast<std::size_t>(choice)].Ignore) return "@";
  // The relabelled page-break button answers a Centered Title.
  return choice == 12 ? "TITLE" : CanonicalStyleName(kChoices[static_cast<std::size_t>(choice)].Kind);
}

}  // namespace qm
