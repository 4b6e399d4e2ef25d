// The script as RTF with its own style sheet: one paragraph per element,
// each marked with the style of its type, so that the program's paste and
// other word processors read the types back by their style names.
#pragma once

#include <string>

namespace qm {

class TMDIChild;

// The RTF of the whole script, a cue with its extension and continued
// marks as printed (its elements must hold their texts: see TExportWalk).
std::string ScriptAsRtf(TMDIChild& script);

}  // namespace qm
