// The card print layout dialog's form.
#include "story/print_cards_dialog.h"

#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable PrintCardsTable() {
  TDialogTable table = {
      {Label, "AcrossLabel", "Cards &Across:", {12, 14, 0, 0}},
      {Edit, "CardsAcross", "", {130, 10, 50, 22}},
      {Label, "DownLabel", "Cards &Down:", {12, 44, 0, 0}},
      {Edit, "CardsDown", "", {130, 40, 50, 22}},
      {Panel, "OrientationPanel", "", {200, 8, 140, 56}},
      {RadioButton, "Portrait", "P&ortrait", {4, 4, 120, 20}, "OrientationPanel"},
      {RadioButton, "Landscape", "&Landscape", {4, 30, 120, 20}, "OrientationPanel"},
      {CheckBox, "DrawBoxes", "Draw &Boxes", {12, 76, 150, 20}},
      {CheckBox, "BoldHeadlines", "Bold &Headlines", {200, 76, 150, 20}},
      {Label, "TopLabel", "&Top/Btm Margins:", {12, 110, 0, 0}},
      {Edit, "TopMargin", "", {150, 106, 60, 22}},
      {Label, "LeftLabel", "Lft/&Rght Margins:", {12, 140, 0, 0}},
      {Edit, "LeftMargin", "", {150, 136, 60, 22}},
      {Label, "InterLabel", "&Inter-Card Margins:", {12, 170, 0, 0}},
      {Edit, "InterCardMargin", "", {150, 166, 60, 22}},
      {CheckBox, "DefaultBox", "&Save as the default Layout ", {12, 200, 250, 20}},
      {Button, "PrintAllBtn", "&Print All Cards", {12, 232, 150, 26}},
      {Button, "Printbtn", "Select &Range of Cards to Print", {170, 232, 220, 26}},
      {CancelButton, "CancelBtn", "&Cancel", {398, 232, 80, 26}},
  };
  return table;
}

}  // namespace

TPrintCardsDlg::TPrintCardsDlg(TComponent* owner) : TForm(owner) {
  Name = "PrintCardsDlg";
  Caption = "Setup Index Card Printing";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetClientWidth(490);
  SetClientHeight(270);
  BuildDialog(*this, PrintCardsTable());
  CardsAcross = DialogControl<TEdit>(*this, "CardsAcross");
  CardsDown = DialogControl<TEdit>(*this, "CardsDown");
  Portrait = DialogControl<TRadioButton>(*this, "Portrait");
  Landscape = DialogControl<TRadioButton>(*this, "Landscape");
  DrawBoxes = DialogControl<TCheckBox>(*this, "DrawBoxes");
  BoldHeadlines = DialogControl<TCheckBox>(*this, "BoldHeadlines");
  TopMargin = DialogControl<TEdit>(*this, "TopMargin");
  LeftMargin = DialogControl<TEdit>(*this, "LeftMargin");
  InterCardMargin = DialogControl<TEdit>(*this, "InterCardMargin");
  DefaultBox = DialogControl<TCheckBox>(*this, "DefaultBox");
  PrintAllBtn = DialogControl<TButton>(*this, "PrintAllBtn");
  Printbtn = DialogControl<TButton>(*this, "Printbtn");
  PrintAllBtn->ModalResult = mrOk;
  PrintAllBtn->Default = true;
  Printbtn->ModalResult = mrPickRange;
  ShowLayout(TCardPrintLayout{});
}

}  // namespace qm
