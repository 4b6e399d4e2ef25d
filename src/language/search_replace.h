// Finding text in a script's elements, with the format codes a writer
// types as words ("{B+}"), whole words and capitals, forwards and back,
// and replacing what was found with the capitals of the text it replaces.
// What the Search commands remember between uses lives here too, so that
// Search Again repeats the last one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "script/model/text_codes.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// Every element kind 0..21: the normal search. Any other set restricts it.
constexpr std::uint32_t AllSearchKinds = 0x3FFFFF;

// The format words of search and replace texts turned into their code
// bytes, each word everywhere, in the table's order.
std::string TranslateFormatCodes(std::string text);

// What one element's text is searched for: the text with its format words
// translated, in capitals unless the case must match.
struct TSearchPattern {
  std::string text;
  bool exactCase = false;
  bool wholeWords = false;
  // Stepped over inside the text while matching: the script's codes and
  // the soft hyphen, less the pattern's first character.
  CharSet skipped;
  // The script's codes, which upper-casing leaves alone (a user colour's
  // byte is also an accented letter).
  CharSet codes;
  // Each byte as the search compares it.
  std::array<char, 256> fold{};
  char Fold(char c) const { return fold[static_cast<unsigned char>(c)]; }
};
TSearchPattern MakeSearchPattern(std::string_view typed, bool exactCase, bool wholeWords, const CharSet& codes);

// A text as the pattern compares it: capitals, codes untouched, unless
// the case must match.
std::string ComparableText(std::string_view text, const TSearchPattern& pattern);

// Where a match lies in an element's text: start up to end (exclusive).
struct TTextMatch {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(const TTextMatch&, const TTextMatch&) = default;
};

// Forwards the first match that starts at or after `from`; backwards the
// last one that ends at or before it. The text is compared as
// ComparableText gives it.
std::optional<TTextMatch> FindInText(std::string_view text, const TSearchPattern& pattern, std::size_t from,
                                     bool backwards);

// What a replacement becomes in place of the found text: with matchCaps
// in capitals after an all-capitals find (or in a cue up to its "("), with
// a first capital and word capitals as the found text had them, the rest
// in small letters.
std::string CapitalsLike(std::string_view found, std::string_view replacement, bool inCue, const CharSet& codes);

// ---- The search of a script ----

struct TSearchOptions {
  bool backwards = false;
  bool exactCase = false;
  bool wholeWords = true;
  std::uint32_t kinds = AllSearchKinds;
  // Found items are wrapped into breakdown tags rather than replaced.
  bool tagging = false;
  // The text comes as codes from a caller, not typed: a user colour's open
  // byte then names the colour, never the accented letter it also is.
  bool colourCodes = false;
};

struct TReplaceOptions : TSearchOptions {
  bool matchCaps = true;
  bool prompt = true;
  // Starts from the caret again (Search Again does).
  bool restart = false;
};

// The last search, for Search Again.
enum TSearchKind : Byte { skNone = 0, skSearch = 1, skReplace = 2, skNextSpeech = 3 };

// What the Search commands keep between uses.
struct TSearchMemory {
  Byte lastKind = skNone;
  std::vector<std::string> searchHistory;
  std::vector<std::string> replaceHistory;
  std::string lastSearch;
  std::string lastReplace;
  TReplaceOptions options;
  // The name the next-speech search looked for last.
  std::string speechName;
  Word found = 0;
  Word replaced = 0;
  // The dialog's check boxes and radio buttons as the user left them:
  // whole words, backwards, same capitals, from the cursor, entire
  // script, prompt, match capitals.
  std::array<bool, 7> optionStates{true, false, false, true, false, true, true};
};
TSearchMemory& SearchMemory();

// The text moved to the end of a history (an entry equal but for case
// goes).
void RememberInHistory(std::vector<std::string>& history, const std::string& text);

// The search starts at the current element and its caret.
void InitSearchPosition(TMDIChild& script);

// Searches from the caret; the match is framed and the user asked whether
// to go on. "No More Found!" at the end (the caret back where it began).
// True when a match was found and left framed.
bool SearchScript(TMDIChild& script, const std::string& text, const TSearchOptions& options);

// Replaces each match, asking first when `options.prompt`; one undo step
// takes back the whole run. Ends with the counts.
void SearchReplaceOrTag(TMDIChild& script, const std::string& text, const std::string& replacement,
                        const TReplaceOptions& options);

// Where the next match from the caret lies, found without a word to the
// user (the caret stays).
struct TFoundPlace {
  TScriptElement* element;
  TTextMatch at;
};
std::optional<TFoundPlace> FindNextInScript(TMDIChild& script, const std::string& text, const TSearchOptions& options);
// The same from a column of an element (the edited one read from its edit
// line).
std::optional<TFoundPlace> FindNextInDocument(const TScriptDocument& script, TScriptElement* start, std::size_t column,
                                              const std::string& text, const TSearchOptions& options);
// Replaces every match from the caret on without asking; the number
// replaced.
int ReplaceEveryMatch(TMDIChild& script, const std::string& text, const std::string& replacement,
                      const TReplaceOptions& options);

// Search Again: the last search of kind 1 or 2 with the texts and options
// it had. False when there was none to repeat.
bool RepeatLastSearch(TMDIChild& script);

// The page label shown while a search passes an element.
std::string PageLabelAt(const TScriptDocument& script, const TScriptElement* element);

}  // namespace qm
