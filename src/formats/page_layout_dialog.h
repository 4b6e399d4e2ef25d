// The "Setup Page Layout" dialog: page margins, line spacing and font
// size percentages, and the stretching of short pages.
#pragma once

#include "platform/forms.h"

namespace qm {

class TPageLayoutDlg : public TForm {
 public:
  explicit TPageLayoutDlg(TComponent* owner);
  TEdit* TopEdit;
  TEdit* BottomEdit;
  TEdit* BindingEdit;
  TEdit* TextSpacingEdit;
  TEdit* BlankSpacingEdit;
  TEdit* FontPercentEdit;
  TCheckBox* StretchBox;
  TEdit* StretchMinEdit;
  TEdit* StretchMaxEdit;
  TCheckBox* SaveDefaultsBox;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
