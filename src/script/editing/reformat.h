// Giving the element at the caret the format of its kind again: what the
// Reset Cheated commands use to undo a cheat or a hand-set margin.
#pragma once

namespace qm {

class TMDIChild;

// Which parts of the kind's format the element takes back.
struct TDefaultFormatParts {
  bool margins = false;       // left and right margins
  bool spacing = false;       // lines before and interline spacing
  bool clearNumber = false;   // the number word of numbered kinds
  bool cueContinued = false;  // a cue's continued mark
  bool fontAndStyle = false;  // font and colour, size, the spare byte, style
  bool noteOnly = false;      // only a script note's colour (its number word)
};

// The current element takes the chosen parts of its kind's format from
// the script's format set (a page break or other kind keeps its own); a
// block is cleared first, and the element is rewrapped.
void ApplyDefaultFormat(TMDIChild& window, const TDefaultFormatParts& parts);

}  // namespace qm
