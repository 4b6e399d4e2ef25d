#include "language/spelling/spell_sentences.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "base/program_options.h"
#include "language/spelling/spell_engine.h"
#include "language/spelling/spell_words.h"
#include "platform/cp1252.h"
#include "script/model/script_document.h"
#include "script/model/script_model.h"
#include "script/pagination/repagination.h"

namespace qm {
namespace {

using namespace spell_chars;

// Stepped back over from a word to what ends the sentence before it.
bool BeforeWord(Byte c) { return c == ' ' || IsApostrophe(c) || CodeCharSet.Contains(c); }
// Stepped over backwards from a word before its blanks are set.
inline constexpr CharSet SkippedBeforeSentence = CharSet{3, 22, 26, 34, 39, 96, 145, 146, 147, 148, 171, 187};

bool IsStreetOrSuffix(const std::string& upper) {
  static constexpr std::array<std::string_view, 5> Words{"JR", "SR", "AVE", "PL", "BLVD"};
  return std::find(Words.begin(), Words.end(), upper) != Words.end();
}

// A period ends the sentence unless it belongs to an ellipsis or an
// abbreviation.
bool PeriodEndsSentence(const std::string& text, std::size_t period, bool allCaps) {
  for (std::size_t back = 1; back <= 2 && back <= period; ++back)
    if (text[period - back] == ' ' || text[period - back] == '.') return false;
  std::size_t start = period;
  while (start > 0 && (IsAnsiAlpha(static_cast<Byte>(text[start - 1])) || text[start - 1] == '-')) --start;
  std::string before = text.substr(start, period - start);
  if (allCaps) before = AnsiUpperCase(before);
  if (!before.empty() && IsWordUnknown(before) == wrs::Abbreviation) return false;
  if (!IsStreetOrSuffix(AnsiUpperCase(before))) return true;
  const auto& o = ProgramOptions();
  const auto ends =
      FindSentenceEnds(text, o.AutoSentenceSpacing && o.SentenceSpacing.size() > 1, AllowPageBreakAtElipses);
  std::size_t after = period;
  while (after + 1 < text.size() && std::string_view("\"'\x92\x94\xBB").find(text[after + 1]) != std::string_view::npos)
    ++after;
  return std::any_of(ends.begin(), ends.end(), [&](Word end) { return end == period || end == after; });
}

}  // namespace

TSentenceStart SentenceStartAt(const std::string& text, std::size_t wordStart, const TScriptElement& element,
                               bool parenthesesEnd) {
  std::size_t p = wordStart;
  bool blank = false;
  while (p > 0 && BeforeWord(static_cast<Byte>(text[p - 1]))) {
    blank = blank || text[p - 1] == ' ';
    --p;
  }
  if (p == 0) return {true, true, true};
  if (static_cast<Byte>(text[p - 1]) == HardReturn) return {true, true, false};
  // Text run together ("10.25", "www.example.com") holds no sentence end.
  if (!blank) return {};
  const char c = text[p - 1];
  if (c == '!' || c == '?') return {true, false, false};
  if (parenthesesEnd && element.Kind() == ekDialogue && (c == '(' || c == ')')) return {true, false, false};
  if (c == '.' && PeriodEndsSentence(text, p - 1, element.format.AllCaps != 0)) return {true, false, false};
  return {};
}

long SetSentenceSpacing(std::string& text, std::size_t wordStart, const std::string& spacing) {
  std::size_t end = wordStart;
  while (end > 0 && SkippedBeforeSentence.Contains(text[end - 1])) --end;
  std::size_t start = end;
  while (start > 0 && text[start - 1] == ' ') --start;
  if (end - start == spacing.size() || start == 0) return 0;
  text.replace(start, end - start, spacing);
  return static_cast<long>(spacing.size()) - static_cast<long>(end - start);
}

bool KeepsSmallLetterAtElementStart(const TScriptDocument& script, const TScriptElement& element,
                                    bool capitalizeAfterShots) {
  const TScriptElement* prev = element.prev;
  if (prev == nullptr) return false;
  if (prev->Kind() == ekShot) return !capitalizeAfterShots && script.InteractiveScript == 0;
  if (IsPageBreakKind(prev->Kind())) return prev->split % 3 == 1;
  if (prev->Kind() == ekCharacterName) return prev->split % 3 == 2;
  return false;
}

}  // namespace qm
