// The user dictionary editor's form.
#include "language/spelling/user_dictionary.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

}  // namespace

TUserDictionaryDlg::TUserDictionaryDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "UserDictionaryDlg", "Quillmaster User Dictionary Editor", 340, 330);
  TDialogTable t = {
      {Label, "WordLabel", "&Word:", {8, 10, 0, 0}},       {Edit, "WordEdit", "", {60, 6, 170, 22}},
      {Button, "AddBtn", "&Add", {240, 5, 80, 25}},        {ListBox, "WordList", "", {8, 38, 222, 220}},
      {Button, "DeleteBtn", "&Delete", {240, 38, 80, 25}},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {70, 268, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  WordEdit = DialogControl<TEdit>(*this, "WordEdit");
  WordList = DialogControl<TListBox>(*this, "WordList");
  AddBtn = DialogControl<TButton>(*this, "AddBtn");
  DeleteBtn = DialogControl<TButton>(*this, "DeleteBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  // Enter adds the typed word; OK has a letter of its own instead.
  OKBtn->Default = false;
  OKBtn->Caption = "&OK";
  AddBtn->Default = true;
  AddBtn->OnClick = [this](TObject*) { AddClick(); };
  DeleteBtn->OnClick = [this](TObject*) { DeleteClick(); };
  WordEdit->OnChange = [this](TObject*) { UpdateButtons(); };
  WordList->OnClick = [this](TObject*) { UpdateButtons(); };
  WordList->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { UpdateButtons(); };
  UpdateButtons();
}

}  // namespace qm
