// Printing the index cards: several cards to a sheet in a layout of cards
// across and down, with margins, optional boxes and bold headlines, each
// card its number and heading over its scene's text.
#pragma once

#include <string>

#include "platform/types.h"
#include "story/index_cards.h"

namespace qm {

class TMDIChild;
struct TPrintRunGlobals;

// The layout the card print dialog sets (margins in hundredths of an inch).
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

// The saved layout ([Index Card Printing] of the settings file), the
// defaults where a key is missing.
TCardPrintLayout ReadCardPrintLayout();
void WriteCardPrintLayout(const TCardPrintLayout& layout);

// Where the cards of a sheet go, in printer units on the printable area.
struct TCardGeometry {
  int Gap = 0;     // between cards, both ways
  int Left = 0;    // the first card's corner
  int Top = 0;
  int Width = 0;   // of one card
  int Height = 0;
};
TCardGeometry CardPrintGeometry(const TCardPrintLayout& layout, const TPrintRunGlobals& run);

// A card's text as printed: a single line break joins its lines, a run of
// them stays; hard blanks and dashes print as such and the other codes go.
std::string PrintableCardText(std::string_view text);

// Prints cards `from` to `to` (either order) of the table; false when the
// printer was busy, no run opened or the writer cancelled.
bool PrintCards(const TMDIChild& script, const TCardTable& table, int from, int to, const TCardPrintLayout& layout,
                bool vertical);

}  // namespace qm
