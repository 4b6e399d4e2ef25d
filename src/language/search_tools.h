// The Search, Format and Production menus' tools beside Find: the next
// speech of a character, the next coloured or struck-out text, removing
// colour or strike-out codes, and redlining one character's speeches.
#pragma once

#include <string>

namespace qm {

class TMDIChild;

// The next cue of a character after the caret. The name is picked from
// the pick list at the caret, or with `again` the one picked before.
void NextSpeechBy(TMDIChild& script, bool again);

// The next element with an element colour, the strike-out style, or a
// colour or strike-out code in its text.
void FindNextMarkedText(TMDIChild& script);

enum class TMarkColour { Strikeout, Red, Blue, Green, User };
// Removes a colour's (or strike-out's) codes from the whole script, after
// the user typed YES; `userColour` (1 to 7) names the user colour.
void RemoveColorCodes(TMDIChild& script, TMarkColour colour, int userColour = 0);

// Every speech of the character picked from the list turns red.
void RedlineSpeeches(TMDIChild& script);

}  // namespace qm
