// "Cheat the Government": a joke. The program dials the tax office with a
// dial-up sound, reports its progress on a timer, and then asks for a
// password that it accepts or turns down.
#pragma once

#include <string>

#include "platform/forms.h"

namespace qm {

class TCheatGovernmentDlg : public TForm {
 public:
  explicit TCheatGovernmentDlg(TComponent* owner);
  ~TCheatGovernmentDlg() override;

  TLabel* StatusLabel;
  TEdit* PasswordEdit;
  TButton* SubmitBtn;
  TButton* CloseBtn;
  TTimer* DialTimer;

  // One step of the dialling; after the last one the password is asked.
  void Tick();
  // The password typed is checked and the answer shown.
  void Submit();
  int Step() const { return step_; }

 private:
  int step_ = 0;
};

// Whether the program takes this password (its own are kept scrambled).
bool GovernmentPasswordAccepted(const std::string& typed);

}  // namespace qm
