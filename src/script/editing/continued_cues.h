// The automatic CONT'D of a character who speaks again within a scene:
// the cue's continued state, and with continueds in the parenthetical the
// continued text at the start of the parenthetical after the name.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// Upper case without codes; unless the script keeps extensions apart, cut
// before the first "(" with trailing blanks gone. Empty names never match.
bool SameCharacterName(const TMDIChild& window, std::string_view a, std::string_view b);
// Marks or clears the cue against the previous name of its scene (none:
// cleared); true when anything changed.
bool CheckCueContinued(TMDIChild& window, const TScriptElement* previous, TScriptElement& cue);
// Takes the continued text out of, or puts it into, the start of the
// parenthetical after the cue (continueds in the parenthetical only).
bool RemoveParentheticalContinued(TMDIChild& window, TScriptElement& cue);
bool InsertParentheticalContinued(TMDIChild& window, TScriptElement& cue);
// The marks around the current element again; true when any changed.
bool UpdateContinuedCues(TMDIChild& window);
// The marks of every name from the last one before `first` to the first
// one after `last` (each within its scene), for a run of elements put in
// at once; true when any changed.
bool UpdateContinuedCuesBetween(TMDIChild& window, TScriptElement& first, TScriptElement& last);
// In a Character Name (or always when forced): the marks again, and the
// screen rebuilt and repainted when they changed.
bool RefreshContinuedCues(TMDIChild& window, bool force);

}  // namespace qm
