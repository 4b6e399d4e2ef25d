// The twelve spelling languages and the names of their dictionary files.
// A language outside 1..12 names the American English files.
#pragma once

#include <string>

namespace qm {

// 1 US English, 2 UK English, 3 French, 4 German, 5 Spanish, 6 Italian,
// 7 Dutch, 8 Swedish, 9 Danish, 10 Norwegian, 11 Finnish, 12 Portuguese.
using SpellLanguage = int;
constexpr SpellLanguage FirstSpellLanguage = 1;
constexpr SpellLanguage LastSpellLanguage = 12;

std::string LanguageSuffix(SpellLanguage language);           // "._US"
std::string UserDictionaryExtension(SpellLanguage language);  // ".LXA"
// "USER_US.LXA", or "USER_US" without the extension.
std::string UserDictionaryName(SpellLanguage language, bool withExtension);
std::string MainDictionaryName(SpellLanguage language);  // "171.LEX"
std::string FilmTermsName(SpellLanguage language);       // "FILMTERM._US"

}  // namespace qm
