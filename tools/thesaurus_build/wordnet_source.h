// Reads WordNet 3.0's dictionary files (data.*, index.*, *.exc) into the
// plain data the thesaurus database is written from.
#pragma once

#include <string>

#include "language/thesaurus/database_writer.h"

namespace qm::thesaurus_build {

struct TWordNetCounts {
  std::size_t synsets = 0;
  std::size_t links = 0;
  std::size_t droppedLinks = 0;  // targets missing, or word numbers past 27
  std::size_t indexWords = 0;
};

// Throws std::runtime_error naming the file that is missing or damaged.
thesaurus::TDatabaseSource ReadWordNet(const std::string& folder, TWordNetCounts* counts = nullptr);

// The inflection lists from the exception files and the adjective index.
thesaurus::TWordMorpher::TLists InflectionLists(const std::string& folder);

// The short notice stored in the database itself; the whole licence is
// data/WORDNET-LICENSE.
std::string DatabaseLicence();

}  // namespace qm::thesaurus_build
