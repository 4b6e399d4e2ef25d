#include "shell/element_type_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

// Wide enough for the window's title beside the title bar's buttons.
constexpr int DialogWidth = 280;
constexpr int ButtonWidth = 160;
constexpr int ButtonLeft = (DialogWidth - ButtonWidth) / 2;

TDialogTable SelectElementTypeTable() {
  return {
      {Label, "PromptLabel", "What comes next?", {ButtonLeft, 10, 0, 0}},
      {Button, "UserActivityBtn", "&User Activity", {ButtonLeft, 34, ButtonWidth, 25}},
      {Button, "BranchPointBtn", "B&ranch Point", {ButtonLeft, 64, ButtonWidth, 25}},
      {Button, "BranchTargetBtn", "&Branch Target", {ButtonLeft, 94, ButtonWidth, 25}},
      {CancelButton, "CancelBtn", "Cancel", {ButtonLeft, 132, ButtonWidth, 25}},
  };
}

}  // namespace

TSelectElementTypeDlg::TSelectElementTypeDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogFormClient(*this, "SelectElementTypeDlg", "Select an Element Type", DialogWidth, 169);
  BuildDialog(*this, SelectElementTypeTable());
  UserActivityBtn = DialogControl<TButton>(*this, "UserActivityBtn");
  BranchPointBtn = DialogControl<TButton>(*this, "BranchPointBtn");
  BranchTargetBtn = DialogControl<TButton>(*this, "BranchTargetBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  UserActivityBtn->ModalResult = mrUserActivity;
  BranchPointBtn->ModalResult = mrBranchPoint;
  BranchTargetBtn->ModalResult = mrBranchTarget;
  ActiveControl = UserActivityBtn;
}

}  // namespace qm
