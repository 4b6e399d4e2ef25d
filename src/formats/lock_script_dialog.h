// The lock dialog: which of scene numbers, page breaks and header text a
// script locks, or in unlock mode which locks stay (a grey box keeps only
// the multi-locked state) and what goes with the unlocking.
#pragma once

#include "platform/forms.h"

namespace qm {

class TLockScriptDlg : public TForm {
 public:
  TLockScriptDlg(TComponent* owner, bool unlock);

  TCheckBox* ScenesBox;
  TCheckBox* PagesBox;
  TCheckBox* HeadersBox;
  TGroupBox* UnlockGroup;
  TCheckBox* RemoveMarksBox;
  TCheckBox* RemoveOmittedBox;
  TCheckBox* UnfixHeadersBox;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
