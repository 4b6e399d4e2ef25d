// The automatic CONT'D as its rule gives it for a whole script, worked out
// here from the rule alone: a character name is marked exactly when the
// previous name of its scene is the same speaker (upper case, inline codes
// and user colours left out, cut before "(" unless extensions are kept
// apart, then of the same extension too), and the name does not refuse the
// mark. The names a page break repeats keep their own mark.
#pragma once

#include <string>
#include <vector>

#include "script/script_window.h"

namespace qm::testing {

// Whether the rule marks each name of the script, in order (the names a
// page break repeats left out).
struct RuledName {
  const TScriptElement* cue;
  bool marked;
};
std::vector<RuledName> NamesByRule(const TMDIChild& w);
// The script's own names marked by the rule, as a script the program has
// always kept would be.
void MarkNamesByRule(TMDIChild& w);
// The names whose stored mark differs from the rule's, in words; empty when
// none. A name being typed (the caret in it) and the name after it count
// once the caret leaves it, and are not judged.
std::string WrongMarks(const TMDIChild& w);

}  // namespace qm::testing
