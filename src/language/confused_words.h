// Easily confused words (its / it's; their / they're / there): the
// writer's groups of them, kept in the settings file, and finding them in
// a script's prose so that the writer can choose the right one.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qm {

class TIniFile;
class TMDIChild;

extern const char* const ConfusedWordsSection;
extern const char* const NoColonMessage;

// The groups in the settings file ("their : they're : there", ...): the
// first two have defaults while their keys are missing; a key written
// empty is a group the writer deleted.
std::vector<std::string> ReadWordGroups(const TIniFile& ini);
void SaveWordGroups(TIniFile& ini, const std::vector<std::string>& groups);

// A group as typed, its words joined by " : "; none without a colon.
std::optional<std::string> NormaliseWordGroup(const std::string& typed);

// Each word of each group (upper case) heading one entry, the other words
// of its group after it.
using TConfusedTable = std::vector<std::vector<std::string>>;
TConfusedTable BuildConfusedTable(const std::vector<std::string>& groups);

// A word of the table found in a text: where it stands and what it may
// be confused with.
struct TConfusedHit {
  std::size_t start = 0;
  std::size_t end = 0;  // exclusive
  std::vector<std::string> alternatives;
};
// From `from` on in a text as it is compared: capitals, codes shown as
// byte 1 (no letter, no blank).
std::optional<TConfusedHit> FindConfusedWord(const std::string& text, std::size_t from, const TConfusedTable& table);

// The chosen word with the found word's capitals: all capitals for an
// all-capitals word, else lower case with a first capital when it had one.
std::string AlternativeLike(const std::string& found, const std::string& chosen);

// "Check Script" (from the first element) or "Check Forwards" (from the
// current one): asks at each hit; a No offers the alternatives through
// `choose` (which gives the chosen one, or "" for none).
using TChooseWord = std::function<std::string(const std::vector<std::string>& alternatives)>;
void CheckConfusedWords(TMDIChild& script, const std::vector<std::string>& groups, bool fromStart, TChooseWord choose);

}  // namespace qm

namespace qm {
// "Check Homonyms": the word page of the word-check dialog; its groups
// are saved when it closes.
void ShowConfusedWordsCheck();
}  // namespace qm
