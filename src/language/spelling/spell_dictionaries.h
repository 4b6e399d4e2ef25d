// The user dictionaries a script offers for learning words: the
// language's own, the script's supplementary one and the others in the
// user dictionary folder; and opening the engine for a script.
#pragma once

#include <string>
#include <vector>

#include "language/spelling/spell_languages.h"

namespace qm {

class TScriptDocument;

struct TDictionaryChoices {
  std::vector<std::string> names;  // file names with the language's extension
  int selected = 0;
};

// The "Add Words to:" entries for a script, its supplementary dictionary
// selected when it has one.
TDictionaryChoices UserDictionaryChoices(const TScriptDocument& script);
// A chosen entry becomes the script's supplementary dictionary (the
// language's own changes nothing); true when the script changed.
bool ChooseSupplementaryDictionary(TScriptDocument& script, const std::string& entry);
// The script's supplementary dictionary name with only letters, digits,
// "-", "_" and "~" kept; empty when it has none.
std::string CleanDictionaryName(const std::string& name);
// Unloads an open engine and opens it for the active script with its
// supplementary dictionary; true (doing nothing) without an active script.
bool OpenSpellEngineForScript(SpellLanguage language);

}  // namespace qm

namespace qm {

// A typed dictionary name as it is stored: capitals, no blanks, cut at its
// first "." and to 8 letters (after telling the user).
std::string TidyDictionaryName(const std::string& typed);
// The dictionary Learn adds to: the entry of "Add Words to:" that the box
// names, else the name typed there tidied as above and kept to letters,
// digits, "-", "_" and "~", with the language's extension; with nothing
// left of it, the first entry.
std::string LearnDictionaryName(const std::string& named, const std::vector<std::string>& entries,
                                SpellLanguage language);
// "Change Dictionary": the script's supplementary dictionary chosen in the
// spelling dialog; the engine reopens with a new one.
void ChangeScriptDictionary();
// "Edit User Dictionary": the program's own editor of the language's user
// dictionary, the engine closed meanwhile and opened again after.
void RunDictionaryEditor();

}  // namespace qm
