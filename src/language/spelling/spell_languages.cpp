#include "language/spelling/spell_languages.h"

#include <array>

namespace qm {
namespace {

struct TLanguageNames {
  const char* suffix;
  const char* extension;
};

// clang-format off
constexpr std::array<TLanguageNames, LastSpellLanguage> Names{{
    {"US", "A"}, {"UK", "B"}, {"FR", "C"}, {"GR", "D"}, {"SP", "E"}, {"IT", "F"},
    {"DU", "G"}, {"SW", "H"}, {"DA", "I"}, {"NW", "J"}, {"FI", "K"}, {"PO", "L"},
}};
// clang-format on

SpellLanguage Known(SpellLanguage language) {
  return language < FirstSpellLanguage || language > LastSpellLanguage ? FirstSpellLanguage : language;
}

const TLanguageNames& NamesOf(SpellLanguage language) { return Names[static_cast<std::size_t>(Known(language) - 1)]; }

}  // namespace

std::string LanguageSuffix(SpellLanguage language) { return std::string("._") + NamesOf(language).suffix; }

std::string UserDictionaryExtension(SpellLanguage language) { return std::string(".LX") + NamesOf(language).extension; }

std::string UserDictionaryName(SpellLanguage language, bool withExtension) {
  const std::string base = std::string("USER_") + NamesOf(language).suffix;
  return withExtension ? base + UserDictionaryExtension(language) : base;
}

std::string MainDictionaryName(SpellLanguage language) { return std::to_string(Known(language)) + "71.LEX"; }

std::string FilmTermsName(SpellLanguage language) { return "FILMTERM" + LanguageSuffix(language); }

}  // namespace qm
