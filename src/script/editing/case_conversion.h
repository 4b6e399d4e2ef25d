// The Convert Case commands: upper case, lower case as sentence case
// (sentence starts, the pronoun I and the script's character names
// capitalised again), and initial capitals, over the marked block or,
// without one, the current element.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qm {

class TMDIChild;

enum class TCaseMode { Upper, Lower, InitialCaps };

// For each exact occurrence of the pattern, the first letter from its
// second character on becomes a capital.
void CapitalizeAfter(std::string& text, const std::string& pattern);
// The sentence-case pass over a text of the script: `names` is filled from
// the script the first time a command needs it.
void CapitalizeSentences(const TMDIChild& window, std::string& text, std::optional<std::vector<std::string>>& names);

// One undo step; the script marked modified.
void ConvertCaseOfSelection(TMDIChild& window, TCaseMode mode);

}  // namespace qm
