// Aliases from the user lists replaced by their texts while the writer
// types: "INT" becomes "INT.", a transition's alias "DISSOLVE TO:",
// "NEWACT" "ACT". The script window's key handling asks when an element
// is finished or a blank typed. Each check works on the active script's
// edit line and tells whether it matched; unless asked only to test, a
// match rewrites the line and puts the caret at its end.
#pragma once

#include <string>

namespace qm {

// The start of the edit line is a SceneText alias or text; with
// `wholeLine` the whole line is a SceneText text (and stays as it is).
bool ExpandSceneTextAlias(bool wholeLine, bool testOnly);
// The same for ShotText (lines of at most 30 characters, not in dialogue
// or parentheticals, nor in the cues and speeches of an interactive
// script).
bool ExpandShotTextAlias(bool testOnly);
// The same for Transition (not in dialogue or parentheticals); a one-line
// element ending in " TO:" is a transition without any entry.
bool ExpandTransitionAlias(bool testOnly);
// The whole line is a PrologueText entry or the TagText entry.
bool ExpandPrologueOrTagAlias(bool testOnly);
// The whole line is ActText 1 (a new act), ActText 2 (the same act) or,
// only while scenes are numbered within acts, ActText 3 (a new scene).
bool ExpandActTextAlias();
bool ExpandSameActAlias();
bool ExpandNewSceneAlias();
// The whole line is the EndofActText entry.
bool ExpandEndOfActAlias();

// A cue that carries one of the script's extensions (the automatic
// continuation text, or an Extension entry) in parentheses is cut before
// its "(". True when it was cut.
bool StripCharacterExtension(std::string& cueText);

}  // namespace qm
