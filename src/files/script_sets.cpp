#include "files/script_sets.h"

#include "script/script_window.h"
#include "base/document_table.h"
#include "base/global_state.h"

namespace qm {

CharSet TagCodeSet;
CharSet ScriptCodeCharSet;
CharSet CaretSkipCharSet;
CharSet ZeroWidthCharSet;

namespace {

constexpr CharSet kCaretSkipSet = CodeCharSet + CharSet{24, SoftHyphen, HardReturn};

void SetTagCodes(const CharSet& tags) {
  TagCodeSet = tags;
  ScriptCodeCharSet = CodeCharSet + tags;
  CaretSkipCharSet = kCaretSkipSet + tags;
  ZeroWidthCharSet = ZeroWidthSet + tags;
}

constexpr CharSet MakeTagCodeSet() {
  CharSet set{TagEnd};
  for (Byte code : BreakdownTagCodes) set.Include(code);
  return set;
}

const GlobalState reset([] { SetTagCodes(CharSet{}); });

constexpr std::uint32_t Bit(Byte kind) { return std::uint32_t{1} << kind; }

}  // namespace

std::uint32_t CenteredKinds(const TScriptSettings& s) {
  std::uint32_t kinds = Bit(ekCenteredTitle);
  if (s.CenterCharacterNames) kinds |= Bit(ekCharacterName);
  if (s.CenterSceneInformation) kinds |= Bit(ekSceneInformation) | Bit(ekLockedSceneInformation);
  if (s.CenterActInformation)
    kinds |= Bit(ekActInformation) | Bit(ekActStart) | Bit(ekPrologueText) | Bit(ekEndOfActText);
  return kinds;
}

std::uint32_t CenteredKinds() {
  const TMDIChild* script = ActiveScript();
  return script ? CenteredKinds(*script) : 0;
}

void ApplyScriptCharacterSets() {
  const TMDIChild* script = ActiveScript();
  if (!script) return;
  SetTagCodes(script->TaggingUsed ? MakeTagCodeSet() : CharSet{});
}

}  // namespace qm
