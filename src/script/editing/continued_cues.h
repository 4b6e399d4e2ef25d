// The automatic CONT'D of a character who speaks again within a scene:
// the cue's continued state, and with continueds in the parenthetical the
// continued text at the start of the parenthetical after the name.
//
// One routine keeps the marks: UpdateContinuedCues, run when every user
// action ends (and by the commands that read a mark they have just made).
// It remembers, for each name, what the rule gave the last time it looked;
// a name that is new, whose text or code changed, or whose answer from the
// rule changed (a speech cut, pasted or retyped before it, a heading put
// in or taken out) is marked or cleared by the rule. A name whose answer
// did not change keeps the mark it has, so a script whose marks were set
// elsewhere is not rewritten wholesale by one keystroke.
#pragma once

#include <string_view>

#include "platform/types.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// Upper case without codes (user colours too, where the script has them);
// unless the script keeps extensions apart, cut before the first "(" with
// trailing blanks gone. Empty names never match.
bool SameCharacterName(const TMDIChild& window, std::string_view a, std::string_view b);
// Whether the rule marks the cue after the previous name of its scene
// (none, or a heading: not marked).
bool ContinuedByRule(const TMDIChild& window, const TScriptElement* previous, const TScriptElement& cue);
// Marks or clears the cue against the previous name of its scene (none:
// cleared); true when anything changed.
bool CheckCueContinued(TMDIChild& window, const TScriptElement* previous, TScriptElement& cue);
// Takes the continued text out of, or puts it into, the start of the
// parenthetical after the cue (continueds in the parenthetical only).
bool RemoveParentheticalContinued(TMDIChild& window, TScriptElement& cue);
bool InsertParentheticalContinued(TMDIChild& window, TScriptElement& cue);

// The marks brought up to date over the whole script, as the header
// explains; the screen follows when any changed. A name being typed (the
// caret in it and its text changed since the caret came) and the name
// after it count once the caret leaves it, or at once when `leaving`.
// True when any mark changed.
bool UpdateContinuedCues(TMDIChild& window, bool leaving = false);
// The names taken as they stand, their marks kept: a script just read, or
// given back by Undo or Redo (whose caret may be back in a name the writer
// was typing, which then counts once the caret leaves it).
void SettleContinuedCues(TMDIChild& window, bool nameBeingTyped = false);
// Whether the caret is in a name whose text changed since it came there.
bool NameBeingTyped(TMDIChild& window);

}  // namespace qm
