// What follows a character name on screen and on paper: the extension the
// cue code names and the automatic continued marks, generated from the
// code and the script's texts; the name itself holds only what the writer
// typed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

class TScriptDocument;
struct TScriptElement;

// Empty for anything but a Character Name. An extension whose entry of the
// list was emptied resets the name to none.
std::string CharacterExtensionText(TScriptDocument& script, TScriptElement& cue);

// Where the continued text at the start of a parenthetical's text ends:
// past a "(" the writer typed, the continued text and as much of the
// separator as follows it. 0 when the text does not begin with it.
std::size_t ContinuedMarkEnd(const TScriptDocument& script, std::string_view text);
// Whether the element is a parenthetical that shows the automatic mark of
// the name right before it (continueds in the parenthetical).
bool FollowsContinuedName(const TScriptDocument& script, const TScriptElement& element);

}  // namespace qm
