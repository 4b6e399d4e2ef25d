// Keeping the caret in view: the rows of the screen table the caret and
// the window's lines stand on, and the move of the view that follows the
// caret wherever it is placed.
#pragma once

namespace qm {

class TMDIChild;
struct TScreenLine;

const TScreenLine& ScreenRow(const TMDIChild& window, int line);
// The screen row of the caret's line (it may lie outside 1..150).
int CaretScreenRow(const TMDIChild& window);
// The lowest pixel a row's text reaches.
int ScreenRowBottom(const TMDIChild& window, int line);
// Whether anything of the script lies above the caret's line.
bool HasContentAbove(const TMDIChild& window);
// The view moved by whole lines (up for negative), laid out again.
void MoveViewBy(TMDIChild& window, int lines);

// Scrolls the window until the caret's line is wholly inside it: up when
// it fell below the bottom, down when it rose above the second line (the
// first when nothing is above it). Called whenever the caret is placed.
void EnsureCaretVisible(TMDIChild& window);

}  // namespace qm
