#include "story/card_shuffle.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "base/message_boxes.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/script_window.h"
#include "story/card_view_undo.h"

namespace qm {

int TCardSelection::Count() const {
  return static_cast<int>(std::count_if(Slots.begin(), Slots.end(), [](Word s) { return s != 0; }));
}

bool TCardSelection::Contains(int card) const {
  return card > 0 && std::find(Slots.begin(), Slots.end(), static_cast<Word>(card)) != Slots.end();
}

TPickResult PickCard(TCardSelection& selection, const TCardTable& table, int card, bool printPicking) {
  if (card < 1 || card > MaxCards || !table[card].first) {
    MessageBeep(0);
    return TPickResult::NoCard;
  }
  auto& Slots = selection.Slots;
  const auto found = std::find(Slots.begin(), Slots.end(), static_cast<Word>(card));
  if (!printPicking && found != Slots.end()) {
    std::move(found + 1, Slots.end(), found);
    Slots.back() = 0;
    return TPickResult::Dropped;
  }
  const auto empty = std::find(Slots.begin(), Slots.end(), Word{0});
  if (empty == Slots.end()) {
    ShowMessageBox("You can ONLY shuffle a maximum of 15 cards at a time!", "");
    return TPickResult::Full;
  }
  *empty = static_cast<Word>(card);
  return TPickResult::Picked;
}

bool DropCards(TCardTable& table, TCardSelection& selection, int target, bool* moved) {
  if (moved) *moved = false;
  const int count = selection.Count();
  if (count == 0 || target < 1 || target > MaxCards + 1) return false;
  const bool here = target <= MaxCards && table[target].first;
  if (!here && !(target > 1 && table[target - 1].first)) return false;
  if (selection.Contains(target)) {
    selection.Clear();
    return true;
  }
  std::vector<int> picked(selection.Slots.begin(), selection.Slots.begin() + count);
  if (count == 1 && picked[0] + 1 == target) {
    // A card dropped on the one after it: the two change places.
    if (!here) {
      MessageBeep(0);
      return false;
    }
    picked[0] = target;
    --target;
  }
  std::vector<TCardEntry> moving;
  for (int card : picked) moving.push_back(table[card]);
  std::vector<int> descending = picked;
  std::sort(descending.rbegin(), descending.rend());
  auto& e = table.entries;
  for (int card : descending) {
    if (card < target) --target;
    std::move(e.begin() + card + 1, e.end(), e.begin() + card);
    e.back() = {};
  }
  const auto gap = e.begin() + target;
  std::move_backward(gap, e.end() - static_cast<std::ptrdiff_t>(moving.size()), e.end());
  std::copy(moving.begin(), moving.end(), gap);
  selection.Clear();
  if (moved) *moved = true;
  return true;
}

void ApplyCardOrder(TMDIChild& script, const TCardTable& table, int current) {
  const int count = table.Count();
  if (count == 0) return;
  std::vector<TScriptElement*> firsts;
  firsts.reserve(static_cast<std::size_t>(count));
  for (int k = 1; k <= count; ++k) firsts.push_back(table[k].first);
  TScriptElement* goal = current >= 1 && current <= count ? table[current].first : nullptr;
  editor::Assemble(script);
  SaveCardUndoStep(script);
  // The automatic breaks go first: a heading that opened a page gets its
  // own lines before back, and no break travels with the scene before it.
  editor::MakeCurrent(script, *firsts.front(), 0);
  editor::Assemble(script);
  script.RejoinSplitElements();
  const std::unordered_set<const TScriptElement*> starts(firsts.begin(), firsts.end());
  const auto runEnd = [&](TScriptElement* e) {
    while (e->next && !starts.contains(e->next)) e = e->next;
    return e;
  };
  TScriptElement* lead = starts.contains(script.FirstElement) ? nullptr : runEnd(script.FirstElement);
  std::vector<editor::TElementRun> runs;
  runs.reserve(firsts.size());
  for (TScriptElement* first : firsts) runs.push_back({first, runEnd(first)});
  editor::RelinkRuns(script, lead, runs);
  editor::MakeCurrent(script, goal ? *goal : *script.FirstElement, 0);
  script.RefreshKeepingCursor();
  editor::SetActiveScriptModifiedUnrevised();
}

}  // namespace qm
