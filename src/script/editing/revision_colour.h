// The automatic revision colour: while the writer has chosen Blue, Red,
// Green or a user colour, text typed at the caret goes inside that
// colour's pair of codes,
// so that what is revised shows in colour as it is typed.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;

// Whether a colour's open code is the element's own colour (the high
// nibble of its font byte): 1 = 16, 2 = 18, 3 = 20, 4 = 253 ... 10 = 131.
bool ColorCodeMatches(Byte code, Byte colorByte);
// Whether the pair is open at a column of the edit line, counting the
// element's own colour for Action, Character Name, Dialogue and
// Parenthetical.
bool ColorPairOpenAt(const TMDIChild& window, Byte open, Byte close, std::size_t column);
// Before a character is typed: puts the chosen colour's codes round the
// caret unless it already stands in that colour; true when it did.
bool EnterRevisionColor(TMDIChild& window, bool stepBack);
// Closes the pair at the caret and opens it again after the close code.
void CloseColorPairAtCaret(TMDIChild& window, Byte open, Byte close);
// The Production menu's colour items (0 off, 1 Blue, 2 Red, 3 Green, 4
// to 10 the user colours of a script that uses them): turning the colour
// off closes it at the caret.
void SelectRevisionColor(TMDIChild& window, Byte colour);

}  // namespace qm
