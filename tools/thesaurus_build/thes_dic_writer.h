// Writes THES.DIC, the program's own synonym file, from the same WordNet
// data as the thesaurus database: each single word with the other words of
// its senses, a separator between senses.
#pragma once

#include <vector>

#include "language/thesaurus/database_writer.h"

namespace qm::thesaurus_build {

// Synonym lines kept per word: enough for a list, and the key blocks of the
// busiest letter pairs stay within their 16-bit length.
constexpr std::size_t MaxSynonymLines = 60;

std::vector<Byte> SaveThesDic(const thesaurus::TDatabaseSource& source);

}  // namespace qm::thesaurus_build
