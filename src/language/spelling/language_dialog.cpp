#include "language/spelling/language_dialog.h"

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "platform/dialog_builder.h"
#include "language/spelling/spell_language_choice.h"
#include "script/editing/script_list_data.h"
#include "script/script_window.h"

namespace qm {
namespace {

using enum TDialogItemKind;

TDialogTable LanguageTable() {
  return {
      {RadioGroup,
       "LanguageGroup",
       "Select a Language",
       {8, 8, 250, 250},
       "",
       {"  &American English", "  British &English", "  &French", "  &German", "  &Spanish", "  &Italian", "  D&utch",
        "  &Swedish", "  &Danish", "  Nor&wegian"}},
      {CheckBox, "DefaultBox", "Set as Default for All ", {8, 266, 160, 20}},
      {Label, "NewScriptsLabel", "New Scripts", {26, 286, 0, 0}},
  };
}

}  // namespace

TSelectLanguageDlg::TSelectLanguageDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SelectLanguageDlg", "Spell Check Language Selection", 370, 320);
  BuildDialog(*this, LanguageTable());
  BuildDialog(*this, ButtonRow(sbOK | sbCancel, {270, 16, 80, 25}, 0));
  LanguageGroup = DialogControl<TRadioGroup>(*this, "LanguageGroup");
  DefaultBox = DialogControl<TCheckBox>(*this, "DefaultBox");
  NewScriptsLabel = DialogControl<TLabel>(*this, "NewScriptsLabel");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  CancelBtn->Top = 48;
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };
}

void TSelectLanguageDlg::OKBtnClick() {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return;
  const SpellLanguage language = LanguageGroup->ItemIndex() + 1;
  if (!ChooseScriptLanguage(*script, language, DefaultBox->Checked())) return;
  ModalResult = mrOk;
}

void ShowSelectLanguageDlg() {
  TMDIChild* script = ActiveScript();
  if (script == nullptr) return;
  TSelectLanguageDlg dialog(nullptr);
  const int language = RecordOf(*script).SpellLanguage;
  dialog.LanguageGroup->SetItemIndex(language >= 1 && language <= 10 ? language - 1 : 0);
  dialog.ShowModal();
}

}  // namespace qm
