// Texts that both the rundown table and the set list print.
#pragma once

#include <string>

namespace qm {

class TScriptDocument;

// The display text of an "Act" user-list slot (1 the act word, 3 the
// scene word).
std::string ActListText(const TScriptDocument& script, int slot);

// A text wrapped into a box of left edge x and width w from line y: each
// line at its last blank that fits (or its last character), centred when
// asked; drawn on the print canvas only with `draw`. The line below it.
int WrappedText(int x, int y, int w, const std::string& text, bool centred, bool draw = true);

}  // namespace qm
