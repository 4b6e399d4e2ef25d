// "Spell Check Language Selection": the active script's spelling
// language, and with the check box the default for new scripts.
#pragma once

#include "platform/controls.h"
#include "platform/forms.h"

namespace qm {

class TSelectLanguageDlg : public TForm {
 public:
  explicit TSelectLanguageDlg(TComponent* owner);

  TRadioGroup* LanguageGroup;
  TCheckBox* DefaultBox;
  TLabel* NewScriptsLabel;
  TButton* OKBtn;
  TButton* CancelBtn;

 private:
  void OKBtnClick();
};

// Shows the dialog for the active script (nothing without one).
void ShowSelectLanguageDlg();

}  // namespace qm
