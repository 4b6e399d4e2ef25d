// Giving the element at the caret, or every element of the script, the
// format of its kind again: what the Reset Cheated commands and a change
// of the script's formats use to undo a cheat or a hand-set margin.
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

// Every element outside the A/V columns takes its kind's format from the
// format set and is rewrapped, behind a "Please Wait" box; the screen is
// rebuilt and the caret stays in its element. An element keeps its kind
// and its number word (locked numbers, a cue's extension, a note's
// colour), a second Dialogue in a row its own lines before, a marked
// Action all but its margins, and a Parenthetical its format unless
// parentheticals are elements of their own.
void ReformatScript(TMDIChild& window);
// Every element is wrapped again for the printer's present page.
void ReformatToPrinterResolution(TMDIChild& window);

}  // namespace qm
