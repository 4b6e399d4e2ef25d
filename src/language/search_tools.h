// The Search, Format and Production menus' tools beside Find: the next
// speech of a character, the next coloured or struck-out text, removing
// colour or strike-out codes, and redlining one character's speeches.
#pragma once

#include <string>

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// The next cue of a character after the caret. The name is picked from
// the pick list at the caret, or with `again` the one picked before.
// False when no name was picked: the last search stays what it was.
bool NextSpeechBy(TMDIChild& script, bool again);
// The first Character Name after an element whose name, in capitals and
// without its extension, is `name`; none past the end.
TScriptElement* NextSpeechOf(const TScriptDocument& script, const TScriptElement* after, const std::string& name);

// The next element with an element colour, the strike-out style, or a
// colour or strike-out code in its text.
void FindNextMarkedText(TMDIChild& script);
// The first such element after an element; none past the end.
TScriptElement* NextMarkedElement(const TScriptDocument& script, const TScriptElement* after);

enum class TMarkColour { Strikeout, Red, Blue, Green, User };
// Removes a colour's (or strike-out's) codes from the whole script, after
// the user typed YES; `userColour` (1 to 7) names the user colour. A user
// colour is confirmed before it is chosen (ConfirmUserColourRemoval), so
// it is not asked for here again.
void RemoveColorCodes(TMDIChild& script, TMarkColour colour, int userColour = 0);
// True when the user typed YES to removing a user colour.
bool ConfirmUserColourRemoval();

// Every speech of the character picked from the list turns red.
void RedlineSpeeches(TMDIChild& script);
// Gives every cue of a name (as NextSpeechOf compares it) and the Dialogue
// and Parentheticals right after it the red element colour.
void RedlineSpeechesOf(TScriptDocument& script, const std::string& name);

}  // namespace qm
