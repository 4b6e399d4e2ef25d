// The "Cheat Page Header" dialog: the two header lines of one locked page
// and the revision (draft colour) the page belongs to.
#pragma once

#include "platform/forms.h"

namespace qm {

class TCheatHeaderDlg : public TForm {
 public:
  explicit TCheatHeaderDlg(TComponent* owner);
  TEdit* Line1Edit;
  TEdit* Line2Edit;
  TComboBox* RevisionBox;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
