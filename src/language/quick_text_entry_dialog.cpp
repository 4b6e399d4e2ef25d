// The alias text entry box's form.
#include "platform/dialog_builder.h"
#include "language/quick_text_entry.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int ButtonsTopBare = 64;
constexpr int ButtonsTopWithCapitals = 100;

}  // namespace

TQuickTextEntryDlg::TQuickTextEntryDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "QuickTextEntryDlg", "Alias Auto-Recognition Text", 290, ButtonsTopBare + 64);
  TDialogTable t = {
      {Label, "TextLabel", "Alias Auto-Recognition Text", {10, 8, 0, 0}},
      {EnterEdit, "TextEdit", "", {10, 28, 260, 22}},
      {Panel, "CapitalsPanel", "", {10, 58, 260, 30}},
      {RadioButton, "AutoBtn", "A&uto", {6, 6, 70, 19}, "CapitalsPanel"},
      {RadioButton, "AsEnteredBtn", "&As Entered", {80, 6, 90, 19}, "CapitalsPanel"},
      {RadioButton, "AllCapsBtn", "ALL &CAPS", {174, 6, 80, 19}, "CapitalsPanel"},
  };
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {60, ButtonsTopBare, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  TextEdit = DialogControl<TEnterEdit>(*this, "TextEdit");
  CapitalsPanel = DialogControl<TPanel>(*this, "CapitalsPanel");
  AutoBtn = DialogControl<TRadioButton>(*this, "AutoBtn");
  AsEnteredBtn = DialogControl<TRadioButton>(*this, "AsEnteredBtn");
  AllCapsBtn = DialogControl<TRadioButton>(*this, "AllCapsBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  AutoBtn->SetChecked(true);
  ShowCapitals(false);
}

void TQuickTextEntryDlg::ShowCapitals(bool shown) {
  CapitalsPanel->Visible = shown;
  const int top = shown ? ButtonsTopWithCapitals : ButtonsTopBare;
  OKBtn->Top = top;
  CancelBtn->Top = top;
  Height = top + 64;
}

}  // namespace qm
