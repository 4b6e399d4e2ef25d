// Writes a script as other programs receive it from the copy: plain text
// with each element at its format's indent and a blank line between
// elements, or RTF with the style sheet of the program's own copy.
#pragma once

#include <string>
#include <vector>

#include "support/script_builder.h"

namespace qm::testing {

std::string ScriptAsPlainText(const std::vector<ElementSpec>& elements);
std::string ScriptAsStyledRtf(const std::vector<ElementSpec>& elements);

}  // namespace qm::testing
