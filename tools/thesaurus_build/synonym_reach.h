// How much of WordNet a built THES.DIC gives back: for a sample of key
// words, which of the synonyms their lists have room for the synonym
// dialog actually lists.
#pragma once

#include <string>
#include <vector>

#include "language/thesaurus/database_writer.h"

namespace qm::thesaurus_build {

struct TSynonymReach {
  std::size_t lemmas = 0;    // key words sampled
  std::size_t synonyms = 0;  // synonyms of their lists (separators not counted)
  std::size_t reached = 0;   // of those, listed by the dialog's reader
  std::size_t plain = 0;     // synonyms that are plain words (lower case, no blank)
  std::size_t plainReached = 0;
  std::vector<std::string> missing;  // "key: synonym", plain words first
};

// Samples `sampleSize` key words spread evenly over WordNet's index.
TSynonymReach MeasureSynonymReach(const thesaurus::TDatabaseSource& source, const std::string& dicPath,
                                  std::size_t sampleSize);

}  // namespace qm::thesaurus_build
