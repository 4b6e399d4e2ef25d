#include "thes_dic_writer.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>

#include "language/thesaurus/thes_dic.h"
#include "script/model/packed_text.h"

namespace qm::thesaurus_build {

using namespace qm::thesaurus;

namespace {

constexpr std::size_t MaxBlockBytes = 0xFFFF;
constexpr std::size_t MaxNumbers = 0xFFFF;
const std::string Separator = "aa";

bool IsKeyWord(const std::string& w) {
  if (w.empty() || w[0] < 'a' || w[0] > 'z') return false;
  if (w.size() > 1 && (w[1] < 'a' || w[1] > 'z')) return false;
  return std::all_of(w.begin(), w.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

struct TKey {
  std::string word;
  std::vector<std::string> lines;  // synonyms, Separator between senses
};

bool IsPlainWord(const std::string& w) {
  return std::none_of(w.begin(), w.end(), [](char c) { return c == ' ' || (c >= 'A' && c <= 'Z'); });
}

}  // namespace

bool IsThesDicKey(const std::string& word) { return IsKeyWord(word); }

std::vector<std::string> KeySynonymLines(const TDatabaseSource& source, const std::string& word,
                                         const std::vector<std::size_t>& senses) {
  std::vector<std::string> lines;
  for (const std::size_t sense : senses) {
    std::vector<std::string> others;
    for (const auto& w : source.synsets[sense].words)
      if (w != word && w != Separator && std::find(lines.begin(), lines.end(), w) == lines.end() &&
          PackText(w).size() < WordRecordBytes)
        others.push_back(w);
    if (others.empty()) continue;
    if (!lines.empty()) lines.push_back(Separator);
    lines.insert(lines.end(), others.begin(), others.end());
  }
  if (lines.size() > MaxSynonymLines) lines.resize(MaxSynonymLines);
  while (!lines.empty() && lines.back() == Separator) lines.pop_back();
  return lines;
}

std::vector<std::string> NumberedSynonyms(const std::map<std::string, std::size_t>& uses, std::size_t limit) {
  std::vector<std::pair<std::size_t, std::string>> byUse;
  for (const auto& [word, count] : uses) byUse.emplace_back(count, word);
  // A name or phrase fills a few lists; a plain word is what a writer looks
  // up, so every plain word is numbered before them, however rare.
  std::stable_sort(byUse.begin(), byUse.end(), [](const auto& a, const auto& b) {
    const bool aPlain = IsPlainWord(a.second);
    if (aPlain != IsPlainWord(b.second)) return aPlain;
    return a.first > b.first;
  });
  if (byUse.size() > limit) byUse.resize(limit);
  std::vector<std::string> words;
  for (auto& entry : byUse) words.push_back(std::move(entry.second));
  return words;
}

std::vector<Byte> SaveThesDic(const TDatabaseSource& source) {
  // Every key word with the other words of its senses.
  std::vector<TKey> keys;
  std::map<std::string, std::size_t> uses;
  for (const auto& [word, senses] : source.index) {
    if (!IsKeyWord(word)) continue;
    TKey key{word, KeySynonymLines(source, word, senses)};
    if (key.lines.empty()) continue;
    for (const auto& line : key.lines) ++uses[line];
    keys.push_back(std::move(key));
  }
  const std::vector<std::string> words = NumberedSynonyms(uses, MaxNumbers);
  std::map<std::string, Word> numbers;
  for (std::size_t k = 0; k < words.size(); ++k) numbers[words[k]] = static_cast<Word>(k + 1);

  // Key blocks by letter pair; the words with most senses first when a
  // pair's block would pass its 16-bit length.
  std::array<std::vector<Byte>, 26 * 26> blocks;
  std::array<std::vector<const TKey*>, 26 * 26> byPair;
  std::map<std::string, std::size_t> senseCount;
  for (const auto& [word, senses] : source.index) senseCount[word] = senses.size();
  for (const auto& key : keys) {
    const int f = key.word[0] - 'a';
    const int s = key.word.size() < 2 ? 0 : key.word[1] - 'a';
    byPair[f * 26 + s].push_back(&key);
  }
  for (std::size_t pair = 0; pair < byPair.size(); ++pair) {
    auto& list = byPair[pair];
    std::stable_sort(list.begin(), list.end(),
                     [&](const TKey* a, const TKey* b) { return senseCount[a->word] > senseCount[b->word]; });
    for (const TKey* key : list) {
      // Words left without a number leave no empty sense behind.
      std::vector<Word> synonyms;
      const Word separator = numbers.count(Separator) ? numbers[Separator] : 0;
      for (const auto& line : key->lines) {
        const auto number = numbers.find(line);
        if (number == numbers.end()) continue;
        if (number->second == separator && (synonyms.empty() || synonyms.back() == separator)) continue;
        synonyms.push_back(number->second);
      }
      while (!synonyms.empty() && synonyms.back() == separator) synonyms.pop_back();
      const std::string packed = PackText(key->word);
      if (synonyms.empty() || packed.size() > 255 || synonyms.size() > 255) continue;
      auto& block = blocks[pair];
      if (block.size() + 2 + packed.size() + 2 * synonyms.size() > MaxBlockBytes) continue;
      block.push_back(static_cast<Byte>(packed.size()));
      block.insert(block.end(), packed.begin(), packed.end());
      block.push_back(static_cast<Byte>(synonyms.size()));
      for (const Word n : synonyms) {
        block.push_back(static_cast<Byte>(n));
        block.push_back(static_cast<Byte>(n >> 8));
      }
    }
  }

  // The pointer table follows the letter-pair index: entry k at base + 3k.
  const std::size_t tableAt = LetterPairIndexAt + blocks.size() * LetterPairEntryBytes;
  const std::size_t base = tableAt - 3;
  std::vector<Byte> file(tableAt + 3 * words.size(), 0);
  file[0] = static_cast<Byte>(base >> 8);
  file[1] = static_cast<Byte>(base);
  auto put24 = [&file](std::size_t at, std::size_t v) {
    if (v > 0xFFFFFF) throw std::length_error("THES.DIC passes 24-bit offsets");
    file[at] = static_cast<Byte>(v);
    file[at + 1] = static_cast<Byte>(v >> 8);
    file[at + 2] = static_cast<Byte>(v >> 16);
  };
  for (std::size_t pair = 0; pair < blocks.size(); ++pair) {
    const std::size_t entry = LetterPairIndexAt + pair * LetterPairEntryBytes;
    put24(entry, blocks[pair].empty() ? 0 : file.size());
    file[entry + 3] = static_cast<Byte>(blocks[pair].size() >> 8);
    file[entry + 4] = static_cast<Byte>(blocks[pair].size());
    file.insert(file.end(), blocks[pair].begin(), blocks[pair].end());
  }
  for (std::size_t k = 1; k <= words.size(); ++k) {
    put24(base + 3 * k, file.size());
    const std::string packed = PackText(words[k - 1]);
    file.push_back(static_cast<Byte>(packed.size()));
    file.insert(file.end(), packed.begin(), packed.end());
  }
  return file;
}

}  // namespace qm::thesaurus_build
