#include "story/branch_point_dialog.h"

#include "base/document_table.h"
#include "platform/dialog_builder.h"
#include "script/editing/undo_steps.h"
#include "script/layout/screen_rebuild.h"

namespace qm::story {

namespace {

using enum TDialogItemKind;

const TDialogTable& JumpTable() {
  static const TDialogTable table = {
      {Label, "SourceLabel", "Available Branch Targets", {8, 8, 200, 16}},
      {ListBox, "Source", "", {8, 28, 220, 220}},
      {SpeedButton, "IncludeBtn", ">", {236, 50, 40, 24}},
      {SpeedButton, "IncAllBtn", ">>", {236, 80, 40, 24}},
      {SpeedButton, "ExcludeBtn", "<", {236, 130, 40, 24}},
      {SpeedButton, "ExAllBtn", "<<", {236, 160, 40, 24}},
      {Label, "JumpLabel", "Current Branch Point", {284, 8, 200, 16}},
      {ListBox, "JumpList", "", {284, 28, 220, 220}},
      {Button, "NewBtn", "Create &New Branch Target", {8, 258, 180, 25}},
      {Button, "PerformJumpBtn", "Build and &Perform Branch", {196, 258, 180, 25}},
      {Button, "ContinueBtn", "&Build the Branch Point", {8, 290, 180, 25}},
  };
  return table;
}

class TJumpPositionTextDlg : public TForm {
 public:
  explicit TJumpPositionTextDlg(TComponent* owner) : TForm(owner) {
    SetUpDialogForm(*this, "JumpPositionTextDlg", "Enter Text for New Jump Position", 360, 110);
    BuildDialog(*this, TDialogTable{{Edit, "JumpPosition", "", {8, 8, 336, 24}}});
    BuildDialog(*this, ButtonRow(sbOK | sbCancel, {90, 44, 80, 25}, 100));
    auto* edit = DialogControl<TEdit>(*this, "JumpPosition");
    OnShow = [this, edit](TObject*) {
      edit->Text = "";
      ActiveControl = edit;
    };
  }
};

}  // namespace

TJumpDlg::TJumpDlg(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  SetUpDialogForm(*this, "JumpDlg", "Select which Branch Targets to Make Available", 520, 360);
  BuildDialog(*this, JumpTable());
  BuildDialog(*this, ButtonRow(sbCancel | sbHelp, {284, 290, 100, 25}, 110));
  Source = DialogControl<TListBox>(*this, "Source");
  JumpList = DialogControl<TListBox>(*this, "JumpList");
  IncludeBtn = DialogControl<TSpeedButton>(*this, "IncludeBtn");
  IncAllBtn = DialogControl<TSpeedButton>(*this, "IncAllBtn");
  ExcludeBtn = DialogControl<TSpeedButton>(*this, "ExcludeBtn");
  ExAllBtn = DialogControl<TSpeedButton>(*this, "ExAllBtn");
  NewBtn = DialogControl<TButton>(*this, "NewBtn");
  PerformJumpBtn = DialogControl<TButton>(*this, "PerformJumpBtn");
  ContinueBtn = DialogControl<TButton>(*this, "ContinueBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  Source->MultiSelect = true;
  JumpList->MultiSelect = true;
  ContinueBtn->ModalResult = mrOk;
  PerformJumpBtn->ModalResult = mrOk;

  IncludeBtn->OnClick = [this](TObject*) { MoveSelected(*Source, *JumpList); };
  ExcludeBtn->OnClick = [this](TObject*) { MoveSelected(*JumpList, *Source); };
  IncAllBtn->OnClick = [this](TObject*) { MoveAll(*Source, *JumpList); };
  ExAllBtn->OnClick = [this](TObject*) { MoveAll(*JumpList, *Source); };
  Source->OnDblClick = IncludeBtn->OnClick;
  JumpList->OnDblClick = ExcludeBtn->OnClick;
  ContinueBtn->OnClick = [this](TObject*) { Build(true); };
  PerformJumpBtn->OnClick = [this](TObject*) { PerformJump(); };
  // A press takes the keyboard to the button, as a push button's does: the
  // branch then goes to the pick of the branch point's list.
  PerformJumpBtn->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
    if (PerformJumpBtn->CanFocus()) FocusControl(PerformJumpBtn);
  };
  NewBtn->OnClick = [this](TObject*) { CreateNewTarget(); };
  for (TListBox* list : {Source, JumpList}) {
    list->OnEnter = [this, list](TObject*) { ListEnter(*list); };
    list->OnKeyDown = [this, list](TObject*, Word& key, TShiftState) { ListKeyDown(*list, key); };
  }
  // Either list takes the other's entries; only the branch point's own
  // list takes a drop from itself, to change their order.
  const std::vector<TListBox*> lists{Source, JumpList};
  drag_.CanDrop = [](int from, int to) { return from != to || to == 1; };
  drag_.Dropped = [this, lists](int from, int, int to, TPoint at) {
    TListBox& target = *lists[static_cast<std::size_t>(to)];
    MoveSelected(*lists[static_cast<std::size_t>(from)], target, target.ItemAtPos(at, false));
  };
  drag_.Attach(lists);
  OnShow = [this](TObject*) { FormShow(); };
}

std::string AskJumpPositionText() {
  TJumpPositionTextDlg dialog(Application);
  if (dialog.ShowModal() != mrOk) return {};
  return DialogControl<TEdit>(dialog, "JumpPosition")->Text;
}

void ShowBranchPointDialog() {
  TMDIChild* script = ActiveScript();
  if (!script) return;
  {
    // A target made on the way and the branch point built are one change.
    const TSingleUndoStep oneStep;
    TJumpDlg dialog(Application, *script);
    dialog.ShowModal();
  }
  FocusActiveScript();
}

}  // namespace qm::story
