// The index-card print layout dialog's values: the margins, the card
// font, and the layout it shows, gives and keeps in the settings file.
#include <algorithm>
#include <cstdlib>

#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "printing/print_cards_dialog.h"
#include "script/model/string_utils.h"
#include "script/pagination/repagination.h"

namespace qm {

namespace {

int MarginValue(const TEdit& edit, int minimum) {
  const std::string text = StepDecimalText(edit.Text(), 0, 2, minimum, MaxCardMargin);
  const std::size_t dot = text.find('.');
  const int value = std::atoi(text.substr(0, dot).c_str()) * 100 + std::atoi(text.substr(dot + 1).c_str());
  // An empty edit reads as 0 unstepped: it too keeps the smallest margin.
  return std::clamp(value, minimum, MaxCardMargin);
}

std::string Inches(int hundredths) {
  std::string cents = std::to_string(hundredths % 100);
  if (cents.size() < 2) cents.insert(0, "0");
  return std::to_string(hundredths / 100) + "." + cents;
}

// A count of cards from its edit; what was shown when it holds no number.
int CardCount(const TEdit& edit, int shown) {
  const std::string text = edit.Text();
  const char* begin = text.c_str();
  char* end = nullptr;
  const long value = std::strtol(begin, &end, 10);
  if (end == begin) return shown;
  return static_cast<int>(std::clamp<long>(value, 1, MaxCardsPerSide));
}

}  // namespace

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
  CardFontStyle =
      static_cast<Byte>((CardFontStyle & ~3) | (FontBoldBox->Checked() ? 1 : 0) | (FontItalicBox->Checked() ? 2 : 0));
  return true;
}

void TPrintCardsDlg::ShowLayout(const TCardPrintLayout& l) {
  CardsAcross->Text = std::to_string(l.CardsAcross);
  CardsDown->Text = std::to_string(l.CardsDown);
  Landscape->SetChecked(l.Landscape);
  Portrait->SetChecked(!l.Landscape);
  DrawBoxes->SetChecked(l.DrawBoxes);
  BoldHeadlines->SetChecked(l.BoldHeadlines);
  TopMarginEdit->Text = Inches(l.TopMargin);
  LeftMarginEdit->Text = Inches(l.LeftMargin);
  InterCardMarginEdit->Text = Inches(l.InterCardMargin);
  FontName = l.FontName;
  FontSize = static_cast<Byte>(l.FontSize);
  CardFontStyle = l.FontStyle;
  FontNameBox->Text = FontName;
  FontSizeEdit->Text = std::to_string(FontSize);
  FontBoldBox->SetChecked(CardFontStyle & 1);
  FontItalicBox->SetChecked(CardFontStyle & 2);
  shownAcross_ = l.CardsAcross;
  shownDown_ = l.CardsDown;
}

TCardPrintLayout TPrintCardsDlg::Layout() const {
  TCardPrintLayout l;
  l.CardsAcross = CardCount(*CardsAcross, shownAcross_);
  l.CardsDown = CardCount(*CardsDown, shownDown_);
  l.Landscape = Landscape->Checked();
  l.DrawBoxes = DrawBoxes->Checked();
  l.BoldHeadlines = BoldHeadlines->Checked();
  l.TopMargin = TopMarginValue();
  l.LeftMargin = LeftMarginValue();
  l.InterCardMargin = InterCardMarginValue();
  l.FontName = FontName;
  l.FontSize = FontSize;
  l.FontStyle = CardFontStyle;
  return l;
}

void TPrintCardsDlg::LoadLayout() { ShowLayout(ReadCardPrintLayout()); }

void TPrintCardsDlg::SaveLayout() {
  try {
    WriteCardPrintLayout(Layout());
  } catch (const EIniFileError&) {
    ShowMessageBox("The index card layout could not be saved in the settings file.", "Warning");
  }
}

}  // namespace qm
