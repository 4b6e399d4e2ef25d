// The revision draft colour dialog's form.
#include "shell/revision_colors_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable RevisionColorTable() {
  TDialogTable t = {
      {ListBox, "TheColorList", "", {8, 8, 200, 220}},
      {Label, "NameLabel", "Color &Name:", {220, 8, 0, 0}},
      {EnterEdit, "Edit1", "", {220, 26, 200, 22}},
      {Button, "AddBtn", "Add New Color", {220, 56, 200, 25}},
      {Button, "EditBtn", "Edit Color", {220, 86, 200, 25}},
      {Button, "DeleteBtn", "Delete Color", {220, 116, 200, 25}},
      {Button, "PageColorBtn", "Set Page Display Color", {220, 146, 200, 25}},
      {CheckBox, "DisplayBox", "Display Page Colors On Screen", {220, 178, 200, 19}},
      {Panel, "SamplePanel", "Sample Text", {220, 200, 200, 28}},
      {RadioGroup, "LoopGroup", "After the last Color", {8, 236, 412, 100}},
      {CheckBox, "DefaultsBox", "Set as Defaults for All New Scripts", {8, 344, 300, 19}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel | sbHelp, {160, 372, 80, 25}, 90)) t.push_back(row);
  return t;
}

}  // namespace

TRevisionColorDlg::TRevisionColorDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "RevisionColorDlg", "Setup Revision Draft Color Order", 440, 440);
  BuildDialog(*this, RevisionColorTable());
  TheColorList = DialogControl<TListBox>(*this, "TheColorList");
  Edit1 = DialogControl<TEdit>(*this, "Edit1");
  AddBtn = DialogControl<TButton>(*this, "AddBtn");
  EditBtn = DialogControl<TButton>(*this, "EditBtn");
  DeleteBtn = DialogControl<TButton>(*this, "DeleteBtn");
  PageColorBtn = DialogControl<TButton>(*this, "PageColorBtn");
  LoopGroup = DialogControl<TRadioGroup>(*this, "LoopGroup");
  DisplayBox = DialogControl<TCheckBox>(*this, "DisplayBox");
  DefaultsBox = DialogControl<TCheckBox>(*this, "DefaultsBox");
  SamplePanel = DialogControl<TPanel>(*this, "SamplePanel");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  OKBtn->ModalResult = mrNone;
  OKBtn->OnClick = [this](TObject*) { OKBtnClick(); };
  AddBtn->OnClick = [this](TObject*) { AddColor(); };
  EditBtn->OnClick = [this](TObject*) { EditColor(); };
  DeleteBtn->OnClick = [this](TObject*) { DeleteColor(); };
  PageColorBtn->OnClick = [this](TObject*) { SetPageColor(); };
  TheColorList->OnDblClick = [this](TObject*) { EditColor(); };
  TheColorList->OnClick = [this](TObject*) { Refresh(); };
  DisplayBox->OnClick = [this](TObject*) { Refresh(); };
  Edit1->OnChange = [this](TObject*) { Refresh(); };
  // A drag within the list: pressed on one entry, released on another.
  TheColorList->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
    dragFrom_ = TheColorList->ItemAtPos({x, y});
  };
  TheColorList->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
    const int to = TheColorList->ItemAtPos({x, y});
    if (dragFrom_ >= 0 && to >= 0 && to != dragFrom_) MoveEntry(dragFrom_, to);
    dragFrom_ = -1;
  };
}

}  // namespace qm
