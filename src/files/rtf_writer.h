// The script as RTF with its own style sheet: one paragraph per element,
// each marked with the style of its type, so that the program's paste and
// other word processors read the types back by their style names.
#pragma once

#include <string>

namespace qm {

class TScriptDocument;
struct TRichText;

// The RTF of the whole script, a cue with its extension and continued
// marks as printed (its elements must hold their texts: see TExportWalk).
std::string ScriptAsRtf(TScriptDocument& script);

// Formatted text collected as runs (the set list) as RTF: a font table of
// the runs' fonts, each run in its font, size and style, each paragraph
// aligned as its first run asks.
std::string SetListAsRtf(const TRichText& text);

}  // namespace qm
