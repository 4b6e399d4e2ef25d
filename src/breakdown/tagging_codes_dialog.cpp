#include "breakdown/tagging_codes_dialog.h"

#include "breakdown/tagging.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable TagCodesTable() {
  return {
      {Label,
       "AlphabetLabel",
       "The Tagging function may be incompatible with some foreign alphabets such as Hebrew or Cyrillic as the codes "
       "it uses may also be letters in those character sets.",
       {12, 12, 456, 48}},
      {Label, "CodeLetters", TagCodeLetters(), {12, 66, 456, 34}},
      {Label,
       "LettersLabel",
       "If ALL of the blue letters are squares or codes which you don't use in your writing, then you CAN use the "
       "tagging function... however, if any of them ARE letters you need, then using the tags would cause the "
       "program to not recognize those letters.",
       {12, 108, 456, 80}},
      {Label, "QuestionLabel", TagCodesQuestion, {12, 196, 456, 20}},
      {Button, "YesBtn", "Yes", {150, 228, 80, 25}},
      {Button, "NoBtn", "No", {250, 228, 80, 25}},
  };
}

}  // namespace

TTagCodesDlg::TTagCodesDlg(TComponent* owner, const std::string& fontName, int fontSize) : TForm(owner) {
  SetUpDialogFormClient(*this, "TagCodesDlg", "Breakdown Tagging", 480, 264);
  BuildDialog(*this, TagCodesTable());
  for (const char* name : {"AlphabetLabel", "LettersLabel"}) DialogControl<TLabel>(*this, name)->WordWrap = true;
  CodeLetters = DialogControl<TLabel>(*this, "CodeLetters");
  // The letters shown as they would stand in the script.
  CodeLetters->ShowAccelChar = false;
  CodeLetters->Font.Name = fontName;
  CodeLetters->Font.Size = fontSize;
  CodeLetters->Font.Color = clBlue;
  YesBtn = DialogControl<TButton>(*this, "YesBtn");
  YesBtn->ModalResult = mrYes;
  YesBtn->Default = true;
  NoBtn = DialogControl<TButton>(*this, "NoBtn");
  NoBtn->ModalResult = mrNo;
  NoBtn->Cancel = true;
}

bool AskTagCodesFree(const std::string& fontName, int fontSize) {
  TTagCodesDlg dialog(nullptr, fontName, fontSize);
  return dialog.ShowModal() == mrYes;
}

}  // namespace qm
