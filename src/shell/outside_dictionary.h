// The outside dictionary program a writer may have installed: where it
// is, and whether the Spell menu offers it.
#pragma once

#include <string>

namespace qm {

// The folder of the dictionary program: the desktop settings' own entry
// for it, else its usual folder when the program is there, else the
// program's folder when the program is there; empty when none is found.
std::string CheckDictionaryProgram();
// The dictionary program's file, empty when it is not installed.
std::string DictionaryProgramFile();

}  // namespace qm
