// The true/false variables of a branching script: the names written in
// angle brackets in its activity lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {
class TScriptDocument;
}

namespace qm::story {

// The variable names of one activity line, in order: a leading negation
// word is not part of a name, a jump group is no variable, doubled blanks
// become one. A "<" without a ">" after it ends the line.
std::vector<std::string> VariablesOfLine(std::string_view line);
// Every variable of the script's activity lines, each once, in the order
// first met.
std::vector<std::string> ScriptVariables(const TScriptDocument& script);

}  // namespace qm::story
