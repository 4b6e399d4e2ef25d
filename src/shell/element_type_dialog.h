// The question Enter asks on an empty Action of an interactive script:
// which element comes next. Its answers are those of the main window's
// multimedia buttons that make the elements of such a script.
#pragma once

#include "platform/forms.h"

namespace qm {

// The answers, as the dialog closes with them: the user activity of the
// Activity Wizard, a branch point, a branch target.
constexpr TModalResult mrUserActivity = mrOk;
constexpr TModalResult mrBranchPoint = mrYes;
constexpr TModalResult mrBranchTarget = mrNo;

class TSelectElementTypeDlg : public TForm {
 public:
  explicit TSelectElementTypeDlg(TComponent* owner);

  TButton* UserActivityBtn;
  TButton* BranchPointBtn;
  TButton* BranchTargetBtn;
  TButton* CancelBtn;
};

}  // namespace qm
