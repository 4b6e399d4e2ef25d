// The index-card print layout: how many cards across and down a sheet,
// the margins, boxes, bold headlines and the card font, kept in the
// settings file.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

inline constexpr const char* CardPrintingSection = "Index Card Printing";

// Margins in hundredths of an inch.
struct TCardPrintLayout {
  int CardsAcross = 2;
  int CardsDown = 2;
  bool Landscape = false;
  bool DrawBoxes = true;
  bool BoldHeadlines = true;
  int TopMargin = 30;
  int LeftMargin = 30;
  int InterCardMargin = 30;
  std::string FontName = "Courier New";
  int FontSize = 12;
  Byte FontStyle = 0;  // bold 1, italic 2, underline 4, strike-out 8
};

inline constexpr int MaxCardsPerSide = 10;
inline constexpr int MaxCardMargin = 500;

// The saved layout; the defaults where a key is missing or the file
// cannot be read, every value kept in its range.
TCardPrintLayout ReadCardPrintLayout();
// Throws EIniFileError when the settings file cannot be written.
void WriteCardPrintLayout(const TCardPrintLayout& layout);

}  // namespace qm
