// The page that asks, the first time a script is tagged, whether the tag
// code letters are free in the writer's alphabet: the letters themselves
// in blue, in the script's font, as they would look in the script.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

class TTagCodesDlg : public TForm {
 public:
  // `fontName` and `fontSize`: the script's font the letters show in.
  TTagCodesDlg(TComponent* owner, const std::string& fontName, int fontSize);

  TLabel* CodeLetters;
  TButton* YesBtn;
  TButton* NoBtn;
};

// Shows the page: true when the writer answers that every letter is a
// square or a code not used in writing.
bool AskTagCodesFree(const std::string& fontName, int fontSize);

}  // namespace qm
