// The "Cheat Element" dialog: the format of one element, apart from its
// kind's, and a scene heading's own number.
#pragma once

#include "platform/forms.h"

namespace qm {

class TCheatElementDlg : public TForm {
 public:
  explicit TCheatElementDlg(TComponent* owner);
  // A scene heading's number, typed as "12" or "12B".
  TEdit* OverrideEdit;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
