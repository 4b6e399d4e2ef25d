// Printing the index cards: several cards to a sheet in a layout of cards
// across and down, with margins, optional boxes and bold headlines, each
// card its number and heading over its scene's text.
#pragma once

#include <string>

#include "platform/types.h"
#include "printing/card_print_layout.h"
#include "story/index_cards.h"

namespace qm {

class TScriptDocument;
struct TPrintRunGlobals;

// Where the cards of a sheet go, in printer units on the printable area.
struct TCardGeometry {
  int Gap = 0;   // between cards, both ways
  int Left = 0;  // the first card's corner
  int Top = 0;
  int Width = 0;  // of one card
  int Height = 0;
};
TCardGeometry CardPrintGeometry(const TCardPrintLayout& layout, const TPrintRunGlobals& run);

// A card's text as printed: a single line break joins its lines with a blank, a
// run of them stays; hard blanks and dashes print as such and the other codes go.
std::string PrintableCardText(std::string_view text);

// Prints cards `from` to `to` (either order) of the table; false when the
// printer was busy, no run opened or the writer cancelled.
bool PrintCards(const TScriptDocument& script, const TCardTable& table, int from, int to,
                const TCardPrintLayout& layout, bool vertical);

}  // namespace qm
