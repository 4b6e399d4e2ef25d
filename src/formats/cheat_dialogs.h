// The cheat dialogs: "Cheat Element" (the format of one element, apart
// from its kind's, and a scene heading's own number), "Cheat the Page"
// (lines more or fewer on one page) and the choice of what Reset Cheated
// > Page takes back.
#pragma once

#include "platform/forms.h"

namespace qm {

class TCheatElementDlg : public TForm {
 public:
  explicit TCheatElementDlg(TComponent* owner);
  // A scene heading's number, typed as "12" or "12B".
  TEdit* OverrideEdit;
  // A script note's colour, chosen in the colour dialog.
  TButton* NoteColorBtn;
  TButton* OKBtn;
  TButton* CancelBtn;
};

class TCheatPageDlg : public TForm {
 public:
  explicit TCheatPageDlg(TComponent* owner);
  TRadioButton* IncreaseBtn;
  TRadioButton* DecreaseBtn;
  TEdit* LinesEdit;
  TButton* OKBtn;
  TButton* CancelBtn;
};

class TResetWhatDlg : public TForm {
 public:
  explicit TResetWhatDlg(TComponent* owner);
  TCheckBox* SpacingBox;
  TCheckBox* MarginsBox;
  TCheckBox* ContinuedsBox;
  TCheckBox* NumberingBox;
  TCheckBox* TextFormatsBox;
  TCheckBox* KeptTogetherBox;
  TCheckBox* NoteColorsBox;
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
