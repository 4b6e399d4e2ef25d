#include "language/spelling/spell_words.h"

#include <algorithm>
#include <array>

#include "language/spelling/spell_engine.h"
#include "platform/cp1252.h"
#include "script/editing/script_list_data.h"

namespace qm {
namespace {

using namespace spell_chars;

bool HasLower(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

bool Accepted(wrs::Result r, bool lenient) {
  if (r == wrs::Ok || r == wrs::Abbreviation || r == wrs::HasReplacement) return true;
  return lenient && (r == wrs::CaseMismatch || r == wrs::NeedsCapitals);
}

// Every piece between hyphens known.
bool PartsKnown(const std::string& word, bool lenient) {
  std::size_t start = 0;
  while (start <= word.size()) {
    const std::size_t end = std::min(word.find('-', start), word.size());
    const std::string part = word.substr(start, end - start);
    if (!part.empty() && !Accepted(IsWordUnknown(part), lenient)) return false;
    start = end + 1;
  }
  return true;
}

}  // namespace

TShapedWord ShapeWord(std::string_view taken) {
  TShapedWord s;
  std::string w(taken);
  std::replace(w.begin(), w.end(), static_cast<char>(HardDash), '-');
  const bool letterAndApostrophe = w.size() == 2 && IsApostrophe(static_cast<Byte>(w[1]));
  s.allCaps = w.size() >= 2 && !letterAndApostrophe && !HasLower(w);
  s.initialCap = !s.allCaps && !w.empty() && w[0] >= 'A' && w[0] <= 'Z';
  if (!w.empty() && IsApostrophe(static_cast<Byte>(w.front()))) {
    s.cuts.leadingApostrophe = true;
    w.erase(0, 1);
  }
  if (w.size() > 2 && (w.back() == 'S' || w.back() == 's') && IsApostrophe(static_cast<Byte>(w[w.size() - 2]))) {
    s.cuts.possessive = true;
    w.resize(w.size() - 2);
  }
  if (!w.empty() && IsApostrophe(static_cast<Byte>(w.back()))) {
    s.cuts.trailingApostrophe = true;
    w.pop_back();
  }
  s.word = w;
  return s;
}

int CheckWordKnown(std::string word, bool strict, const TWordCuts& cuts, bool ignoreCaps) {
  const bool lenient = ignoreCaps || strict;
  if (lenient) word = AnsiLowerCase(word);
  std::replace(word.begin(), word.end(), static_cast<char>(LeftQuote), '\'');
  std::replace(word.begin(), word.end(), static_cast<char>(RightQuote), '\'');
  if (!word.empty() && word[0] >= '0' && word[0] <= '9') {
    std::erase_if(word, [](char c) { return c >= '0' && c <= '9'; });
    if (word.size() < 2) return 1;
  }
  wrs::Result last = IsWordUnknown(word);
  bool known = Accepted(last, lenient);
  if (!known && !(last == wrs::HyphenatedUnknown && strict)) {
    if (word.find('-') != std::string::npos) known = PartsKnown(word, lenient);
    if (!known && cuts.trailingApostrophe) {
      known = Accepted(last = IsWordUnknown(word + "g"), lenient);
      if (!known && word.size() > 1) known = Accepted(last = IsWordUnknown(word.substr(0, word.size() - 1)), lenient);
    }
    if (!known && cuts.leadingApostrophe) known = Accepted(last = IsWordUnknown("'" + word), lenient);
    if (!known) known = Accepted(last = IsWordUnknown(word), lenient);
  }
  if (!known && !word.empty())
    known = std::all_of(word.begin(), word.end(),
                        [](char c) { return NumberLike.Contains(AnsiUpper(static_cast<Byte>(c))); });
  if (!known) return 0;
  return last == wrs::HasReplacement ? 2 : 1;
}

bool IsCommonCueWord(std::string_view upper) {
  static constexpr std::array<std::string_view, 7> Words{"MAN", "WOMAN", "ALL", "BOY", "KID", "GIRL", "EVERYONE"};
  return std::find(Words.begin(), Words.end(), upper) != Words.end();
}

std::string WithoutPossessive(std::string upper) {
  if (upper.size() > 2) {
    if (upper.ends_with("'S")) upper.resize(upper.size() - 2);
    else if (upper.back() == 'S' && IsApostrophe(static_cast<Byte>(upper[upper.size() - 2])))
      upper.resize(upper.size() - 2);
  }
  return upper;
}

bool IsCharacterNameWord(TMDIChild& script, std::string upper, bool withMode) {
  upper = WithoutPossessive(std::move(upper));
  if (upper.empty() || static_cast<Byte>(upper[0]) <= 64) return false;
  if (withMode && IsCommonCueWord(upper)) return false;
  const auto& chain = ListData(script).NameTable.Chain(static_cast<Byte>(upper[0]));
  return std::find(chain.begin(), chain.end(), upper) != chain.end();
}

}  // namespace qm
