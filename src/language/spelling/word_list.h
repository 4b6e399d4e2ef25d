// The spelling word-list file: a user dictionary's learned words and
// automatic replacements, the film terms, and a main dictionary's own
// words with the Hunspell dictionary it stands on. Plain text in the
// program's code page, one entry a line (LF or CR LF):
//
//   QUILLMASTER WORD LIST 1          the first line, always
//   # a comment                      ignored
//   HUNSPELL en_US                   main dictionaries: the Hunspell
//                                    dictionary to use (first installed wins)
//   word                             a word
//   word<TAB>replacement             a word with its automatic replacement
//
// A learned word in lower case is known in any capitalisation; one with
// capitals needs them. A word ending in "." is an abbreviation.
// A word or replacement is at most 255 characters and holds no control
// characters; a file that breaks any of this is damaged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::spelling {

inline constexpr std::string_view WordListHeader = "QUILLMASTER WORD LIST 1";
inline constexpr std::string_view HunspellKeyword = "HUNSPELL ";
inline constexpr std::size_t MaxWordListEntry = 255;

struct TWordEntry {
  std::string word;
  std::string second;  // the automatic replacement; empty for a learned word
};

struct TWordList {
  std::vector<std::string> hunspell;
  std::vector<TWordEntry> entries;
};

// The list, or none when the file is damaged.
std::optional<TWordList> ParseWordList(std::string_view bytes);
// What can be saved of a damaged file: every good line.
TWordList SalvageWordList(std::string_view bytes);
std::string FormatWordList(const TWordList& list);
// Whether a word or replacement may be stored.
bool IsStorableEntry(std::string_view text, bool allowEmpty);

}  // namespace qm::spelling
