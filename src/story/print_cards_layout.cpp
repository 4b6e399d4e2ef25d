// The card print layout dialog's values: what it shows and what it gives.
#include <algorithm>
#include <stdexcept>

#include "story/print_cards_dialog.h"

namespace qm {

namespace {

std::string Inches(int hundredths) {
  const std::string cents = std::to_string(hundredths % 100);
  return std::to_string(hundredths / 100) + "." + (cents.size() < 2 ? "0" : "") + cents;
}

int WholeNumber(const std::string& text, int fallback) {
  try {
    return std::clamp(std::stoi(text), 1, 10);
  } catch (const std::exception&) {
    return fallback;
  }
}

}  // namespace

int MarginHundredths(const std::string& text, int fallback) {
  try {
    std::size_t used = 0;
    const double inches = std::stod(text, &used);
    if (used == 0) return fallback;
    return std::clamp(static_cast<int>(inches * 100 + 0.5), 0, 500);
  } catch (const std::exception&) {
    return fallback;
  }
}

void TPrintCardsDlg::ShowLayout(const TCardPrintLayout& l) {
  shown_ = l;
  CardsAcross->Text = std::to_string(l.CardsAcross);
  CardsDown->Text = std::to_string(l.CardsDown);
  Landscape->SetChecked(l.Landscape);
  Portrait->SetChecked(!l.Landscape);
  DrawBoxes->SetChecked(l.DrawBoxes);
  BoldHeadlines->SetChecked(l.BoldHeadlines);
  TopMargin->Text = Inches(l.TopMargin);
  LeftMargin->Text = Inches(l.LeftMargin);
  InterCardMargin->Text = Inches(l.InterCardMargin);
}

int TPrintCardsDlg::TopMarginValue() const { return MarginHundredths(TopMargin->Text, shown_.TopMargin); }
int TPrintCardsDlg::LeftMarginValue() const { return MarginHundredths(LeftMargin->Text, shown_.LeftMargin); }
int TPrintCardsDlg::InterCardMarginValue() const {
  return MarginHundredths(InterCardMargin->Text, shown_.InterCardMargin);
}

TCardPrintLayout TPrintCardsDlg::Layout() const {
  TCardPrintLayout l = shown_;
  l.CardsAcross = WholeNumber(CardsAcross->Text, shown_.CardsAcross);
  l.CardsDown = WholeNumber(CardsDown->Text, shown_.CardsDown);
  l.Landscape = Landscape->Checked();
  l.DrawBoxes = DrawBoxes->Checked();
  l.BoldHeadlines = BoldHeadlines->Checked();
  l.TopMargin = TopMarginValue();
  l.LeftMargin = LeftMarginValue();
  l.InterCardMargin = InterCardMarginValue();
  return l;
}

}  // namespace qm
