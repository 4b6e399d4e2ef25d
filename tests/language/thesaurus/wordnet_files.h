// WordNet's own dictionary files read plainly, to hold the thesaurus
// database to what it was built from.
#pragma once

#include <string>
#include <vector>

namespace qm::testing {

// The fixture dictionary beside the tests.
std::string FixtureWordNet();

struct TWordNetSense {
  int wordClass = 0;  // 0 noun, 1 verb, 2 adjective, 3 adverb
  std::vector<std::string> words;
  std::string gloss;
};

// The senses of a lemma, by class and then in the index's order.
std::vector<TWordNetSense> WordNetSenses(const std::string& folder, const std::string& lemma);

}  // namespace qm::testing
