// The index-card print layout ("Setup Index Card Printing"): how many
// cards across and down a sheet, the margins, boxes, bold headlines and
// the card font, kept in the settings file.
#pragma once

#include <string>

#include "platform/forms.h"
#include "platform/types.h"
#include "printing/card_print_layout.h"

namespace qm {

class TPrintCardsDlg : public TForm {
 public:
  explicit TPrintCardsDlg(TComponent* owner);

  // The "Select Range of Cards to Print" button's result.
  static constexpr TModalResult mrPickRange = mrYes;

  TEdit* CardsAcross = nullptr;
  TEdit* CardsDown = nullptr;
  TRadioButton* Portrait = nullptr;
  TRadioButton* Landscape = nullptr;
  TCheckBox* DrawBoxes = nullptr;
  TCheckBox* BoldHeadlines = nullptr;
  TEdit* TopMarginEdit = nullptr;
  TEdit* LeftMarginEdit = nullptr;
  TEdit* InterCardMarginEdit = nullptr;
  TComboBox* FontNameBox = nullptr;
  TEdit* FontSizeEdit = nullptr;
  TCheckBox* FontBoldBox = nullptr;
  TCheckBox* FontItalicBox = nullptr;
  TCheckBox* DefaultBox = nullptr;
  TButton* PrintAllBtn = nullptr;
  TButton* Printbtn = nullptr;
  TButton* OkBtn = nullptr;
  TButton* CancelBtn = nullptr;

  // The card font: name (at most 255 characters), size in points, style
  // bits (bold 1, italic 2, underline 4, strike-out 8).
  std::string FontName = "Courier New";
  Byte FontSize = 10;
  Byte CardFontStyle = 0;

  // The margins in hundredths of an inch, read as inches with two
  // decimals and kept between the dialog's smallest margin and 500;
  // the one reader of the card margins.
  int TopMarginValue() const;
  int LeftMarginValue() const;
  int InterCardMarginValue() const;

  // As the options dialog shows it: OK only, the layout always saved.
  void SetSetupMode();
  void ShowLayout(const TCardPrintLayout& layout);
  // The layout the controls hold, numbers kept in range; the font as
  // last read (ReadFont).
  TCardPrintLayout Layout() const;
  // Reads and writes the layout in the settings file; a failed write is
  // reported to the writer.
  void LoadLayout();
  void SaveLayout();
  // The font fields from the controls; false with a message when invalid.
  bool ReadFont();

 private:
  int shownAcross_ = 2;
  int shownDown_ = 2;
};

}  // namespace qm
