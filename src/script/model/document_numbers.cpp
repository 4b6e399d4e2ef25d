#include "script/model/script_document.h"

#include <algorithm>
#include <cctype>

#include "script/model/element_kinds.h"
#include "script/model/number_texts.h"

namespace qm {

bool TScriptDocument::IsRepeatedContinuedCue(const TScriptElement* element) {
  // Cue codes carrying the automatic CONT'D.
  const Byte code = element->split;
  const bool continued = (code <= 31 && code % 3 == 1) || code == 32 || code == 33 || code == 36 || code == 38;
  if (!continued) return false;
  for (const TScriptElement* p = element->prev; p; p = p->prev) {
    if (p->Kind() == ekCharacterName) return true;
    if (IsPageBreakKind(p->Kind())) return false;
  }
  return true;
}

// Read from the element list, so that it also holds while a rebuild has
// not yet reached the groups ahead.
bool TScriptDocument::NextLockedBreakIsAPage(const TElementGroup* group) const {
  if (!group || !group->first) return false;
  for (const TScriptElement* e = group->first->next; e; e = e->next) {
    if (!IsHardPageBreakKind(e->Kind())) continue;
    return e->Kind() == ekMultiLockedPageBreak || e->Kind() == ekFixedAPageBreak;
  }
  return false;
}

Byte TScriptDocument::StoredLetter(Byte letter) const {
  if (letter == ' ') return '=';
  if (letter == '-') return '>';
  while (letter < 126 && IsSkipLetter(letter)) ++letter;
  return letter >= 126 ? Byte{'}'} : letter;
}

void TScriptDocument::StoreGroupLetter(TElementGroup* group, Byte letter) const {
  SetIfChanged(group->letter, StoredLetter(letter));
}

Word TScriptDocument::DisplayNumber(const TElementGroup* group) const {
  if (!group) return 0;
  int offset = 0;
  if (const TScriptElement* e = group->first) {
    switch (e->Kind()) {
      case ekSceneHeading:
      case ekASceneHeading:
      case ekSceneInformation:
      case ekDashASceneHeading:
      case ekLockedSceneInformation: offset = SceneStart; break;
      case ekActInformation:
      case ekActStart:
      case ekEndOfActText: offset = ActStart; break;
      default:
        if (IsPageBreakKind(e->Kind())) offset = PageStart - 1;
        break;
    }
  }
  return static_cast<Word>(group->number + offset);
}

Byte TScriptDocument::DisplayNumberLetter(const TElementGroup* group) const {
  if (!group) return ' ';
  switch (group->letter) {
    case 0: return ' ';
    case '=': return group->first && group->first->Kind() == ekDashASceneHeading ? '-' : ' ';
    case '>': return '-';
    default: return group->letter;
  }
}

std::string TScriptDocument::OmittedRangeWord(std::string& text, const TElementGroup* group) const {
  if (text.empty()) return SceneThruText;
  if (text.front() == ':') {
    text.erase(0, text.find_first_not_of(':') == std::string::npos ? text.size() : text.find_first_not_of(':'));
    return SceneThruText;
  }
  std::string t = text;
  std::erase(t, '*');
  size_t digits = 0;
  while (digits < t.size() && std::isdigit(static_cast<unsigned char>(t[digits]))) ++digits;
  if (digits == 0) return SceneThruText;
  const int last = std::stoi(t.substr(0, std::min<size_t>(digits, 5)));
  const std::string rest = t.substr(digits);
  const Byte letter = rest.empty() ? Byte{' '} : static_cast<Byte>(rest[0]);
  const Byte letterBefore = rest.empty() || letter == 'A' ? Byte{' '} : static_cast<Byte>(letter - 1);
  const int first = DisplayNumber(group);
  const Byte firstLetter = DisplayNumberLetter(group);
  const bool adjacent = (last == first + 1 && firstLetter == letter) || (last == first && firstLetter == letterBefore);
  return adjacent && rest.size() <= 1 ? SceneAndText : SceneThruText;
}

std::string TScriptDocument::SceneNumberText(const TScriptElement& heading) const {
  int number = DisplayNumber(heading.group);
  const Byte shown = heading.group ? DisplayNumberLetter(heading.group) : 0;
  char letter = shown > ' ' ? static_cast<char>(shown) : '\0';
  if (ElementHasLock(&heading)) {
    // The locked number is stored as counted; it shows from the start
    // offset like any other, and above 500 once the count passed 500.
    int locked = number_word::Number(heading.format.NumberWord);
    if (heading.group && heading.group->number == locked + 500) locked += 500;
    number = locked + SceneStart;
    // The stored blank ('=') shows nothing, the stored dash ('>') a dash.
    const char stored = number_word::Letter(heading.format.NumberWord);
    letter = stored == '=' ? '\0' : stored == '>' ? '-' : stored;
  }
  if (number == 0) return {};
  std::string text = std::to_string(number);
  if (letter != '\0') text += letter;
  return text;
}

std::string TScriptDocument::DialogueNumberText(const TScriptElement* cue) const {
  if (!cue) return std::string();
  const int state = DialogueNumbering == 0 ? 0 : DialogueNumberingLock ? 2 : 1;
  if (state == 0) return std::to_string(cue->group ? cue->group->number : 0);
  const Word word = cue->format.NumberWord;
  if (dialogue_word::Number(word) != 0) return std::to_string(dialogue_word::Number(word));
  // A speech added since the numbers were locked: the last locked number
  // and letters counting the speeches added after it.
  const bool added = (word & dialogue_word::AddedUnderLock) != 0;
  char first = state == 2 && !added ? '@' : 'A';
  char second = 'A';
  bool secondCounting = true;
  int base = -1;
  for (const TScriptElement* e = cue->prev; e; e = e->prev) {
    if (e->Kind() != ekCharacterName) continue;
    const Word w = e->format.NumberWord;
    if (dialogue_word::Number(w) != 0) {
      base = dialogue_word::Number(w);
      break;
    }
    const bool wasAdded = (w & dialogue_word::AddedUnderLock) != 0;
    if (state == 2) {
      if (wasAdded) ++first;
      if (wasAdded) secondCounting = false;
      if (secondCounting) ++second;
    } else {
      ++first;
      ++second;
    }
  }
  // Numbered without any kept number before it: the speech's own count,
  // not a letter after nothing.
  if (base < 0 && state == 1) return std::to_string(cue->group ? cue->group->number : 0);
  std::string text = (base < 0 ? std::string("0") : std::to_string(base)) + first;
  if (state == 2 && !added) text += second;
  std::replace(text.begin(), text.end(), '@', '-');
  return text;
}

}  // namespace qm
