// The scrambled copy of a script: every letter of an element becomes one
// letter drawn for that element, so that the script keeps its shape (kinds,
// lengths, punctuation, digits, character names, omitted headings) while
// its words can no longer be read. Bookmark names, the title page and the
// user lists (but the character names) are scrambled the same way.
#pragma once

#include <functional>
#include <string>

namespace qm {

class TMDIChild;

// The name the scrambled script takes, in the script's own folder.
inline constexpr const char* GibberishFileName = "Gibbrsh.QMW";

// Capitals become the letter's capital, small letters the letter; every
// other byte stays.
void ScrambleLetters(std::string& text, char letter);

// Scrambles the script's text with letters from `draw` (each "a".."y"),
// one per element, bookmark, user-list entry and the title page.
void ScrambleScript(TMDIChild& script, const std::function<char()>& draw);

// The command: refuses a script with unsaved changes, asks first, then
// scrambles the active script and renames it into its folder. True when
// the script was scrambled.
bool ConvertToGibberish();

}  // namespace qm
