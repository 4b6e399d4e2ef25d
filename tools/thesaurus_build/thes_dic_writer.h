// Writes THES.DIC, the program's own synonym file, from the same WordNet
// data as the thesaurus database: each single word with the other words of
// its senses, a separator between senses.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "language/thesaurus/database_writer.h"

namespace qm::thesaurus_build {

// Synonym lines kept per word: enough for a list, and the key blocks of the
// busiest letter pairs stay within their 16-bit length.
constexpr std::size_t MaxSynonymLines = 60;

// A key is a single word of letters and hyphens beginning with two
// letters, or one letter.
bool IsThesDicKey(const std::string& word);

// What a key's list holds: the other words of each of its senses (`senses`
// in WordNet's order), each word once, the separator record "aa" between
// senses, at most MaxSynonymLines lines.
std::vector<std::string> KeySynonymLines(const thesaurus::TDatabaseSource& source, const std::string& word,
                                         const std::vector<std::size_t>& senses);

// Synonym numbers are 16 bits, fewer than WordNet's words: the words that
// get one (in number order, from 1), at most `limit` of them. Every plain
// word (lower case, no blank) comes first, then names and phrases by how
// many lists they are in (`uses`).
std::vector<std::string> NumberedSynonyms(const std::map<std::string, std::size_t>& uses, std::size_t limit);

std::vector<Byte> SaveThesDic(const thesaurus::TDatabaseSource& source);

}  // namespace qm::thesaurus_build
