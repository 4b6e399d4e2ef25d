// A small branching script for the tests of branching scripts: targets
// numbered 5, 2 and 9 in script order, with lines that refer to them.
#pragma once

#include <vector>

#include "script/script_window.h"

namespace qm::testing {

// 0 "Front door" (5), 1 a SET line, 2 "GO TO CELLAR (9)" + "GO TO ATTIC (2)",
// 3 "Attic" (2), 4 an action, 5 "GO TO GONE (4)", 6 "Cellar" (9),
// 7 "RETURN (0)".
void BuildBranchingScript(TMDIChild& script);
std::vector<Word> TargetNumbers(const TMDIChild& script);
TScriptElement* NthElement(const TMDIChild& script, int n);

}  // namespace qm::testing
