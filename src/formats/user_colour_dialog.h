// Which of the seven user-defined colours a command works on.
#pragma once

#include <optional>

#include "platform/forms.h"

namespace qm {

class TUserColourDlg : public TForm {
 public:
  explicit TUserColourDlg(TComponent* owner);
  TRadioGroup* ColourGroup;
  TButton* OKBtn;
  TButton* CancelBtn;
};

// The colour chosen, 1 to 7; nothing on Cancel.
std::optional<int> AskUserColour();

}  // namespace qm
