#include "script/model/cue_codes.h"

#include "script/model/script_model.h"

namespace qm {

int CueContinuedState(Byte code) { return NormalCueCode(code) % 3; }

Byte RepeatedCueCode(Byte code) {
  code = NormalCueCode(code);
  return static_cast<Byte>(code - code % 3 + 2);
}

bool CueHasExtension(Byte code) {
  code = NormalCueCode(code);
  return code < 18 || code > 20;
}

int CueExtensionEntry(Byte code) {
  code = NormalCueCode(code);
  if (!CueHasExtension(code)) return 0;
  return code <= 20 ? code / 3 + 1 : code / 3;
}

bool SameExtensionGroup(Byte a, Byte b) {
  a = NormalCueCode(a);
  b = NormalCueCode(b);
  if (a == b) return true;
  if (a < 18 && b < 18) return a / 3 == b / 3;
  return a >= 18 && a <= 20 && b >= 18 && b <= 20;
}

void SetCueExtension(TScriptElement& cue, Byte code) {
  const Byte normal = NormalCueCode(code);
  cue.split = static_cast<Byte>(normal - normal % 3 + CueContinuedState(cue.split));
}

bool IsRepeatedByBreak(const TScriptElement& e) { return IsRepeatedByBreak(e, e.prev); }

bool IsRepeatedByBreak(const TScriptElement& e, const TScriptElement* before) {
  return e.Kind() == ekCharacterName && CueContinuedState(e.split) == 2 && before && IsPageBreakKind(before->Kind()) &&
         before->split != spWhole;
}

bool RefusesContinued(const TScriptElement& cue) { return (cue.format.NumberWord & RefusesContinuedBit) != 0; }

void SetCueContinued(bool on, TScriptElement& cue) {
  const Byte code = NormalCueCode(cue.split);
  const Byte slot = static_cast<Byte>(code - code % 3);
  if (on && !RefusesContinued(cue)) {
    if (code % 3 == 0) cue.split = static_cast<Byte>(slot + 1);
    else cue.split = code;
  } else {
    cue.split = slot;
  }
}

}  // namespace qm
