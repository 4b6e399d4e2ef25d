// The name bank command of the main window.
#include "language/name_bank.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"

namespace qm {

void TMainForm::CharacterNameBankItemClick(TObject*) {
  ShowNameBank();
  FocusActiveScript();
}

}  // namespace qm
