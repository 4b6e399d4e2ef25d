#include "support/continued_rule.h"

#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"

namespace qm::testing {

namespace {

bool IsCodeByte(const TMDIChild& w, Byte b) {
  if (b == 2 || b == 3 || (b >= 13 && b <= 22) || (b >= 25 && b <= 30)) return true;
  static const std::string userColours = "\xFD\xFE\xDD\xDE\xEE\xF8\xF5\xD8\xD0\xB1\x9F\xA4\x83\x84";
  return w.UsesUserColours && userColours.find(static_cast<char>(b)) != std::string::npos;
}

std::string Key(const TMDIChild& w, const std::string& text) {
  std::string key;
  for (char c : text)
    if (!IsCodeByte(w, static_cast<Byte>(c))) key += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
  if (!w.ContinuedSameExtension) {
    key.resize(std::min(key.find('('), key.size()));
    while (!key.empty() && key.back() == ' ') key.pop_back();
  }
  return key;
}

bool LaidOutRepeat(const TScriptElement& e) {
  const Byte before = e.prev ? e.prev->Kind() : 0;
  const bool afterBreak = before == 8 || before == 12 || before == 17 || before == 18 || before == 21;
  return e.Kind() == ekCharacterName && CueContinuedState(e.split) == 2 && afterBreak && e.prev->split != spWhole;
}

bool Refuses(const TScriptElement& cue) { return (cue.format.NumberWord & 0x8000) != 0; }

}  // namespace

std::vector<RuledName> NamesByRule(const TMDIChild& w) {
  std::vector<RuledName> names;
  const TScriptElement* previous = nullptr;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    const Byte kind = e->Kind();
    if (kind == ekSceneHeading || kind == 9 || kind == 16) previous = nullptr;
    if (kind != ekCharacterName || LaidOutRepeat(*e)) continue;
    bool marked = false;
    if (previous && !Refuses(*e) && (!w.ContinuedSameExtension || SameExtensionGroup(previous->split, e->split))) {
      const std::string key = Key(w, LiveElementText(w, *e));
      marked = !key.empty() && key == Key(w, LiveElementText(w, *previous));
    }
    names.push_back({e, marked});
    previous = e;
  }
  return names;
}

void MarkNamesByRule(TMDIChild& w) {
  for (const RuledName& name : NamesByRule(w)) SetCueContinued(name.marked, *const_cast<TScriptElement*>(name.cue));
}

std::string WrongMarks(const TMDIChild& w) {
  if (w.CharacterContinuedText.empty() || w.ContinuedPosition == 2) return {};
  std::string said;
  const TScriptElement* typed =
      w.CurrentElement() && w.CurrentElement()->Kind() == ekCharacterName && !w.CurrentElement()->text
          ? w.CurrentElement()
          : nullptr;
  bool afterTyped = false;
  for (const RuledName& name : NamesByRule(w)) {
    if (name.cue == typed || afterTyped) {
      afterTyped = name.cue == typed;
      continue;
    }
    const bool stored = CueContinuedState(name.cue->split) != 0;
    if (stored != name.marked)
      said += " \"" + LiveElementText(w, *name.cue) + "\" " + (stored ? "marked" : "unmarked") + ";";
  }
  return said;
}

}  // namespace qm::testing
