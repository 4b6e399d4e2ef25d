#include "language/thesaurus/wordnet_files.h"

#include <fstream>
#include <sstream>

namespace qm::testing {

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> fields;
  for (std::string f; in >> f;) fields.push_back(f);
  return fields;
}

std::string Spaced(std::string word) {
  for (char& c : word) c = c == '_' ? ' ' : c;
  const std::size_t paren = word.find('(');
  if (paren != std::string::npos && word.back() == ')') word.resize(paren);
  return word;
}

// Data lines are found by their offset field, so a cut-down file serves too.
std::string DataLine(const std::string& path, const std::string& offset) {
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);)
    if (line.compare(0, offset.size() + 1, offset + " ") == 0) return line;
  return {};
}

}  // namespace

std::string FixtureWordNet() { return std::string(QM_SOURCE_DIR) + "/tests/language/thesaurus/wordnet"; }

std::vector<TWordNetSense> WordNetSenses(const std::string& folder, const std::string& lemma) {
  std::vector<TWordNetSense> senses;
  const char* const parts[] = {"noun", "verb", "adj", "adv"};
  for (int c = 0; c < 4; ++c) {
    std::ifstream index(folder + "/index." + parts[c]);
    for (std::string line; std::getline(index, line);) {
      const auto f = Fields(line);
      if (f.empty() || f[0] != lemma) continue;
      const std::size_t count = std::stoul(f[2]);
      for (std::size_t s = f.size() - count; s < f.size(); ++s) {
        const std::string data = DataLine(folder + "/data." + parts[c], f[s]);
        const std::size_t bar = data.find(" | ");
        const auto d = Fields(data.substr(0, bar));
        TWordNetSense sense;
        sense.wordClass = c;
        const std::size_t words = std::stoul(d.at(3), nullptr, 16);
        for (std::size_t w = 0; w < words; ++w) sense.words.push_back(Spaced(d.at(4 + 2 * w)));
        sense.gloss = data.substr(bar + 3);
        while (!sense.gloss.empty() && sense.gloss.back() == ' ') sense.gloss.pop_back();
        senses.push_back(sense);
      }
    }
  }
  return senses;
}

}  // namespace qm::testing
