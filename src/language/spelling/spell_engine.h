// The program's only caller of the spelling library: loads it from the
// program folder, opens one engine for one language with its main
// dictionary, the film terms and two user dictionaries, checks words,
// fetches suggestions and automatic replacements, learns words, keeps the
// ignore-all list and reports the library's errors to the user.
//
// The main dictionaries and film terms are the program's own files (in
// ProgramFolder()); the user dictionaries the writer adds to live in the
// settings folder, so an installed program can write them.
#pragma once

#include <string>
#include <vector>

#include "language/spelling/engine/wrs_api.h"
#include "language/spelling/spell_languages.h"

namespace qm {

// The library's file in the program folder, and the folder of the user
// dictionaries (with a trailing '/').
std::string SpellLibraryPath();
std::string UserDictionaryFolder();

bool LoadSpellEngine();
// Opens the engine for a language with a supplementary user dictionary
// (a file name with its extension, or empty); true when the engine is open.
bool OpenSpellEngine(SpellLanguage language, const std::string& userDictionary);
void UnloadSpellEngine();
bool SpellEngineLoaded();
bool SpellEngineOpen();
SpellLanguage SpellEngineLanguage();
// The two user dictionaries' names: the language's own, then the
// supplementary one (empty when none).
std::string OpenUserDictionaryName(int record);

// The text the user sees for a library error code.
std::string SpellErrorMessage(wrs::Result result);
// True (after telling the user) when the result is an error.
bool SpellErrorText(wrs::Result result, const std::string& context);
// A damaged dictionary is repaired first; true (after telling the user)
// when the error stands.
bool SpellErrorRecover(wrs::Result result, const std::string& path);

// The engine's answer for a word; an ignored word counts as known.
wrs::Result IsWordUnknown(const std::string& word);
// The word itself when known, else the engine's suggestions shaped like
// the word; returns the engine's answer for the word.
wrs::Result CheckWordSuggest(const std::string& word, std::vector<std::string>& list, bool allCaps, bool initialCap);
// The automatic replacement for the word, or empty.
std::string GetAutoCorrection(const std::string& word);
// Learns a word (second empty) or an automatic replacement into the user
// dictionary of that name, opening it as the supplementary one first when
// neither open dictionary has the name.
void AddWordToUserDictionary(const std::string& word, const std::string& second, const std::string& dictionaryName,
                             SpellLanguage scriptLanguage);
void EnsureUserDictionaryOpen(SpellLanguage language, const std::string& name);

void AddToIgnoreList(const std::string& word);
void ClearIgnoreList();

}  // namespace qm
