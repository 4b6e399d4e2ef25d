// The colour chooser: one colour, picked from the basic colours, the
// custom colours the program offers, or its red, green and blue parts. It
// is a form of its own, so that a test answers it like any other modal
// form; a desktop shows its own colour dialog in its place.
#pragma once

#include <vector>

#include "platform/forms.h"

namespace qm {

class TColorDialog : public TForm {
 public:
  explicit TColorDialog(TComponent* owner);
  // The colour shown first; after Execute, the colour chosen.
  TColor Color = clBlack;
  // Offered beside the basic colours; a desktop shows the first 16.
  std::vector<TColor> CustomColors;

  // True when a colour was chosen; Cancel keeps Color as it was.
  bool Execute();

  // The form's own controls, used where the desktop has no dialog.
  TEdit* RedEdit = nullptr;
  TEdit* GreenEdit = nullptr;
  TEdit* BlueEdit = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;

 private:
  // The colour the three parts make; false when one is no number from 0
  // to 255.
  bool ReadParts(TColor& color) const;
};

}  // namespace qm
