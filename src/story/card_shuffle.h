// Reordering the scenes on the index cards: cards are picked (up to 15,
// in the order picked) and dropped in front of another card; the card
// table changes at once, and the script's element list takes the new
// order when the view closes, as one undo step.
#pragma once

#include <array>

#include "platform/types.h"
#include "story/index_cards.h"

namespace qm {

constexpr int MaxPickedCards = 15;

// Card numbers in the order picked, 0 for an empty slot, filled from the
// first slot.
struct TCardSelection {
  std::array<Word, MaxPickedCards> Slots{};
  int Count() const;
  bool Contains(int card) const;
  void Clear() { Slots.fill(0); }
};

enum class TPickResult { Picked, Dropped, NoCard, Full };

// Picks the card or puts it back; while a print range is picked the same
// card may be picked twice. Full shows the 15-card message.
TPickResult PickCard(TCardSelection& selection, const TCardTable& table, int card, bool printPicking);

// Drops the picked cards in front of card `target` (one past the last card
// drops them at the end); false when nothing could move there. `moved`
// tells whether the order changed. The selection is cleared after a drop.
bool DropCards(TCardTable& table, TCardSelection& selection, int target, bool* moved);

// Gives the script the order of the table as one undo step: what stands
// in front of every card stays in front, each card takes what follows it
// up to the next card, and the automatic page breaks are laid anew. The
// first element of card `current` (1-based; 0 for none) becomes current.
void ApplyCardOrder(TMDIChild& script, const TCardTable& table, int current);

}  // namespace qm
