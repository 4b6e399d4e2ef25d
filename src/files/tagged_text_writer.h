// The script as tagged text (*.TAG): a line in square brackets names the
// style of the paragraphs that follow, and each paragraph is one line
// beginning "<" and a code letter (C cue, D dialogue, P parenthetical, A
// any other text, E an off-screen or voice-over extension before its cue),
// as the tagged-text import reads it.
#pragma once

#include <string>

namespace qm {

class TScriptDocument;

// The tagged text of the whole script (its elements must hold their
// texts: see TExportWalk).
std::string ScriptAsTaggedText(const TScriptDocument& script);

}  // namespace qm
