// Choosing a script's spelling language: only an installed language can
// be chosen, and the engine follows the choice at once.
#pragma once

#include <string>

#include "language/spelling/spell_languages.h"

namespace qm {

class TScriptDocument;

// The language's name as the language dialog lists it.
std::string SpellLanguageName(SpellLanguage language);
// Sets the script's language (and with `asDefault` the default for new
// scripts) and opens the engine for it; false, after saying so, when the
// language's main dictionary is not in the program folder.
bool ChooseScriptLanguage(TScriptDocument& script, SpellLanguage language, bool asDefault);

}  // namespace qm
