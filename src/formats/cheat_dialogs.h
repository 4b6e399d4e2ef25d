// The "Cheat Element" dialog: the format of one element, apart from its
// kind's.
#pragma once

#include "platform/forms.h"

namespace qm {

class TCheatElementDlg : public TForm {
 public:
  explicit TCheatElementDlg(TComponent* owner);
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
