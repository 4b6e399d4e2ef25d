#include "printing/print_cards_dialog.h"

#include <algorithm>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "platform/dialog_builder.h"
#include "platform/platform.h"
#include "script/model/string_utils.h"
#include "script/pagination/repagination.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int MaxMargin = 500;

TDialogTable PrintCardsTable() {
  return {
      {Label, "AcrossLabel", "Cards &Across:", {12, 14, 90, 16}},
      {Edit, "CardsAcross", "2", {110, 10, 40, 22}},
      {Label, "DownLabel", "Cards &Down:", {170, 14, 80, 16}},
      {Edit, "CardsDown", "3", {256, 10, 40, 22}},
      {RadioButton, "Portrait", "P&ortrait", {12, 42, 90, 20}},
      {RadioButton, "Landscape", "&Landscape", {110, 42, 100, 20}},
      {CheckBox, "DrawBoxes", "Draw &Boxes around Cards", {12, 68, 200, 20}},
      {CheckBox, "BoldHeadlines", "Bold &Headlines", {220, 68, 140, 20}},
      {Label, "TopLabel", "&Top/Btm Margins:", {12, 100, 110, 16}},
      {Edit, "TopMarginEdit", "0.50", {130, 96, 50, 22}},
      {Label, "LeftLabel", "Lft/&Rght Margins:", {190, 100, 110, 16}},
      {Edit, "LeftMarginEdit", "0.50", {306, 96, 50, 22}},
      {Label, "InterLabel", "&Inter-Card Margins:", {12, 128, 110, 16}},
      {Edit, "InterCardMarginEdit", "0.25", {130, 124, 50, 22}},
      {Label, "FontLabel", "Card &Font:", {12, 160, 70, 16}},
      {ComboBox, "FontNameBox", "", {86, 156, 150, 22}},
      {Edit, "FontSizeEdit", "10", {242, 156, 36, 22}},
      {CheckBox, "FontBoldBox", "Bold", {284, 158, 50, 20}},
      {CheckBox, "FontItalicBox", "Italic", {336, 158, 60, 20}},
      {CheckBox, "DefaultBox", "Sa&ve as Default", {12, 188, 160, 20}},
      {Button, "PrintAllBtn", "&Print All Cards", {12, 220, 120, 25}},
      {Button, "Printbtn", "Select &Range of Cards to Print", {140, 220, 200, 25}},
      {OkButton, "OkBtn", "OK", {180, 256, 80, 25}},
      {CancelButton, "CancelBtn", "Cancel", {270, 256, 80, 25}},
  };
}

int MarginValue(const TEdit& edit, int minimum) {
  const std::string text = StepDecimalText(edit.Text(), 0, 2, minimum, MaxMargin);
  const std::size_t dot = text.find('.');
  const int value = std::atoi(text.substr(0, dot).c_str()) * 100 + std::atoi(text.substr(dot + 1).c_str());
  // An empty edit reads as 0 unstepped: it too keeps the smallest margin.
  return std::clamp(value, minimum, MaxMargin);
}

std::string Inches(int hundredths) {
  std::string cents = std::to_string(hundredths % 100);
  if (cents.size() < 2) cents.insert(0, "0");
  return std::to_string(hundredths / 100) + "." + cents;
}

}  // namespace

TPrintCardsDlg::TPrintCardsDlg(TComponent* owner) : TForm(owner) {
  Name = "PrintCardsDlg";
  Caption = "Setup Index Card Printing";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 372, 320);
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
  Printbtn->ModalResult = mrYes;
  for (const std::string& family : Platform::Current().backend().Metrics().Families()) FontNameBox->Items.Add(family);
  Portrait->SetChecked(true);
  LoadLayout();
}

int TPrintCardsDlg::TopMarginValue() const { return MarginValue(*TopMarginEdit, PrinterMetrics.MinTopMargin * 10); }
int TPrintCardsDlg::LeftMarginValue() const { return MarginValue(*LeftMarginEdit, PrinterMetrics.MinLeftMargin * 10); }
int TPrintCardsDlg::InterCardMarginValue() const { return MarginValue(*InterCardMarginEdit, 0); }

void TPrintCardsDlg::SetSetupMode() {
  OkBtn->Visible = true;
  Printbtn->Visible = false;
  PrintAllBtn->Visible = false;
  DefaultBox->Visible = false;
  DefaultBox->SetChecked(true);
  OkBtn->ModalResult = mrNone;
  OkBtn->OnClick = [this](TObject*) {
    if (!ReadFont()) return;
    SaveLayout();
    ModalResult = mrOk;
  };
}

bool TPrintCardsDlg::ReadFont() {
  const std::string size = FontSizeEdit->Text();
  const int points = size.find_first_not_of("0123456789") == std::string::npos && !size.empty() && size.size() <= 3
                         ? std::atoi(size.c_str())
                         : 0;
  if (points < 4 || points > 72) {
    ShowMessageBox("The card font size must be a whole number from 4 to 72.", "Attention");
    return false;
  }
  const std::string name = FontNameBox->Text();
  if (name.find_first_not_of(' ') == std::string::npos) {
    ShowMessageBox("Choose the font of the cards.", "Attention");
    return false;
  }
  FontName = name.substr(0, 255);
  FontSize = static_cast<Byte>(points);
  CardFontStyle = static_cast<Byte>((CardFontStyle & ~3) | (FontBoldBox->Checked() ? 1 : 0) | (FontItalicBox->Checked() ? 2 : 0));
  return true;
}

void TPrintCardsDlg::LoadLayout() {
  try {
    const TIniFile ini = OpenSettingsFile();
    const char* s = CardPrintingSection;
    CardsAcross->Text = std::to_string(std::clamp(ini.ReadInteger(s, "Cards Across", 2), 1, 9));
    CardsDown->Text = std::to_string(std::clamp(ini.ReadInteger(s, "Cards Down", 3), 1, 9));
    const bool landscape = ini.ReadBool(s, "Landscape", false);
    Landscape->SetChecked(landscape);
    Portrait->SetChecked(!landscape);
    DrawBoxes->SetChecked(ini.ReadBool(s, "Draw Boxes", true));
    BoldHeadlines->SetChecked(ini.ReadBool(s, "Bold Headlines", true));
    TopMarginEdit->Text = Inches(std::clamp(ini.ReadInteger(s, "Top Margin", 50), 0, MaxMargin));
    LeftMarginEdit->Text = Inches(std::clamp(ini.ReadInteger(s, "Left Margin", 50), 0, MaxMargin));
    InterCardMarginEdit->Text = Inches(std::clamp(ini.ReadInteger(s, "Inter-Card Margin", 25), 0, MaxMargin));
    FontName = ini.ReadString(s, "Font Name", "Courier New").substr(0, 255);
    FontSize = static_cast<Byte>(std::clamp(ini.ReadInteger(s, "Font Size", 10), 4, 72));
    CardFontStyle = static_cast<Byte>(ini.ReadInteger(s, "Card Font Style", 0) & 0x0F);
  } catch (const EIniFileError&) {
    // The form's own defaults stand.
  }
  FontNameBox->Text = FontName;
  FontSizeEdit->Text = std::to_string(FontSize);
  FontBoldBox->SetChecked(CardFontStyle & 1);
  FontItalicBox->SetChecked(CardFontStyle & 2);
}

void TPrintCardsDlg::SaveLayout() {
  try {
    TIniFile ini = OpenSettingsFile();
    const char* s = CardPrintingSection;
    ini.WriteInteger(s, "Cards Across", std::clamp(std::atoi(CardsAcross->Text().c_str()), 1, 9));
    ini.WriteInteger(s, "Cards Down", std::clamp(std::atoi(CardsDown->Text().c_str()), 1, 9));
    ini.WriteBool(s, "Landscape", Landscape->Checked());
    ini.WriteBool(s, "Draw Boxes", DrawBoxes->Checked());
    ini.WriteBool(s, "Bold Headlines", BoldHeadlines->Checked());
    ini.WriteInteger(s, "Top Margin", TopMarginValue());
    ini.WriteInteger(s, "Left Margin", LeftMarginValue());
    ini.WriteInteger(s, "Inter-Card Margin", InterCardMarginValue());
    ini.WriteString(s, "Font Name", FontName);
    ini.WriteInteger(s, "Font Size", FontSize);
    ini.WriteInteger(s, "Card Font Style", CardFontStyle);
  } catch (const EIniFileError&) {
    ShowMessageBox("The index card layout could not be saved in the settings file.", "Warning");
  }
}

}  // namespace qm
