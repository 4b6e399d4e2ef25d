// Breakdown tags across a card's write-back. A card shows its scene's
// words without their tags; when the card's text goes back into the
// script, every tag whose words the writer left as they were wraps them
// again. A tag whose own words the writer edited goes, and its words stay
// in the script untagged, to be tagged again in tagging mode.
#pragma once

#include <string>
#include <vector>

namespace qm {

// The texts of a card's elements after the write-back (heading first),
// with the tags of the texts they replace put back round every tagged run
// of words that is still there unchanged (letter case aside: a card shows
// an all-capitals element in capitals). Tag bytes already in `newTexts`
// are dropped first.
std::vector<std::string> KeepCardTags(const std::vector<std::string>& oldTexts, std::vector<std::string> newTexts);

}  // namespace qm
