// Comparing two drafts of a script: the elements of both in one list, those
// only the revised draft has in red, those only the original has struck
// out, and an element whose words changed shown word by word; a note before
// each run of changes tells on which page of each draft it lies.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TScriptDocument;

enum class TChange { Same, Added, Removed, Changed, PageNote };

// One element as the comparison reads it: its kind, its text with its
// codes, and the page it lies on.
struct TCompareItem {
  Byte kind = ekAction;
  std::string text;
  int page = 1;
  friend bool operator==(const TCompareItem&, const TCompareItem&) = default;
};

// One element of the result: the text carries the marks of what changed
// (red codes round what was added, strike-out round what was removed),
// except in a character name, whose marks are its format's (marked).
struct TComparedElement {
  Byte kind = ekAction;
  std::string text;
  TChange change = TChange::Same;
  friend bool operator==(const TComparedElement&, const TComparedElement&) = default;
};

struct TComparison {
  std::vector<TComparedElement> elements;
  int added = 0;
  int removed = 0;
  int changed = 0;
  // False when the drafts differ too much to be compared in memory.
  bool complete = true;
};

// The codes the marks are made of.
constexpr Byte AddedOn = 16;  // red
constexpr Byte AddedOff = 17;
constexpr Byte RemovedOn = 14;  // strike-out
constexpr Byte RemovedOff = 15;

// The script's elements as the comparison reads them (page breaks left
// out, each element with its page).
std::vector<TCompareItem> CompareItemsOf(const TScriptDocument& script);

// Compares the drafts element by element.
TComparison CompareScriptItems(const std::vector<TCompareItem>& original, const std::vector<TCompareItem>& revised);

// The changed words of one element: removed words struck out, added
// words in red, the rest as they were.
std::string CompareWords(const std::string& original, const std::string& revised);

// Gives the result's character names their marks as formats (a name's
// text holds no codes): struck out when removed, red when added. The
// script's elements are the comparison's, in order.
void MarkComparedNames(TScriptDocument& result, const TComparison& comparison);

// The message that sums the comparison up.
std::string ComparisonSummary(const TComparison& comparison);

}  // namespace qm
