// Prints how many synonyms of a sample of WordNet's words a built THES.DIC
// lists, and fails when a plain word among them is missing:
//   qm_thesaurus_reach <WordNet dict folder> <THES.DIC> [sample size]
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "synonym_reach.h"
#include "wordnet_source.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: %s <WordNet dict folder> <THES.DIC> [sample size]\n", argv[0]);
    return 2;
  }
  try {
    const std::size_t sample = argc == 4 ? std::strtoul(argv[3], nullptr, 10) : 1000;
    const auto reach =
        qm::thesaurus_build::MeasureSynonymReach(qm::thesaurus_build::ReadWordNet(argv[1]), argv[2], sample);
    const auto percent = [](std::size_t part, std::size_t whole) { return whole ? 100.0 * part / whole : 100.0; };
    std::printf("%zu words: synonyms reachable %zu of %zu (%.1f%%); plain words %zu of %zu (%.1f%%)\n", reach.lemmas,
                reach.reached, reach.synonyms, percent(reach.reached, reach.synonyms), reach.plainReached, reach.plain,
                percent(reach.plainReached, reach.plain));
    for (std::size_t i = 0; i < reach.missing.size() && i < 20; ++i)
      std::printf("  missing %s\n", reach.missing[i].c_str());
    return reach.lemmas > 0 && reach.plainReached == reach.plain ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "thesaurus reach: %s\n", e.what());
    return 1;
  }
}
