// The index-card print layout dialog's form.
#include "printing/print_cards_dialog.h"

#include "platform/dialog_builder.h"
#include "platform/platform.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable PrintCardsTable() {
  return {
      {Label, "AcrossLabel", "Cards &Across:", {12, 14, 90, 16}},
      {Edit, "CardsAcross", "", {110, 10, 40, 22}},
      {Label, "DownLabel", "Cards &Down:", {170, 14, 80, 16}},
      {Edit, "CardsDown", "", {256, 10, 40, 22}},
      {RadioButton, "Portrait", "P&ortrait", {12, 42, 90, 20}},
      {RadioButton, "Landscape", "&Landscape", {110, 42, 100, 20}},
      {CheckBox, "DrawBoxes", "Draw &Boxes around Cards", {12, 68, 200, 20}},
      {CheckBox, "BoldHeadlines", "Bold &Headlines", {220, 68, 140, 20}},
      {Label, "TopLabel", "&Top/Btm Margins:", {12, 100, 110, 16}},
      {Edit, "TopMarginEdit", "", {130, 96, 50, 22}},
      {Label, "LeftLabel", "Lft/&Rght Margins:", {190, 100, 110, 16}},
      {Edit, "LeftMarginEdit", "", {306, 96, 50, 22}},
      {Label, "InterLabel", "&Inter-Card Margins:", {12, 128, 110, 16}},
      {Edit, "InterCardMarginEdit", "", {130, 124, 50, 22}},
      {Label, "FontLabel", "Card &Font:", {12, 160, 70, 16}},
      {ComboBox, "FontNameBox", "", {86, 156, 150, 22}},
      {Edit, "FontSizeEdit", "", {242, 156, 36, 22}},
      {CheckBox, "FontBoldBox", "Bold", {284, 158, 50, 20}},
      {CheckBox, "FontItalicBox", "Italic", {336, 158, 60, 20}},
      {CheckBox, "DefaultBox", "&Save as the default Layout ", {12, 188, 200, 20}},
      {Button, "PrintAllBtn", "&Print All Cards", {12, 220, 120, 25}},
      {Button, "Printbtn", "Select &Range of Cards to Print", {140, 220, 200, 25}},
      {OkButton, "OkBtn", "OK", {180, 256, 80, 25}},
      {CancelButton, "CancelBtn", "Cancel", {270, 256, 80, 25}},
  };
}

}  // namespace

TPrintCardsDlg::TPrintCardsDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "PrintCardsDlg", "Setup Index Card Printing", 372, 320);
  BuildDialog(*this, PrintCardsTable());
  CardsAcross = DialogControl<TEdit>(*this, "CardsAcross");
  CardsDown = DialogControl<TEdit>(*this, "CardsDown");
  Portrait = DialogControl<TRadioButton>(*this, "Portrait");
  Landscape = DialogControl<TRadioButton>(*this, "Landscape");
  DrawBoxes = DialogControl<TCheckBox>(*this, "DrawBoxes");
  BoldHeadlines = DialogControl<TCheckBox>(*this, "BoldHeadlines");
  TopMarginEdit = DialogControl<TEdit>(*this, "TopMarginEdit");
  LeftMarginEdit = DialogControl<TEdit>(*this, "LeftMarginEdit");
  InterCardMarginEdit = DialogControl<TEdit>(*this, "InterCardMarginEdit");
  FontNameBox = DialogControl<TComboBox>(*this, "FontNameBox");
  FontSizeEdit = DialogControl<TEdit>(*this, "FontSizeEdit");
  FontBoldBox = DialogControl<TCheckBox>(*this, "FontBoldBox");
  FontItalicBox = DialogControl<TCheckBox>(*this, "FontItalicBox");
  DefaultBox = DialogControl<TCheckBox>(*this, "DefaultBox");
  PrintAllBtn = DialogControl<TButton>(*this, "PrintAllBtn");
  Printbtn = DialogControl<TButton>(*this, "Printbtn");
  OkBtn = DialogControl<TButton>(*this, "OkBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  PrintAllBtn->ModalResult = mrOk;
  PrintAllBtn->Default = true;
  OkBtn->Visible = false;  // only the set-up mode shows it
  Printbtn->ModalResult = mrPickRange;
  for (const std::string& family : Platform::Current().backend().Metrics().Families()) FontNameBox->Items.Add(family);
  Portrait->SetChecked(true);
  LoadLayout();
}

}  // namespace qm
