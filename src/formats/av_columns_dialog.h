// The A/V column margins dialog: left and right margins of the two
// columns, for Dialogue and for the other elements.
#pragma once

#include "platform/forms.h"

namespace qm {

class TSetupAVColumnsDlg : public TForm {
 public:
  explicit TSetupAVColumnsDlg(TComponent* owner);
  TButton* OKBtn;
  TButton* CancelBtn;
};

}  // namespace qm
