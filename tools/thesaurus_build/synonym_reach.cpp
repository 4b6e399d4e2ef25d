#include "synonym_reach.h"

#include <algorithm>

#include "language/thesaurus/thes_dic.h"
#include "thes_dic_writer.h"

namespace qm::thesaurus_build {

namespace {

bool IsPlain(const std::string& w) {
  return std::none_of(w.begin(), w.end(), [](char c) { return c == ' ' || (c >= 'A' && c <= 'Z'); });
}

}  // namespace

TSynonymReach MeasureSynonymReach(const thesaurus::TDatabaseSource& source, const std::string& dicPath,
                                  std::size_t sampleSize) {
  std::vector<const std::pair<std::string, std::vector<std::size_t>>*> keys;
  for (const auto& entry : source.index)
    if (IsThesDicKey(entry.first) && !KeySynonymLines(source, entry.first, entry.second).empty())
      keys.push_back(&entry);
  TSynonymReach reach;
  std::vector<std::string> missingNames;
  const std::size_t count = std::min(sampleSize, keys.size());
  for (std::size_t i = 0; i < count; ++i) {
    const auto& [word, senses] = *keys[i * keys.size() / count];
    const auto listed = thesaurus::ReadThesDicSynonyms(dicPath, word).lines;
    ++reach.lemmas;
    for (const auto& synonym : KeySynonymLines(source, word, senses)) {
      if (synonym == "aa") continue;
      const bool found = std::find(listed.begin(), listed.end(), synonym) != listed.end();
      const bool plain = IsPlain(synonym);
      ++reach.synonyms;
      reach.reached += found;
      reach.plain += plain;
      reach.plainReached += plain && found;
      if (!found) (plain ? reach.missing : missingNames).push_back(word + ": " + synonym);
    }
  }
  reach.missing.insert(reach.missing.end(), missingNames.begin(), missingNames.end());
  return reach;
}

}  // namespace qm::thesaurus_build
