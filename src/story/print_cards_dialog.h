// The card print layout dialog: cards across and down, orientation,
// boxes, bold headlines and the margins; it prints all cards or lets the
// writer pick a range of cards on the view.
#pragma once

#include "platform/forms.h"
#include "story/card_printing.h"

namespace qm {

class TPrintCardsDlg : public TForm {
 public:
  explicit TPrintCardsDlg(TComponent* owner);

  // The "Select Range" button's result.
  static constexpr TModalResult mrPickRange = mrYes;

  void ShowLayout(const TCardPrintLayout& layout);
  // The layout the controls hold; numbers out of range are kept in range.
  TCardPrintLayout Layout() const;
  // Margins in hundredths of an inch from inches with two decimals,
  // kept between 0 and 500.
  int TopMarginValue() const;
  int LeftMarginValue() const;
  int InterCardMarginValue() const;

  TEdit* CardsAcross = nullptr;
  TEdit* CardsDown = nullptr;
  TRadioButton* Portrait = nullptr;
  TRadioButton* Landscape = nullptr;
  TCheckBox* DrawBoxes = nullptr;
  TCheckBox* BoldHeadlines = nullptr;
  TEdit* TopMargin = nullptr;
  TEdit* LeftMargin = nullptr;
  TEdit* InterCardMargin = nullptr;
  TCheckBox* DefaultBox = nullptr;
  TButton* PrintAllBtn = nullptr;
  TButton* Printbtn = nullptr;

 private:
  TCardPrintLayout shown_;
};

// Hundredths of an inch from a text of inches ("0.30"), kept in range;
// `fallback` when the text is no number.
int MarginHundredths(const std::string& text, int fallback);

}  // namespace qm
