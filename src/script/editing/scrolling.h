// How the view of a script window moves: it follows the caret both ways,
// it moves by whole screen lines, and the caret moves by line, by window
// height, by wheel notch and to the start or end of the script. The
// window shows the script through its 150-line screen table; an element
// knows the screen line of its first wrapped line, which lies above 1 or
// below the window for elements out of sight.
#pragma once

namespace qm {

class TMDIChild;

// Scrolls the window until the caret's line is wholly inside it: up when
// it fell below the bottom, down when it rose above the second line (the
// first when nothing is above it). Called whenever the caret is placed.
void EnsureCaretVisible(TMDIChild& window);

// The view moves by whole lines: up shows the lines below, down the lines
// above; the table is laid out again and the window repainted.
void ScrollScreenUp(TMDIChild& window, int lines);
void ScrollScreenDown(TMDIChild& window, int lines);

// Up and Down: the caret to the wrapped line above (below), into the
// previous (next) element from its first (last) line, keeping its place
// across within half a character.
void MoveCaretLineUp(TMDIChild& window);
void MoveCaretLineDown(TMDIChild& window);

// Page Up and Page Down: the first line of the window becomes the last
// (the last wholly shown becomes the first), the caret at its start.
void ScrollPageUp(TMDIChild& window);
void ScrollPageDown(TMDIChild& window);

// A wheel roll in units of 120 a notch, three lines a notch; small rolls
// of fine wheels add up until they make a line.
void WheelScroll(TMDIChild& window, int delta);

// The caret to the start of the script (the end), in view.
void GotoScriptTop(TMDIChild& window);
void GotoScriptBottom(TMDIChild& window);

}  // namespace qm
