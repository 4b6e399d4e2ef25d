#include "formats/lock_script_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable LockTable() {
  TDialogTable table{
      {CheckBox, "ScenesBox", "Lock &Scene Numbers", {16, 12, 280, 20}},
      {CheckBox, "PagesBox", "Lock &Page Breaks", {16, 36, 280, 20}},
      {CheckBox, "HeadersBox", "Lock &Header Text", {16, 60, 280, 20}},
      {Label, "HeaderLine1Label", "Header Line &1:", {16, 93, 90, 16}},
      {Edit, "HeaderLine1Edit", "", {110, 90, 196, 22}},
      {Label, "HeaderLine2Label", "Header Line &2:", {16, 121, 90, 16}},
      {Edit, "HeaderLine2Edit", "", {110, 118, 196, 22}},
      {CheckBox, "ContinuedsBox", "Add Scene &CONTINUEDs", {16, 148, 280, 20}},
      {GroupBox, "UnlockGroup", "When Unlocking", {8, 90, 304, 92}},
      {CheckBox, "RemoveMarksBox", "Remove &Revision Marks", {8, 20, 280, 20}, "UnlockGroup"},
      {CheckBox, "RemoveOmittedBox", "Remove &OMITTED Scene Headings", {8, 42, 280, 20}, "UnlockGroup"},
      {CheckBox, "UnfixHeadersBox", "&Unfix All Headers", {8, 64, 280, 20}, "UnlockGroup"},
  };
  for (const TDialogItem& button : ButtonRow(sbOK | sbCancel, {70, 194, 80, 25}, 95)) table.push_back(button);
  return table;
}

}  // namespace

TLockScriptDlg::TLockScriptDlg(TComponent* owner, bool unlock) : TForm(owner) {
  SetUpDialogForm(*this, "LockScriptDlg", unlock ? "Unlock The Script" : "Lock The Script", 320, 256);
  BuildDialog(*this, LockTable());
  ScenesBox = DialogControl<TCheckBox>(*this, "ScenesBox");
  PagesBox = DialogControl<TCheckBox>(*this, "PagesBox");
  HeadersBox = DialogControl<TCheckBox>(*this, "HeadersBox");
  HeaderLine1Edit = DialogControl<TEdit>(*this, "HeaderLine1Edit");
  HeaderLine2Edit = DialogControl<TEdit>(*this, "HeaderLine2Edit");
  ContinuedsBox = DialogControl<TCheckBox>(*this, "ContinuedsBox");
  UnlockGroup = DialogControl<TGroupBox>(*this, "UnlockGroup");
  RemoveMarksBox = DialogControl<TCheckBox>(*this, "RemoveMarksBox");
  RemoveOmittedBox = DialogControl<TCheckBox>(*this, "RemoveOmittedBox");
  UnfixHeadersBox = DialogControl<TCheckBox>(*this, "UnfixHeadersBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  UnlockGroup->Visible = unlock;
  if (!unlock) {
    // Without the unlocking choices the buttons sit under the page lines.
    for (TButton* button : {OKBtn, CancelBtn}) button->SetBounds(button->Left, 182, button->Width, button->Height);
    SetBounds(Left, Top, Width, 248);
  } else {
    for (const char* name : {"HeaderLine1Label", "HeaderLine2Label"})
      DialogControl<TLabel>(*this, name)->Visible = false;
    for (TControl* control : std::initializer_list<TControl*>{HeaderLine1Edit, HeaderLine2Edit, ContinuedsBox})
      control->Visible = false;
    ScenesBox->Caption = "&Scene Numbers stay Locked";
    PagesBox->Caption = "&Page Breaks stay Locked";
    HeadersBox->Caption = "&Header Text stays Locked";
  }
}

}  // namespace qm
