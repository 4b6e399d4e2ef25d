// How the spell-check pass sees words: the character sets of its word
// splitter, the shape of a word (capitals, cut apostrophes), and whether
// the engine and the script's names know a word.
#pragma once

#include <string>
#include <string_view>

#include "language/spelling/engine/wrs_api.h"
#include "script/model/text_codes.h"

namespace qm {

class TMDIChild;

namespace spell_chars {
constexpr Byte LeftQuote = 145;
constexpr Byte RightQuote = 146;
// Where a word starts after, and (without "-") where it ends.
inline constexpr CharSet WordSeparators = CharSet{4,  32, 33, 34, 40, 41,  44,  45,  46,  47,  58,  59,  60,
                                                  62, 63, 91, 92, 93, 147, 148, 150, 151, 166, 167, 171, 187};
inline constexpr CharSet WordEnders =
    CharSet{4, 32, 33, 34, 40, 41, 44, 46, 47, 58, 59, 60, 62, 63, 91, 92, 93, 147, 148, 150, 151, 166, 167, 171, 187};
// Stepped over between one word and the next.
inline constexpr CharSet BetweenWords = CharSet{4, 32, 33, 34, 40, 41, 44, 45, 46, 47, 58, 59, 63, 92, 150, 151};
// Codes inside a word that are not part of it.
inline constexpr CharSet WordCodes = CodeCharSet + CharSet{24, SoftHyphen, HardReturn};
// Known when every character is one of these (prices, times, measures).
inline constexpr CharSet NumberLike =
    CharSet{'#', '$', '%', '+', ':', '=', 'H', 'T', 150, 162, 163, 165, 176, 178, 179, 188, 189}.IncludeRange('0', '9');
inline bool IsApostrophe(Byte c) { return c == '\'' || c == LeftQuote || c == RightQuote; }
}  // namespace spell_chars

// What was cut off a word before it was checked.
struct TWordCuts {
  bool leadingApostrophe = false;
  bool trailingApostrophe = false;
  bool possessive = false;
};

// A word as the pass checks it, with its shape.
struct TShapedWord {
  std::string word;
  bool allCaps = false;
  bool initialCap = false;
  TWordCuts cuts;
};

// Shapes a word taken from the text: capitals noted, a leading
// apostrophe, a possessive "'S" and a trailing apostrophe cut off, hard
// dashes made "-".
TShapedWord ShapeWord(std::string_view taken);

// 1 known, 0 unknown, 2 known with an automatic replacement.
int CheckWordKnown(std::string word, bool strict, const TWordCuts& cuts, bool ignoreCaps);

// The words that are never taken for names when a mode is given.
bool IsCommonCueWord(std::string_view upper);
// The word (in capitals) without a possessive ending ("'S", or "S" after a
// typographic apostrophe) when it is longer than two characters.
std::string WithoutPossessive(std::string upper);
// Whether the word (in capitals) is one of the script's character names,
// a possessive ending left out.
bool IsCharacterNameWord(TMDIChild& script, std::string upper, bool withMode);

}  // namespace qm
