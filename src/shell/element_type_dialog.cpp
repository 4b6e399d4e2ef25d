#include "shell/element_type_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable SelectElementTypeTable() {
  return {
      {Label, "PromptLabel", "What comes next?", {12, 10, 0, 0}},
      {Button, "UserActivityBtn", "&User Activity", {12, 34, 120, 25}},
      {Button, "BranchPointBtn", "B&ranch Point", {12, 64, 120, 25}},
      {Button, "BranchTargetBtn", "&Branch Target", {12, 94, 120, 25}},
      {CancelButton, "CancelBtn", "Cancel", {12, 132, 120, 25}},
  };
}

}  // namespace

TSelectElementTypeDlg::TSelectElementTypeDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogFormClient(*this, "SelectElementTypeDlg", "Select an Element Type", 144, 169);
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
