// The two primitive edits of the edit line: type one character at the
// caret, delete the character at the caret. The caller moves the caret,
// rewraps and repaints. And the hard return, typed whole.
#pragma once

namespace qm {

class TMDIChild;

// Most characters an element may hold before typing is refused.
constexpr int TypingLimit = 2500;

// Puts a character into the active script's edit buffer at the caret
// column (inserting or overwriting). Returns false, after the beep and the
// message, when the element is already over the limit. Without `revises`
// the change marks no line revised (the user's asterisk, which toggles the
// mark itself).
bool TypeCharacter(char ch, bool revises = true);
// Removes the character at the caret column (nothing at the end of the
// text) and marks the script modified.
void DeleteCharAtCaret();
// A hard-return mark typed at the caret (Add Hard Return, and Enter in a
// note when the option asks), the element rewrapped and repainted; an
// element holding the most marks it may only gets a beep and the message.
void AddHardReturn(TMDIChild& script);

inline constexpr const char* ReadOnlyWarning =
    "This script is marked Read && Print-Only only!\r\r"
    "To get to a normally editable script, simply click the NEW Icon on the button bar, or load any script that "
    "you've created.";
// Typing into a script marked read and print only: the writer is told why
// nothing happens (unless expert prompting is on).
void WarnReadOnlyScript();

}  // namespace qm
