// What follows a character name on screen and on paper: the extension the
// cue code names and the automatic continued marks, generated from the
// code and the script's texts; the name itself holds only what the writer
// typed.
#pragma once

#include <string>

namespace qm {

class TScriptDocument;
struct TScriptElement;

// Empty for anything but a Character Name. An extension whose entry of the
// list was emptied resets the name to none.
std::string CharacterExtensionText(TScriptDocument& script, TScriptElement& cue);

}  // namespace qm
