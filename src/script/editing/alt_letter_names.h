// Alt and a letter types a whole speech heading: the character name the
// script assigned to that letter becomes a new cue and the caret goes on
// into its dialogue. The writer reassigns a letter from the name list.
#pragma once

namespace qm {

// The speech heading of a letter: its assigned name, else the script's
// first name with that initial, else (when the writer agrees) the letter
// alone as the start of a new name. A non-letter does nothing.
void HandleAltLetter(char letter);
// The name list at the caret; the name chosen is assigned to the letter
// and, when a cue stands just before the caret's element, replaces it.
void PickAltLetterName(char letter);

// Most characters an assigned name keeps.
constexpr int AltLetterNameLength = 40;

}  // namespace qm
