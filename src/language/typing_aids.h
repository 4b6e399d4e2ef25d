// Gives the script window's editing routines the pick list, the name and
// location lists and the alias expansion of the language tools.
#pragma once

namespace qm {

void InstallTypingAids();

}  // namespace qm
