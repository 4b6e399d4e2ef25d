// A script made of the elements a reader of foreign text gave: each takes
// its kind's format from the script's format set, its text packed (a cue's
// plain and in capitals up to its extension).
#pragma once

#include <string>

#include "files/imported_text.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// One element made for the script, not yet linked into its list.
TScriptElement* NewImportedElement(const TScriptDocument& script, const TImportedElement& imported);

// A name for a script that was not read from the file of that name: the
// name wanted, unless a file or another open window has it; then the
// first "NONAME" name from the window's slot on that none has. Saving it
// then never replaces a script that was not read into it.
std::string UnclaimedScriptName(const TMDIChild& script, const std::string& wanted);
// The name a script read from another program's file takes: the file's
// name with the script extension in the script folder, unclaimed.
std::string ImportedScriptName(const TMDIChild& script, const std::string& foreignFile);

// Replaces the script's elements with these (nothing changes when there
// are none); the first becomes current with the caret at its start.
void ReplaceScriptElements(TMDIChild& script, const TImportedElements& elements);

}  // namespace qm
