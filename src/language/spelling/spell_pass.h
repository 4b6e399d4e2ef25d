// The spell-check pass: walks words of the active script, checks each
// against the spelling engine and the script's character names, makes the
// capitalisation corrections, asks about duplicate words and double
// capitals, and shows the unknown-word dialog. One routine serves every
// mode, each a capital letter.
#pragma once

namespace qm {

enum TSpellMode : char {
  smAsTyped = 'A',   // the word just typed, while typing
  smWord = 'W',      // the word at the caret
  smElement = 'E',   // the current element
  smPage = 'P',      // the current page
  smForwards = 'F',  // from the caret to the script's end
  smScript = 'S',    // the whole script
  smCount = 'C',     // the whole script, counting words only
};

// Runs one pass; false when the engine could not be opened or no script
// is active.
bool SpellCheckScript(char mode);

// The real-time check pauses while the writer asks it to.
bool AutoCorrectionPaused();
void SetAutoCorrectionPaused(bool paused);

// The spelling members of the typing aids: the real-time check of a typed
// word, and a script's dictionary on its activation.
void InstallSpellingAids();

// A Spell menu command: places the caret where the mode starts, runs the
// pass, and puts the menus right.
void RunSpellCommand(char mode);

}  // namespace qm
