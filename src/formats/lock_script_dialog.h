// The lock dialog: which of scene numbers, page breaks and header text a
// script locks, or in unlock mode which locks stay (a grey box keeps only
// the multi-locked state) and what goes with the unlocking. A lock also
// sets the header lines and scene CONTINUEDs the locked pages carry.
#pragma once

#include "platform/forms.h"

namespace qm {

class TLockScriptDlg : public TForm {
 public:
  TLockScriptDlg(TComponent* owner, bool unlock);

  TCheckBox* ScenesBox;
  TCheckBox* PagesBox;
  TCheckBox* HeadersBox;
  TEdit* HeaderLine1Edit;
  TEdit* HeaderLine2Edit;
  TCheckBox* ContinuedsBox;
  TGroupBox* UnlockGroup;
  TCheckBox* RemoveMarksBox;
  TCheckBox* RemoveOmittedBox;
  TCheckBox* UnfixHeadersBox;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
