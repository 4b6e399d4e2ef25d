// Builds a thesaurus database file from plain data: the database builder
// tool fills it from WordNet, the tests from a handful of synsets.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "language/thesaurus/word_morpher.h"
#include "platform/types.h"

namespace qm::thesaurus {

struct TLinkSource {
  Byte type = 0;           // a relation number below 12
  std::size_t target = 0;  // index into TDatabaseSource::synsets
  Byte firstNumber = 0;    // 0..27
  Byte secondNumber = 0;   // 0..27
};

struct TSynsetSource {
  Byte wordClass = 0;  // 0..7
  std::vector<std::string> words;
  std::string gloss;
  std::vector<TLinkSource> links;
};

struct TDatabaseSource {
  std::vector<TSynsetSource> synsets;
  // Each index word (as the dictionary writes it) with its senses in order.
  std::vector<std::pair<std::string, std::vector<std::size_t>>> index;
  TWordMorpher::TLists inflection;
  std::string licence;
};

// Senses kept per index word: the count is one coded character.
constexpr std::size_t MaxSensesPerWord = 128;

// The whole file. A synset record that would not fit the reader's 2,048
// bytes loses the end of its gloss, then its last links; throws
// std::length_error when the synsets pass 24-bit offsets.
std::vector<Byte> SaveDatabase(const TDatabaseSource& source);

}  // namespace qm::thesaurus
